// Absences and covers in core: teacher resolution with covers, the order of candidates, the
// whole-day cover against brute force and over random days, apply and undo, and covers that move
// with their lessons.
#include "absenceschool.h"

#include "absences/absenceedit.h"
#include "absences/candidates.h"
#include "absences/carry.h"
#include "absences/daycompanion.h"
#include "absences/daycover.h"
#include "arrange/arrangement.h"
#include "arrange/exact/exactsolver.h"
#include "day/dayfile.h"
#include "day/gridsnapshot.h"

#include <QTest>

#include <functional>
#include <map>
#include <random>

using namespace Qt::Literals::StringLiterals;
namespace ab = rasp::absences;

namespace {

// The teacher names of the candidates of an open lesson, in their order.
QStringList candidateNames(const ab::CoverModel &model, int lesson)
{
    QStringList out;
    for (const ab::Candidate &c : ab::RankCandidates(model, lesson).teachers)
        out << c.teacher;
    return out;
}

// The cheapest choice by trying every combination of options (small days only).
long long bruteForce(const ab::CoverModel &model)
{
    const int n = model.lessonCount();
    std::vector<int> chosen(std::size_t(n), 0);
    long long best = -1;
    std::function<void(int)> walk = [&](int l) {
        if (l == n) {
            if (ab::Feasible(model, chosen)) {
                const long long total = ab::TotalCost(model, chosen);
                if (best < 0 || total < best)
                    best = total;
            }
            return;
        }
        for (int k = 0; k < int(model.options(l).size()); ++k) {
            chosen[std::size_t(l)] = k;
            walk(l + 1);
        }
    };
    walk(0);
    return best;
}

// A random school and day: classes with one unbroken run of lessons from row 1, no teacher twice
// in a row, names that hold one another ("Ивано" in "Иванова"), some lessons of two groups, and
// one or two teachers away (all day or a few rows).
rasp::State randomDay(std::mt19937 &g, int classes, int teachers, int rows)
{
    static const QStringList stems = {u"Иванова"_s, u"Ивано"_s, u"Петров"_s, u"Петрова"_s, u"Орлов"_s, u"Сидоров"_s,
                                      u"Белова"_s, u"Котов"_s, u"Лисин"_s, u"Ёжиков"_s, u"Ким"_s, u"Ли"_s};
    static const QStringList subjects = {u"Алг"_s, u"Физ"_s, u"Рус"_s, u"Лит"_s, u"Хим"_s, u"Био"_s, u"Англ"_s};
    QStringList header;
    for (int j = 1; j <= classes; ++j)
        header << u"К%1"_s.arg(j);
    auto fields = std::vector<QStringList>(std::size_t(teachers));
    for (auto &f : fields)
        for (int j = 0; j < classes; ++j)
            f << QString();
    // Each class gets four subjects, each taught by one or (Англ) two teachers.
    for (int j = 0; j < classes; ++j)
        for (int s = 0; s < 4; ++s) {
            const QString subject = subjects.at(int((j + s + int(g() % 3)) % subjects.size()));
            const int first = int(g() % teachers);
            fields[std::size_t(first)][j] += subject + u';';
            if (subject == u"Англ"_s) {
                const int second = (first + 1 + int(g() % (teachers - 1))) % teachers;
                fields[std::size_t(second)][j] += subject + u';';
            }
        }
    QStringList load{header.join(u'|') + u'|'};
    for (int t = 0; t < teachers; ++t)
        load << stems.at(t % stems.size()) + (t >= stems.size() ? QString::number(t) : QString()) + u'|'
                    + fields[std::size_t(t)].join(u'|') + u'|';
    load << u"~end~"_s;
    rasp::State s = absenceschool::school(load, {}, rows);
    // Lessons placed row by row so that no row names a teacher twice (by the grid's own rule).
    for (int j = 1; j <= classes; ++j) {
        QStringList own;
        for (int t = 1; t <= s.pedvis; ++t)
            for (const QString &line : s.Predmet[std::size_t(t)][std::size_t(j)])
                if (!line.isEmpty() && !own.contains(line))
                    own << line;
        const int length = 2 + int(g() % (rows - 1));
        for (int i = 1; i <= length && !own.isEmpty(); ++i)
            for (int attempt = 0; attempt < 8; ++attempt) {
                s.grid.cell(i, j).subject = own.at(int(g() % own.size()));
                rasp::day::PoiskUchit(s, QString());
                bool clash = false;
                for (int k = 1; k < j; ++k)
                    clash = clash || ab::ListsClash(s.grid.cell(i, j).teachers, s.grid.cell(i, k).teachers);
                if (!clash)
                    break;
                s.grid.cell(i, j).subject.clear();
            }
        // Keep the run unbroken: cut it at its first empty row.
        bool cut = false;
        for (int i = 1; i <= rows; ++i) {
            cut = cut || s.grid.cell(i, j).subject.isEmpty();
            if (cut)
                s.grid.cell(i, j).subject.clear();
        }
    }
    rasp::day::PoiskUchit(s, QString());
    const int away = 1 + int(g() % 2);
    for (int a = 0; a < away; ++a) {
        const int t = 1 + int(g() % s.pedvis);
        const int from = 1 + int(g() % 2);
        ab::MarkAbsent(s, s.PedFio[std::size_t(t)].name, from, g() % 2 ? rows : from + 1, u"болезнь"_s);
    }
    return s;
}

// Whether every class's lessons form one run without a gap.
bool unbroken(const rasp::State &s)
{
    for (int j = 1; j <= s.klassvis; ++j) {
        int runs = 0;
        for (int i = 1; i <= s.max_ur; ++i)
            if (!s.grid.cell(i, j).subject.isEmpty() && (i == 1 || s.grid.cell(i - 1, j).subject.isEmpty()))
                ++runs;
        if (runs > 1)
            return false;
    }
    return true;
}

// Whether the grid colours any lesson as a clash.
bool anyClash(rasp::State &s)
{
    s.regim = rasp::day::Regim::Coincidences;
    rasp::day::PoiskUchit(s, QString());
    for (int i = 1; i <= s.max_ur; ++i)
        for (int j = 1; j <= s.klassvis; ++j)
            if (s.grid.cell(i, j).background != rasp::day::kWhite)
                return true;
    return false;
}

} // namespace

class TstAbsences : public QObject
{
    Q_OBJECT

private slots:
    void resolutionTakesTheCover_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("teacher");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("absent");
        QTest::addColumn<QString>("expected");

        QTest::newRow("a colleague of the subject") << 1 << 1 << u"Смирнова"_s << ab::kKindSubject << u"Иванова"_s << u"Смирнова"_s;
        QTest::newRow("one group's teacher replaced") << 2 << 1 << u"Лебедева"_s << ab::kKindOtherSubject << u"Орлов"_s
                                                      << u"Лебедева, Белова"_s;
        QTest::newRow("the other group's teacher takes both") << 2 << 1 << u"Белова"_s << ab::kKindMerge << u"Орлов"_s
                                                              << u"Белова"_s;
        QTest::newRow("a cover for someone the lesson does not name") << 1 << 1 << u"Смирнова"_s << ab::kKindSubject
                                                                      << u"Петров"_s << u"Иванова"_s;
        QTest::newRow("a teacher gone from the load still shown") << 1 << 1 << u"Уволенная"_s << ab::kKindSubject
                                                                  << u"Иванова"_s << u"Уволенная"_s;
    }
    void resolutionTakesTheCover()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, teacher);
        QFETCH(QString, kind);
        QFETCH(QString, absent);
        QFETCH(QString, expected);
        rasp::State s = absenceschool::school();
        rasp::day::Cell &cell = s.grid.cell(row, column);
        cell.cover = rasp::day::Cover{teacher, kind, absent, cell.subject};
        rasp::day::PoiskUchit(s, QString());
        QCOMPARE(cell.teachers, expected);
    }

    void coverTeacherClashesAndColoursAsTheRealTeacher()
    {
        rasp::State s = absenceschool::school();
        // Смирнова teaches 8А in row 2: covering 7Б's row-2 lesson clashes with it.
        s.grid.cell(2, 2).cover = rasp::day::Cover{u"Смирнова"_s, ab::kKindSubject, u"Иванова"_s, u"Алгебра"_s};
        s.regim = rasp::day::Regim::Coincidences;
        rasp::day::PoiskUchit(s, QString());
        QVERIFY(s.grid.cell(2, 2).background != rasp::day::kWhite);
        QVERIFY(s.grid.cell(2, 3).background != rasp::day::kWhite);
        s.grid.cell(2, 2).cover.teacher = u"Кузнецова"_s; // free in row 2: no clash, her colour
        s.regim = rasp::day::Regim::Each;
        rasp::day::PoiskUchit(s, QString());
        const int m = 11; // Кузнецова's load row
        QCOMPARE(s.PedFio[m].name, u"Кузнецова"_s);
        QCOMPARE(s.grid.cell(2, 2).background, s.colorr[std::size_t(s.PedFio[m].colour)]);
    }

    void retypingOrClearingTheLessonDropsItsCover()
    {
        rasp::State s = absenceschool::school();
        s.grid.cell(1, 1).cover = rasp::day::Cover{u"Смирнова"_s, ab::kKindSubject, u"Иванова"_s, u"Алгебра"_s};
        s.grid.cell(1, 1).subject = u"Физика"_s;
        rasp::day::PoiskUchit(s, QString());
        QVERIFY(s.grid.cell(1, 1).cover.empty());
        QCOMPARE(s.grid.cell(1, 1).teachers, u"Петров"_s);
    }

    void openLessonsNameTheAbsentTeacherInHerRows()
    {
        rasp::State s = absenceschool::school();
        QCOMPARE(ab::MarkAbsent(s, u"Иванова"_s, 2, 3, u"курсы"_s), QString());
        QCOMPARE(ab::MarkAbsent(s, u"Орлов"_s, 1, 6, QString()), QString());
        QVERIFY(!ab::MarkAbsent(s, u"Петров"_s, 3, 9, QString()).isEmpty()); // beyond the rows
        QVERIFY(!ab::MarkAbsent(s, u"Петров"_s, 1, 2, u"a|b"_s).isEmpty());
        const ab::DayFacts facts(s);
        QStringList open;
        for (const ab::OpenLesson &l : facts.openLessons())
            open << u"%1 %2 %3"_s.arg(l.row).arg(l.className, l.absent);
        QCOMPARE(open, (QStringList{u"2 7А Орлов"_s, u"2 7Б Иванова"_s, u"3 7А Иванова"_s})); // row 1 is not hers
    }

    void candidatesInOrder_data()
    {
        QTest::addColumn<int>("smirnovaThisMonth");
        QTest::addColumn<QString>("better");
        QTest::addColumn<QString>("worse");

        // Open lesson: Алгебра of 7А in row 3, Иванова away.
        QTest::newRow("by subject before not (both come specially)") << 0 << u"Кузнецова"_s << u"Лебедева"_s;
        QTest::newRow("knows the class before not") << 0 << u"Орлов"_s << u"Козлова"_s;
        QTest::newRow("a window before next to an own lesson") << 0 << u"Петров"_s << u"Орлов"_s;
        QTest::newRow("next to an own lesson before coming specially") << 0 << u"Козлова"_s << u"Лебедева"_s;
        QTest::newRow("ties by name") << 0 << u"Белова"_s << u"Орлов"_s;
        QTest::newRow("free before busy") << 0 << u"Лебедева"_s << u"Зайцев"_s;
        QTest::newRow("busy before absent") << 0 << u"Соколов"_s << u"Иванова"_s;
        QTest::newRow("the best within the cap first") << 0 << u"Смирнова"_s << u"Петров"_s;
        QTest::newRow("within the cap before over it") << 8 << u"Лебедева"_s << u"Смирнова"_s;
        QTest::newRow("over the cap before busy") << 8 << u"Смирнова"_s << u"Зайцев"_s;
    }
    void candidatesInOrder()
    {
        QFETCH(int, smirnovaThisMonth);
        QFETCH(QString, better);
        QFETCH(QString, worse);
        rasp::State s = absenceschool::school();
        ab::MarkAbsent(s, u"Иванова"_s, 3, 3, QString());
        const ab::DayFacts facts(s);
        ab::CoverCounts counts;
        counts.month.insert(u"Смирнова"_s, smirnovaThisMonth);
        const ab::CoverModel model(facts, counts, ab::Weights());
        QCOMPARE(model.lessonCount(), 1);
        const QStringList names = candidateNames(model, 0);
        QCOMPARE(names.size(), facts.teacherCount());
        QVERIFY2(names.indexOf(better) < names.indexOf(worse), qPrintable(names.join(u", "_s)));

        const ab::Candidates list = ab::RankCandidates(model, 0);
        for (const ab::Candidate &c : list.teachers)
            if (c.teacher == u"Смирнова"_s && smirnovaThisMonth > 0)
                QVERIFY(c.reasons.contains(u"сверх предела"_s));
        // The whole-day cover of this one lesson takes its first ranked option (the first
        // candidate when no alternative is cheaper).
        const ab::DayCover cover = ab::SolveDayCover(model);
        QVERIFY(cover.optimal);
        QCOMPARE(cover.chosen[0], 0);
        QCOMPARE(cover.total, (long long)model.aloneCost(model.options(0).front()));
        if (model.options(0).front().action == ab::Action::Teacher)
            QCOMPARE(model.options(0).front().teacher, names.first());
    }

    void alternativesOfAFirstLessonAndAGroupLesson()
    {
        rasp::State s = absenceschool::school();
        ab::MarkAbsent(s, u"Иванова"_s, 1, 1, QString());
        ab::MarkAbsent(s, u"Орлов"_s, 2, 2, QString());
        const ab::DayFacts facts(s);
        const ab::CoverModel model(facts, ab::CoverCounts(), ab::Weights());
        QCOMPARE(model.lessonCount(), 2);
        QStringList first;
        for (const ab::Option *o : ab::RankCandidates(model, 0).alternatives)
            first << ab::ActionWord(o->action) + u' ' + o->subject + QString::number(o->otherRow);
        QVERIFY2(first.contains(u"cancel 0"_s), qPrintable(first.join(u", "_s)));      // the first lesson of 7А
        QVERIFY2(first.contains(u"subject Англ0"_s), qPrintable(first.join(u", "_s))); // Орлов and Белова are free
        // Петров is busy in row 1: neither his Физика instead nor his last lesson moved up.
        QVERIFY2(!first.contains(u"subject Физика0"_s) && !first.contains(u"move 4"_s), qPrintable(first.join(u", "_s)));
        // The group lesson: Белова, the other group's teacher, may take both groups.
        bool merge = false;
        for (const ab::Candidate &c : ab::RankCandidates(model, 1).teachers)
            merge = merge || (c.teacher == u"Белова"_s && c.free && c.option->kind == ab::kKindMerge);
        QVERIFY(merge);
    }

    void wholeDayCoverMatchesBruteForce()
    {
        std::mt19937 g(11);
        int compared = 0;
        for (int round = 0; round < 60 && compared < 25; ++round) {
            rasp::State s = randomDay(g, 3 + int(g() % 2), 6 + int(g() % 3), 4);
            const ab::DayFacts facts(s);
            ab::CoverCounts counts;
            for (int t = 0; t < facts.teacherCount(); ++t)
                counts.month.insert(facts.name(t), int(g() % 4));
            counts.cap = 3;
            ab::Weights w;
            w.perCover = 7; // fairness strong enough to matter on small days
            const ab::CoverModel model(facts, counts, w);
            double combinations = 1;
            for (int l = 0; l < model.lessonCount(); ++l)
                combinations *= double(model.options(l).size());
            if (model.lessonCount() < 2 || combinations > 200000)
                continue;
            const ab::DayCover cover = ab::SolveDayCover(model);
            QVERIFY2(cover.optimal, qPrintable(cover.error + u" %1 ms"_s.arg(cover.ms)));
            QCOMPARE(cover.total, bruteForce(model));
            ++compared;
        }
        QVERIFY(compared >= 10);
    }

    void wholeDayCoverNeverDoubleBooksNorBreaksADay()
    {
        std::mt19937 g(5);
        for (int round = 0; round < 40; ++round) {
            rasp::State s = randomDay(g, 4 + int(g() % 6), 8 + int(g() % 8), 5 + int(g() % 3));
            QVERIFY(!anyClash(s));
            const ab::DayFacts facts(s);
            ab::CoverCounts counts;
            counts.cap = 2;
            const ab::CoverModel model(facts, counts, ab::PresetWeights(round % 2 ? ab::Preset::Fair : ab::Preset::Subject));
            const ab::DayCover cover = ab::SolveDayCover(model);
            QVERIFY(cover.solved && cover.optimal);
            QVERIFY(ab::Feasible(model, cover.chosen));
            QCOMPARE(ab::SolveDayCover(model).chosen, cover.chosen); // the same day, the same proposal

            // The total counts the proposal's own picks: a teacher's n-th pick costs the n-th step.
            long long total = 0;
            std::map<int, int> picks;
            for (int l = 0; l < model.lessonCount(); ++l) {
                const ab::Option &o = model.options(l)[std::size_t(cover.chosen[std::size_t(l)])];
                total += o.staticCost;
                if (o.fairName >= 0)
                    total += model.marginal(model.startCount(o.fairName) + ++picks[o.fairName]);
            }
            QCOMPARE(cover.total, total);

            ab::ApplyChoice(s, model, cover.chosen);
            QVERIFY2(!anyClash(s), qPrintable(u"round %1"_s.arg(round)));
            QVERIFY(unbroken(s));
        }
    }

    void applyThenUndoGivesTheIdenticalDayAndCompanion()
    {
        rasp::State s = absenceschool::school();
        ab::MarkAbsent(s, u"Иванова"_s, 1, 6, u"болезнь"_s);
        ab::MarkAbsent(s, u"Петров"_s, 4, 4, u"курсы"_s);
        // A cover kept for a lesson no longer on the grid (its class renamed) goes with Петров too.
        s.companion.covers.push_back({5, u"9Б"_s, u"Зайцев"_s, ab::kKindSubject, u"Петров"_s});
        const QStringList dayBefore = rasp::day::DayFileLines(s);
        const QStringList companionBefore = ab::CompanionLines(ab::CompanionOfDay(s));
        const rasp::day::GridSnapshot before = rasp::day::TakeGridSnapshot(s);
        const ab::DayFacts facts(s);
        const ab::CoverModel model(facts, ab::CoverCounts(), ab::Weights());
        const ab::DayCover cover = ab::SolveDayCover(model);
        ab::ApplyChoice(s, model, cover.chosen);
        rasp::day::PoiskUchit(s, QString());
        ab::RemoveAbsence(s, u"Петров"_s);
        QVERIFY(ab::CompanionLines(ab::CompanionOfDay(s)) != companionBefore);
        const rasp::day::GridChange change = rasp::day::Difference(before, rasp::day::TakeGridSnapshot(s));
        QVERIFY(rasp::day::ApplyGridChange(s, change, false));
        QCOMPARE(rasp::day::DayFileLines(s), dayBefore);
        QCOMPARE(ab::CompanionLines(ab::CompanionOfDay(s)), companionBefore);
        QVERIFY(rasp::day::ApplyGridChange(s, change, true)); // and redo
        QCOMPARE(ab::CoversOfAbsent(s, u"Петров"_s), 0);
    }

    void removingAnAbsenceTakesItsCoversOnly()
    {
        rasp::State s = absenceschool::school();
        ab::MarkAbsent(s, u"Иванова"_s, 1, 6, QString());
        ab::MarkAbsent(s, u"Орлов"_s, 2, 2, QString());
        s.grid.cell(1, 1).cover = rasp::day::Cover{u"Смирнова"_s, ab::kKindSubject, u"Иванова"_s, u"Алгебра"_s};
        s.grid.cell(2, 1).cover = rasp::day::Cover{u"Белова"_s, ab::kKindMerge, u"Орлов"_s, u"Англ"_s};
        const QStringList day = rasp::day::DayFileLines(s);
        QCOMPARE(ab::RemoveAbsence(s, u"Иванова"_s), 1);
        QVERIFY(s.grid.cell(1, 1).cover.empty());
        QVERIFY(!s.grid.cell(2, 1).cover.empty());
        QCOMPARE(rasp::day::DayFileLines(s), day);
        QCOMPARE(ab::RemoveAbsence(s, u"Иванова"_s), -1);
    }

    void coverMovesWithItsLessonThroughAnExactArrangement()
    {
        // 7А's covered Алгебра (row 1) clashes with nothing; its Физика in row 4 clashes with a
        // Физика of 8А put into row 4 too, so the arrangement moves lessons of 7А or 8А.
        QStringList rows = absenceschool::kDay;
        rows[3] = u"Физика|Химия|Физика|"_s;
        rows << u"|||"_s;
        rasp::State s = absenceschool::school(absenceschool::kLoad, rows, 6);
        s.grid.cell(1, 1).cover = rasp::day::Cover{u"Кузнецова"_s, ab::kKindSubject, u"Иванова"_s, u"Алгебра"_s};
        s.grid.cell(3, 1).cover = rasp::day::Cover{u"Смирнова"_s, ab::kKindSubject, u"Иванова"_s, u"Алгебра"_s};
        rasp::day::PoiskUchit(s, QString());
        rasp::arrange::TakeSnapshot(s);
        rasp::arrange::Options o;
        o.max_ur = 6;
        o.klassvis = s.klassvis;
        o.R = 6;
        o.P = 1;
        rasp::arrange::exact::Limits limits;
        const rasp::arrange::exact::Result r =
            rasp::arrange::exact::SolveExact(s.sost_rasp, o, {u"7А"_s, u"7Б"_s, u"8А"_s, u"8Б"_s}, limits);
        QCOMPARE(r.status, rasp::arrange::exact::Status::Solved);
        QVERIFY(r.movedCount > 0);
        rasp::arrange::ShowWorkingCopy(s);
        rasp::day::PoiskUchit(s, QString());
        int found = 0;
        for (int i = 1; i <= 6; ++i)
            for (int j = 1; j <= 4; ++j) {
                const rasp::day::Cell &c = s.grid.cell(i, j);
                if (c.cover.empty())
                    continue;
                ++found;
                QCOMPARE(c.subject, u"Алгебра"_s);
                QCOMPARE(j, 1);
                QVERIFY(c.teachers == c.cover.teacher);
            }
        QCOMPARE(found, 2);
        QVERIFY(s.companion.covers.empty());
        QVERIFY(!anyClash(s));
    }
};

QTEST_GUILESS_MAIN(TstAbsences)
#include "tst_absences.moc"
