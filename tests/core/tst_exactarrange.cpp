// The exact arrangement: small days with known answers, the reasons given for impossible days,
// cancelling, and random days that have a clash-free arrangement by construction.
#include "arrange/analysis.h"
#include "arrange/exact/daycheck.h"
#include "arrange/exact/daymodel.h"
#include "arrange/exact/exactsolver.h"
#include "arrange/exact/refutations.h"
#include "day/cell.h"
#include "exactfixture.h"
#include "podborfill.h"

#include <QDir>
#include <QTest>

#include <algorithm>
#include <map>
#include <random>

using namespace Qt::Literals::StringLiterals;
using namespace rasp::arrange;
using namespace podborfill;
using namespace exactfixture;
using namespace rasp::arrange::exact;

namespace {

// One class column top to bottom as subject letters, "-" for an empty cell.
QString column(const TPodbor &p, int c, int rows)
{
    QString out;
    for (int i = 1; i <= rows; ++i)
        out += p.itog_ur[i][c].isEmpty() ? u'-' : p.itog_ur[i][c].at(0);
    return out;
}

QStringList names(int classes)
{
    QStringList out;
    for (int j = 1; j <= classes; ++j)
        out << QString::number(j);
    return out;
}

// What is wrong with `after` as an exact arrangement of `before`; empty when nothing is: the
// finish test of the randomised run (Sootv, SootvKlassa), every class's lessons kept whole,
// locked cells untouched, no lesson below row R.
QString violations(const TPodbor &before, const TPodbor &after, const Options &o)
{
    if (!Sootv(o, after.itog_uch))
        return u"a clash is left"_s;
    for (int j = 1; j <= o.klassvis; ++j) {
        if (!SootvKlassa(o, j, after.itog_ur))
            return u"class %1 has an unacceptable day"_s.arg(j);
        std::map<QString, int> lessons;
        for (int i = 1; i <= o.max_ur; ++i) {
            const bool locked = before.itog_styl[i][j] == rasp::day::kStyleLocked;
            if (locked) {
                if (after.itog_styl[i][j] != rasp::day::kStyleLocked || after.itog_ur[i][j] != before.itog_ur[i][j]
                    || after.itog_uch[i][j] != before.itog_uch[i][j] || after.itog_kab[i][j] != before.itog_kab[i][j])
                    return u"locked cell %1;%2 changed"_s.arg(i).arg(j);
                continue;
            }
            if (!before.itog_ur[i][j].isEmpty())
                ++lessons[before.itog_ur[i][j] + u'|' + before.itog_kab[i][j] + u'|' + before.itog_uch[i][j]];
            if (!after.itog_ur[i][j].isEmpty()) {
                if (i > o.R)
                    return u"a lesson of class %1 below row R"_s.arg(j);
                --lessons[after.itog_ur[i][j] + u'|' + after.itog_kab[i][j] + u'|' + after.itog_uch[i][j]];
            }
        }
        for (const auto &[key, n] : lessons)
            if (n != 0)
                return u"class %1 lost or gained %2"_s.arg(j).arg(key);
    }
    return {};
}

// Cells whose lesson differs between two days: the moves that lead from one to the other.
int differingLessons(const TPodbor &a, const TPodbor &b, const Options &o)
{
    int n = 0;
    for (int j = 1; j <= o.klassvis; ++j)
        for (int i = 1; i <= o.max_ur; ++i)
            if (!a.itog_ur[i][j].isEmpty() && a.itog_styl[i][j] != rasp::day::kStyleLocked
                && (a.itog_ur[i][j] != b.itog_ur[i][j] || a.itog_uch[i][j] != b.itog_uch[i][j]))
                ++n;
    return n;
}

// The options of a small day given as rows of cells: its classes counted in the first row.
Options dayOptions(const QStringList &rows, int R, int P)
{
    return options(int(rows.first().count(u'|')) + 1, int(rows.size()), R, P);
}

// A snapshot whose working copy holds the rows.
TPodbor filled(const QStringList &rows)
{
    TPodbor p;
    fill(p, rows);
    return p;
}

// Runs the exact search on the snapshot within the time limit.
Result solve(TPodbor &p, const Options &o, qint64 ms = 20000)
{
    Limits limits;
    limits.timeLimitMs = ms;
    return SolveExact(p, o, names(o.klassvis), limits);
}

} // namespace

class TstExactArrange : public QObject
{
    Q_OBJECT

private slots:
    void smallDaysGetTheFewestMoves_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("R");
        QTest::addColumn<int>("P");
        QTest::addColumn<int>("moves");
        QTest::addColumn<QStringList>("columns"); // expected classes top to bottom; empty: any

        QTest::newRow("clash-free day stays") << QStringList{u"А:x|Б:y"_s, u"В:y|Г:x"_s} << 2 << 0 << 0
                                              << QStringList{u"АВ"_s, u"БГ"_s};
        QTest::newRow("one lesson moves to a free row below")
            << QStringList{u"М:x|Х:x"_s, u"Ф:y|Б:z"_s, u"|Г:w"_s} << 3 << 1 << 1 << QStringList{u"-ФМ"_s, u"ХБГ"_s};
        QTest::newRow("one swap") << QStringList{u"М:x|Х:x"_s, u"Ф:y|Б:z"_s} << 2 << 0 << 2 << QStringList();
        QTest::newRow("a locked lesson in a clash stays, the other moves")
            << QStringList{u"!М:x|Х:x"_s, u"Ф:y|Б:z"_s} << 2 << 0 << 2 << QStringList{u"МФ"_s, u"БХ"_s};
        QTest::newRow("a second teacher of a list clashes") << QStringList{u"М:x, y|Х:y"_s, u"Ф:z|Б:w"_s} << 2 << 0 << 2
                                                            << QStringList();
        QTest::newRow("second shift stays below its locks")
            << QStringList{u"А:a|Б:b|!|!"_s, u"В:c|Г:d|!|!"_s, u"||Х:x|М:x"_s, u"||Б:y|Ф:z"_s} << 4 << 2 << 2
            << QStringList{u"АВ--"_s, u"БГ--"_s};
        QTest::newRow("a lesson passes a locked cell")
            << QStringList{u"А:x|!Г:x"_s, u"!Л:q|Д:z"_s, u"Б:y|Е:w"_s} << 3 << 0 << 2 << QStringList{u"БЛА"_s, u"ГДЕ"_s};
        QTest::newRow("a lesson below R comes up") << QStringList{u"А:x|Б:y"_s, u"|В:z"_s, u"Г:w|"_s} << 2 << 0 << 1
                                                   << QStringList{u"АГ-"_s, u"БВ-"_s};
        QTest::newRow("identical lessons count as one kind") << QStringList{u"М:x|М:x"_s, u"М:x|Ф:y"_s, u"Б:z|"_s} << 3
                                                             << 1 << 1 << QStringList{u"ММБ"_s, u"-ФМ"_s};
    }
    void smallDaysGetTheFewestMoves()
    {
        QFETCH(QStringList, rows);
        QFETCH(int, R);
        QFETCH(int, P);
        QFETCH(int, moves);
        QFETCH(QStringList, columns);
        const Options o = dayOptions(rows, R, P);
        const TPodbor before = filled(rows);
        TPodbor p = before;
        const Result r = solve(p, o);
        QCOMPARE(r.status, Status::Solved);
        QVERIFY(r.optimal);
        QCOMPARE(r.movedCount, moves);
        QCOMPARE(int(r.moved.size()), moves);
        QCOMPARE(violations(before, p, o), QString());
        QCOMPARE(differingLessons(before, p, o), moves);
        for (int j = 1; j <= columns.size(); ++j)
            QCOMPARE(column(p, j, o.max_ur), columns.at(j - 1));
        for (const MovedLesson &m : r.moved) {
            QCOMPARE(before.itog_ur[m.from][m.column], m.subject);
            QCOMPARE(p.itog_ur[m.to][m.column], m.subject);
            QCOMPARE(m.className, QString::number(m.column));
        }
    }

    // Days whose fewest moves were found by an independent exhaustive search (minimum.py beside
    // them): the search must reach that number, prove it and leave a day that passes the run's
    // own finish test with every class's lessons kept.
    void fixtureDaysReachTheirProvenMinimum_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(RASP_EXACT_DAYS));
        const QStringList files = dir.entryList({u"*.day"_s}, QDir::Files, QDir::Name);
        QVERIFY(files.size() >= 5);
        for (const QString &f : files)
            QTest::newRow(qPrintable(f)) << dir.filePath(f);
    }
    void fixtureDaysReachTheirProvenMinimum()
    {
        QFETCH(QString, path);
        const FixtureDay day = readFixture(path);
        QVERIFY(day.minimum > 0);
        const Options o = dayOptions(day.rows, day.R, day.P);
        const TPodbor before = filled(day.rows);
        TPodbor p = before;
        const Result r = solve(p, o);
        QCOMPARE(r.status, Status::Solved);
        QCOMPARE(r.movedCount, day.minimum);
        QVERIFY(r.optimal);
        QCOMPARE(r.lowerBound, day.minimum);
        QCOMPARE(violations(before, p, o), QString());
        QCOMPARE(CheckDay(before, p, o), QString());
        QCOMPARE(differingLessons(before, p, o), day.minimum);
    }

    void impossibleDaysNameTheirReason_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("R");
        QTest::addColumn<int>("P");
        QTest::addColumn<QString>("reason");

        QTest::newRow("class without lessons") << QStringList{u"А:x|"_s, u"Б:y|"_s} << 2 << 0
                                               << u"Класс 2: нет ни одного урока в рядах 1..2"_s;
        QTest::newRow("class with more lessons than rows")
            << QStringList{u"А:a|Б:b"_s, u"В:c|"_s, u"Г:d|"_s, u"Д:e|"_s} << 3 << 0 << u"Класс 1: 4 урока, а рядов 1..3 только 3"_s;
        QTest::newRow("class run cannot start in time") << QStringList{u"!|А:x"_s, u"Б:y|"_s, u"В:z|"_s} << 3 << 0
                                                        << u"Класс 1: 2 урока нельзя поставить подряд в ряды 1..3 с началом не позже ряда 1 — мешают закреплённые клетки"_s;
        QTest::newRow("locked lessons clash") << QStringList{u"!А:x|!Б:x"_s, u"В:y|Г:z"_s} << 2 << 0
                                              << u"Закреплённые уроки совпадают: x в ряду 1 у классов 1 и 2"_s;
        QTest::newRow("teacher with more lessons than rows")
            << QStringList{u"А:Иванова И. И.|Б:Иванова И. И.|В:y"_s, u"Г:z|Д:w|Е:Иванова И. И."_s} << 2 << 0
            << u"Учитель Иванова И. И.: 3 урока, а рядов 1..2 только 2"_s;
        QTest::newRow("second name of a list counts")
            << QStringList{u"А:x, y|Б:y|В:y"_s, u"Г:z|Д:w|Е:v"_s} << 2 << 0 << u"Учитель y: 3 урока, а рядов 1..2 только 2"_s;
        QTest::newRow("teacher confined to fewer rows than lessons")
            << QStringList{u"А:x|Б:x|В:x|Г:a"_s, u"Д:b|Е:c|Ж:d|З:e"_s, u"|||И:f"_s, u"|||К:g"_s} << 4 << 0
            << u"Учитель x: 3 урока в классах 1, 2 и 3 можно поставить только в ряды 1, 2 — это 2 ряда"_s;
        QTest::newRow("rows taken by the teacher's locked lesson")
            << QStringList{u"!А:x|Б:q|В:r"_s, u"Г:s|Д:x|Е:x"_s, u"Ж:t||"_s} << 3 << 0
            << u"Учитель x: 2 урока в классах 2 и 3 можно поставить только в ряд 2 (ряд 1 занят его/её закреплённым уроком)"_s;
        QTest::newRow("a woman's locked lessons, by her patronymic")
            << QStringList{u"!А:Иванова Анна Петровна|Б:q|В:r|Г:s"_s, u"!Б:Иванова Анна Петровна|Д:t|Е:u|Ж:v"_s,
                           u"З:w|К:Иванова Анна Петровна|Л:Иванова Анна Петровна|М:p"_s, u"|||"_s}
            << 4 << 0
            << u"Учитель Иванова Анна Петровна: 2 урока в классах 2 и 3 можно поставить только в ряд 3 (ряды 1, 2 заняты её закреплёнными уроками)"_s;
        QTest::newRow("a core of two teachers and two classes")
            << QStringList{u"А:Орлова И. И., Сомов П. П.|Б:Орлова И. И.|Г:z"_s, u"В:w|Д:Сомов П. П.|Е:q"_s} << 2 << 0
            << u"Расстановки без совпадений учителей нет: уроки, которые ведут Орлова И. И. и Сомов П. П., в классах 1 и 2 нельзя расставить без совпадений"_s;
        QTest::newRow("one class between other classes' locked lessons")
            << QStringList{u"А:x|!Б:x|!В:y"_s, u"Г:y|Д:q|Е:r"_s} << 2 << 0
            << u"Расстановки без совпадений учителей нет: в классе 1 уроки нельзя расставить между закреплёнными уроками учителей x и y"_s;
    }
    void impossibleDaysNameTheirReason()
    {
        QFETCH(QStringList, rows);
        QFETCH(int, R);
        QFETCH(int, P);
        QFETCH(QString, reason);
        const Options o = dayOptions(rows, R, P);
        const TPodbor before = filled(rows);
        TPodbor p = before;
        const Result r = solve(p, o);
        QCOMPARE(r.status, Status::Impossible);
        QCOMPARE(r.reason, reason);
        QCOMPARE(r.movedCount, -1);
        QCOMPARE(differingLessons(before, p, o), 0);
    }

    void namesReadAsRussian_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("inClasses");
        QTest::newRow("one") << QStringList{u"6А"_s} << u"6А"_s << u"в классе 6А"_s;
        QTest::newRow("two") << QStringList{u"6А"_s, u"7Б"_s} << u"6А и 7Б"_s << u"в классах 6А и 7Б"_s;
        QTest::newRow("three") << QStringList{u"5А"_s, u"6А"_s, u"7Б"_s} << u"5А, 6А и 7Б"_s << u"в классах 5А, 6А и 7Б"_s;
    }
    void namesReadAsRussian()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, list);
        QFETCH(QString, inClasses);
        QCOMPARE(NamesText(names), list);
        QCOMPARE(InClassesText(names), inClasses);
    }

    void thePossessiveFollowsThePatronymic_data()
    {
        QTest::addColumn<QString>("teacher");
        QTest::addColumn<QString>("possessive");
        QTest::newRow("woman") << u"Иванова Анна Петровна"_s << u"её"_s;
        QTest::newRow("woman, -ична") << u"Соколова Мария Ильинична"_s << u"её"_s;
        QTest::newRow("man") << u"Петров Иван Сергеевич"_s << u"его"_s;
        QTest::newRow("man, -ич") << u"Лукин Пётр Ильич"_s << u"его"_s;
        QTest::newRow("initials only") << u"Иванова А. П."_s << u"его/её"_s;
        QTest::newRow("surname only") << u"Иванова"_s << u"его/её"_s;
    }
    void thePossessiveFollowsThePatronymic()
    {
        QFETCH(QString, teacher);
        QFETCH(QString, possessive);
        QCOMPARE(PossessiveOf(teacher), possessive);
    }

    void nounsAgreeWithTheirNumbers_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("lessons");
        QTest::addColumn<QString>("rows");
        QTest::newRow("1") << 1 << u"1 урок"_s << u"1 ряд"_s;
        QTest::newRow("3") << 3 << u"3 урока"_s << u"3 ряда"_s;
        QTest::newRow("7") << 7 << u"7 уроков"_s << u"7 рядов"_s;
        QTest::newRow("11") << 11 << u"11 уроков"_s << u"11 рядов"_s;
        QTest::newRow("21") << 21 << u"21 урок"_s << u"21 ряд"_s;
    }
    void nounsAgreeWithTheirNumbers()
    {
        QFETCH(int, n);
        QFETCH(QString, lessons);
        QFETCH(QString, rows);
        QCOMPARE(LessonsText(n), lessons);
        QCOMPARE(RowsText(n), rows);
    }

    void aCancelledSearchChangesNothing()
    {
        const Options o = options(2, 2, 2, 0);
        TPodbor before;
        fill(before, {u"М:x|Х:x"_s, u"Ф:y|Б:z"_s});
        TPodbor p = before;
        std::atomic<bool> cancel{true};
        Limits limits;
        limits.cancel = &cancel;
        const Result r = SolveExact(p, o, names(2), limits);
        QCOMPARE(r.status, Status::Cancelled);
        QCOMPARE(differingLessons(before, p, o), 0);
    }

    // "Стоп" once a day is known returns that day, checked, with its bound; not called fewest.
    void aStopAfterTheFirstDayKeepsTheBestDay()
    {
        const FixtureDay day = readFixture(QStringLiteral(RASP_EXACT_DAYS "/five-classes-eleven-moves.day"));
        const Options o = dayOptions(day.rows, day.R, day.P);
        const TPodbor before = filled(day.rows);
        TPodbor p = before;
        std::atomic<bool> cancel{false};
        int reportedBest = -1;
        Limits limits;
        limits.cancel = &cancel;
        limits.progress = [&](const Progress &pr) {
            if (pr.best >= 0 && reportedBest < 0) {
                reportedBest = pr.best;
                cancel = true;
            }
        };
        const Result r = SolveExact(p, o, names(o.klassvis), limits);
        QCOMPARE(r.status, Status::Solved);
        QVERIFY(r.stopped);
        QCOMPARE(r.movedCount, reportedBest);
        QVERIFY(r.movedCount >= day.minimum);
        QVERIFY(r.lowerBound <= day.minimum);
        QCOMPARE(r.optimal, r.movedCount == r.lowerBound);
        QCOMPARE(violations(before, p, o), QString());
        QCOMPARE(differingLessons(before, p, o), r.movedCount);
    }

    // Random days with a clash-free arrangement by construction (each row's teachers distinct,
    // every class one run from row 1 or 2, a few lessons locked where they stand), then every
    // class's free lessons shuffled among its free rows. The result must pass the run's own finish
    // test, keep every lesson and lock, and move no more lessons than the shuffle did.
    void randomFeasibleDaysAreArrangedWithNoMoreMovesThanTheShuffle()
    {
        std::mt19937 g(7);
        for (int round = 0; round < 40; ++round) {
            const int classes = 4 + int(g() % 9);
            const int rows = 5 + int(g() % 4);
            const int teachers = classes + 2 + int(g() % 4);
            const int P = int(g() % 2);
            const Options o = options(classes, rows, rows - int(g() % 2), P);
            TPodbor solved;
            std::vector<std::vector<int>> used(std::size_t(rows + 1));
            for (int j = 1; j <= classes; ++j) {
                const int first = 1 + int(g() % std::uint32_t(P + 1));
                const int last = std::min(o.R, first + 2 + int(g() % 4));
                for (int i = first; i <= last; ++i) {
                    int t = int(g() % std::uint32_t(teachers));
                    int tries = 0;
                    while (std::count(used[std::size_t(i)].begin(), used[std::size_t(i)].end(), t) && tries++ < teachers)
                        t = (t + 1) % teachers;
                    if (tries > teachers)
                        break;
                    used[std::size_t(i)].push_back(t);
                    const bool pair = g() % 8 == 0 && !std::count(used[std::size_t(i)].begin(), used[std::size_t(i)].end(), (t + 1) % teachers);
                    if (pair)
                        used[std::size_t(i)].push_back((t + 1) % teachers);
                    const QString teacher = u"Уч%1"_s.arg(t) + (pair ? u", Уч%1"_s.arg((t + 1) % teachers) : QString());
                    solved.itog_ur[i][j] = u"П%1"_s.arg(t % 5);
                    solved.itog_uch[i][j] = teacher;
                    solved.itog_kab[i][j] = QString::number(100 + t);
                    solved.itog_styl[i][j] = g() % 12 == 0 ? rasp::day::kStyleLocked : rasp::day::kStyleFree;
                }
            }
            // The shuffle: free lessons and free empty cells of rows 1..R change places.
            TPodbor before = solved;
            for (int j = 1; j <= classes; ++j) {
                std::vector<int> freeRows;
                for (int i = 1; i <= o.R; ++i)
                    if (before.itog_styl[i][j] != rasp::day::kStyleLocked && (!before.itog_ur[i][j].isEmpty() || g() % 3 == 0))
                        freeRows.push_back(i);
                std::vector<int> order = freeRows;
                std::shuffle(order.begin(), order.end(), g);
                for (std::size_t n = 0; n < freeRows.size(); ++n) {
                    const int to = freeRows[n], from = order[n];
                    before.itog_ur[to][j] = solved.itog_ur[from][j];
                    before.itog_uch[to][j] = solved.itog_uch[from][j];
                    before.itog_kab[to][j] = solved.itog_kab[from][j];
                }
            }
            const int shuffled = differingLessons(before, solved, o);
            TPodbor p = before;
            const Result r = solve(p, o);
            const QByteArray where = "round " + QByteArray::number(round);
            QVERIFY2(r.status == Status::Solved, where + ' ' + r.reason.toUtf8());
            QVERIFY2(violations(before, p, o).isEmpty(), where + ' ' + violations(before, p, o).toUtf8());
            QVERIFY2(r.movedCount <= shuffled, where);
            QCOMPARE(differingLessons(before, p, o), r.movedCount);
            QVERIFY2(r.optimal, where);
        }
    }
};

QTEST_GUILESS_MAIN(TstExactArrange)
#include "tst_exactarrange.moc"
