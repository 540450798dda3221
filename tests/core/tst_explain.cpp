// Explanations of the grid's colours (teacher clashes, red rooms, bad class shapes) and the
// snapshots that undo and redo restore: small days with known partners, and the explanations
// checked against the rules they explain on random rows.
#include "arrange/analysis.h"
#include "baregrid.h"
#include "day/explain.h"
#include "day/gridops.h"
#include "day/gridsnapshot.h"
#include "day/kabpoisk.h"
#include "day/poiskuchit.h"
#include "load/nagruzfile.h"
#include "state.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using baregrid::grid;

namespace {

// Puts "a|b|c" into one text of each cell of a row.
void setRow(rasp::State &s, int row, const QString &texts, QString rasp::day::Cell::*field)
{
    const QStringList parts = texts.split(u'|');
    for (int j = 1; j <= s.klassvis && j <= parts.size(); ++j)
        s.grid.cell(row, j).*field = parts.at(j - 1);
}

QString columns(const std::vector<int> &c)
{
    QStringList out;
    for (int k : c)
        out << QString::number(k);
    return out.join(u',');
}

QString describe(const std::vector<rasp::day::TeacherClash> &clashes)
{
    QStringList out;
    for (const auto &c : clashes)
        out << u"%1:%2:%3"_s.arg(c.row).arg(c.teacher, columns(c.classes));
    return out.join(u' ');
}

QString describe(const std::vector<rasp::day::RoomClash> &clashes)
{
    QStringList out;
    for (const auto &c : clashes)
        out << u"%1:%2:%3"_s.arg(c.row).arg(c.room, columns(c.classes));
    return out.join(u' ');
}

} // namespace

class TestExplain : public QObject
{
    Q_OBJECT
private slots:
    void teacherClashesFollowTheClashRule_data();
    void teacherClashesFollowTheClashRule();
    void teacherClashesAgreeWithSootvOnRandomRows();
    void colouredClashesNameEveryTeacherAndSayWhereTheArrangementDiffers_data();
    void colouredClashesNameEveryTeacherAndSayWhereTheArrangementDiffers();
    void redRoomsAreExplained_data();
    void redRoomsAreExplained();
    void explainedRoomsAreExactlyTheRedOnesOnRandomRows();
    void shapeProblemsSaySo_data();
    void shapeProblemsSaySo();
    void shapeProblemsAgreeWithSootvKlassaOnRandomDays();
    void tooltipLinesNameThePartners();
    void snapshotChangeRestoresBothSides();
    void snapshotChangeWritesThroughToTheTemplate();
    void snapshotChangeRefusesAnotherShape();
};

void TestExplain::teacherClashesFollowTheClashRule_data()
{
    QTest::addColumn<QString>("lists");
    QTest::addColumn<QString>("expected");
    QTest::newRow("second teacher of a pair clashes") << u"А, Б|Б|В"_s << u"1:Б:1,2"_s;
    QTest::newRow("second part against a first name") << u"А|Б, А"_s << u"1:А:1,2"_s;
    QTest::newRow("different single names") << u"А|Б|В"_s << QString();
    QTest::newRow("three classes one teacher") << u"А|В|А|А, Г"_s << u"1:А:1,3,4"_s;
    QTest::newRow("two teachers clash at once") << u"А|Б|А|Б"_s << u"1:А:1,3 1:Б:2,4"_s;
    // The second part of a list of three is one text: "Б, В" of the first list meets no "Б".
    QTest::newRow("rest of three is one text") << u"А, Б, В|Б, В|Б"_s << u"1:Б:2,3"_s;
    QTest::newRow("longer name is not the same teacher") << u"Иванов|Иванова|"_s << QString();
    QTest::newRow("empty lists are never compared") << u"||А"_s << QString();
}

void TestExplain::teacherClashesFollowTheClashRule()
{
    QFETCH(QString, lists);
    QFETCH(QString, expected);
    rasp::State s = grid(4);
    setRow(s, 1, lists, &rasp::day::Cell::teachers);
    setRow(s, 2, lists, &rasp::day::Cell::teachers);
    QCOMPARE(describe(rasp::day::TeacherClashes(s, 1)), expected);
    // The whole day lists every row.
    QString both = expected.isEmpty() ? QString() : expected + u' ' + QString(expected).replace(u"1:"_s, u"2:"_s);
    QCOMPARE(describe(rasp::day::TeacherClashes(s)), both);
}

void TestExplain::colouredClashesNameEveryTeacherAndSayWhereTheArrangementDiffers_data()
{
    QTest::addColumn<QString>("lists");
    QTest::addColumn<QString>("coloured");
    QTest::addColumn<bool>("arrangementDiffers"); // for the first class
    QTest::addColumn<QString>("counted");         // the coloured clashes the arrangement counts too
    QTest::newRow("pair clash, both rules") << u"А, Б|Б|В"_s << u"1:Б:1,2"_s << false << u"Б"_s;
    // A group lesson of three: the third name meets another class; the arrangement compares
    // "Б, В" as one text and sees nothing.
    QTest::newRow("third name of a group lesson") << u"А, Б, В|В|Г"_s << u"1:В:1,2"_s << true << QString();
    QTest::newRow("second name of a group lesson") << u"А, Б, В|Б|"_s << u"1:Б:1,2"_s << true << QString();
    // The same partners by both rules, though the arrangement names "Б, В" as one teacher.
    QTest::newRow("the same group twice") << u"А, Б, В|А, Б, В|"_s << u"1:А:1,2 1:Б:1,2 1:В:1,2"_s << false
                                          << u"А"_s;
    QTest::newRow("no clash") << u"А, Б, В|Г|"_s << QString() << false << QString();
}

void TestExplain::colouredClashesNameEveryTeacherAndSayWhereTheArrangementDiffers()
{
    QFETCH(QString, lists);
    QFETCH(QString, coloured);
    QFETCH(bool, arrangementDiffers);
    QFETCH(QString, counted);
    rasp::State s = grid(4);
    setRow(s, 1, lists, &rasp::day::Cell::teachers);
    QCOMPARE(describe(rasp::day::ColouredTeacherClashes(s, 1)), coloured);
    QCOMPARE(!rasp::day::ArrangementRuleLine(s, 1, 1).isEmpty(), arrangementDiffers);
    QStringList both;
    for (const auto &c : rasp::day::ColouredTeacherClashes(s, 1))
        if (rasp::day::ArrangementCountsClash(s, c))
            both << c.teacher;
    QCOMPARE(both.join(u' '), counted);
}

void TestExplain::teacherClashesAgreeWithSootvOnRandomRows()
{
    // A row has a clash by the arrangement's rule exactly when it has an explained clash, and
    // every explained pair of classes is in conflict by that rule.
    const QStringList names{u"А"_s, u"Б"_s, u"В"_s, u"АБ"_s};
    auto *rng = QRandomGenerator::global();
    for (int round = 0; round < 300; ++round) {
        rasp::State s = grid(6, 6);
        rasp::arrange::TPodbor podbor;
        for (int j = 1; j <= 6; ++j) {
            QStringList list;
            const int n = int(rng->bounded(4));
            for (int k = 0; k < n; ++k)
                list << names.at(rng->bounded(names.size()));
            s.grid.cell(1, j).teachers = list.join(u", "_s);
            podbor.itog_uch[1][j] = s.grid.cell(1, j).teachers;
        }
        const rasp::arrange::Options options{6, 6, 1, 0};
        const auto clashes = rasp::day::TeacherClashes(s, 1);
        QCOMPARE(clashes.empty(), rasp::arrange::Sootv(options, podbor.itog_uch));
        for (const auto &c : clashes)
            for (std::size_t a = 0; a + 1 < c.classes.size(); ++a)
                QVERIFY(rasp::arrange::ListsConflict(s.grid.cell(1, c.classes[a]).teachers,
                                                     s.grid.cell(1, c.classes[a + 1]).teachers));
    }
}

void TestExplain::redRoomsAreExplained_data()
{
    QTest::addColumn<QString>("rooms");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a split class shares one room") << u"12/14|14|"_s << u"1:14:1,2"_s;
    QTest::newRow("backslash counts as slash") << u"12\\14|12|"_s << u"1:12:1,2"_s;
    QTest::newRow("no shared room") << u"12/14|21/41|"_s << QString();
    QTest::newRow("same room twice turns the row red") << u"5|12/12|7"_s << u"1:12:1,2,3"_s;
    QTest::newRow("same room twice alone") << u"12/12||"_s << QString();
    QTest::newRow("whole names only") << u"1|12|"_s << QString();
    QTest::newRow("two rooms doubly booked") << u"12|14|12/14"_s << u"1:12:1,3 1:14:2,3"_s;
}

void TestExplain::redRoomsAreExplained()
{
    QFETCH(QString, rooms);
    QFETCH(QString, expected);
    rasp::State s = grid(3);
    setRow(s, 1, rooms, &rasp::day::Cell::room);
    QCOMPARE(describe(rasp::day::RoomClashes(s, 1)), expected);
}

void TestExplain::explainedRoomsAreExactlyTheRedOnesOnRandomRows()
{
    const QStringList rooms{u"12"_s, u"14"_s, u"1"_s, u"12/14"_s, u"14\\12"_s, u"12/12"_s, u"1/"_s, u"/14"_s, QString()};
    auto *rng = QRandomGenerator::global();
    for (int round = 0; round < 500; ++round) {
        rasp::State s = grid(5, 6);
        for (int j = 1; j <= 5; ++j)
            s.grid.cell(1, j).room = rooms.at(rng->bounded(rooms.size()));
        rasp::day::KabPoisk(s, 1, 0, QString());
        std::vector<char> explained(6, 0);
        for (const auto &c : rasp::day::RoomClashes(s, 1))
            for (int k : c.classes)
                explained[std::size_t(k)] = 1;
        for (int j = 1; j <= 5; ++j) {
            const bool red = s.grid.cell(1, j).roomColour == rasp::day::kRed;
            QVERIFY2(red == bool(explained[std::size_t(j)]), qPrintable(s.grid.cell(1, j).room));
            QCOMPARE(rasp::day::RoomClashLines(s, 1, j).isEmpty(), !red);
        }
    }
}

void TestExplain::shapeProblemsSaySo_data()
{
    QTest::addColumn<QString>("subjects"); // rows 1..6 of class 1
    QTest::addColumn<int>("R");
    QTest::addColumn<int>("P");
    QTest::addColumn<QString>("expected");
    QTest::newRow("good day") << u"А|Б|В|||"_s << 6 << 0 << QString();
    QTest::newRow("late start") << u"||А|Б||"_s << 6 << 0 << u"3:Первый урок — 3-й, а начинать нужно не позже 1-го"_s;
    QTest::newRow("late start allowed") << u"||А|Б||"_s << 6 << 2 << QString();
    QTest::newRow("one-row gap") << u"А||Б|||"_s << 6 << 0 << u"2:Окно на 2-м уроке"_s;
    QTest::newRow("two-row gap") << u"А|||Б||"_s << 6 << 0 << u"2:Окно на 2–3-м уроках"_s;
    QTest::newRow("late start and gap") << u"|А||Б||"_s << 6 << 0
                                        << u"2:Первый урок — 2-й, а начинать нужно не позже 1-го 3:Окно на 3-м уроке"_s;
    QTest::newRow("gap below R does not count") << u"А|Б|||В|"_s << 4 << 0 << QString();
    QTest::newRow("no lesson up to R") << u"||||А|"_s << 4 << 0 << u"0:Нет ни одного урока с 1-го по 4-й"_s;
}

void TestExplain::shapeProblemsSaySo()
{
    QFETCH(QString, subjects);
    QFETCH(int, R);
    QFETCH(int, P);
    QFETCH(QString, expected);
    rasp::State s = grid(1);
    const QStringList cells = subjects.split(u'|');
    for (int i = 1; i <= 6; ++i)
        s.grid.cell(i, 1).subject = cells.at(i - 1);
    QStringList got;
    for (const auto &p : rasp::day::ClassShapeProblems(s, 1, R, P))
        got << QString::number(p.row) + u':' + p.text;
    QCOMPARE(got.join(u' '), expected);
}

void TestExplain::shapeProblemsAgreeWithSootvKlassaOnRandomDays()
{
    auto *rng = QRandomGenerator::global();
    for (int round = 0; round < 400; ++round) {
        rasp::State s = grid(4, 8);
        rasp::arrange::TPodbor podbor;
        for (int j = 1; j <= 4; ++j)
            for (int i = 1; i <= 8; ++i) {
                s.grid.cell(i, j).subject = rng->bounded(3) == 0 ? QString() : u"У"_s;
                podbor.itog_ur[i][j] = s.grid.cell(i, j).subject;
            }
        const int R = int(rng->bounded(1, 9));
        const int P = int(rng->bounded(0, 3));
        const rasp::arrange::Options options{8, 4, R, P};
        for (int j = 1; j <= 4; ++j)
            QCOMPARE(rasp::day::ClassShapeProblems(s, j, R, P).empty(), rasp::arrange::SootvKlassa(options, j, podbor.itog_ur));
    }
}

void TestExplain::tooltipLinesNameThePartners()
{
    // A real school: in row 1 class 7Б has Иванова and Петров together, 8А has Петров; class 9В's
    // teacher "Иванов" is a part of "Иванова И. И." only.
    rasp::State s;
    s.max_ur = 6;
    rasp::FillPalette(s);
    rasp::BuildPlaceholders(s);
    rasp::load::NagruzReport report;
    rasp::load::NagruzLoadLines(s,
                                {u"7Б|8А|9В|5А|"_s, u"Иванова И. И.|Алгебра;|||Химия;|"_s,
                                 u"Петров П. П.|Алгебра;|Физика;|||"_s, u"Иванов|||Химия;||"_s, u"~end~"_s},
                                1, report);
    setRow(s, 1, u"Алгебра|Физика|Химия|Химия"_s, &rasp::day::Cell::subject);
    setRow(s, 1, u"12/14|14||12"_s, &rasp::day::Cell::room);
    rasp::day::PoiskUchit(s, QString());
    rasp::day::KabPoisk(s, 1, 0, QString());
    QCOMPARE(s.grid.cell(1, 1).teachers, u"Иванова И. И., Петров П. П."_s);
    QCOMPARE(rasp::day::LessonClashLines(s, 1, 1),
             QStringList({u"Иванова И. И. в этот урок также в 5А"_s, u"Петров П. П. в этот урок также в 8А"_s}));
    QCOMPARE(rasp::day::LessonClashLines(s, 1, 2), QStringList{u"Петров П. П. в этот урок также в 7Б"_s});
    QCOMPARE(rasp::day::LessonClashLines(s, 1, 3),
             QStringList({u"Похожее имя в этот урок в 7Б: Иванова И. И., Петров П. П."_s,
                          u"Похожее имя в этот урок в 5А: Иванова И. И."_s}));
    QCOMPARE(rasp::day::RoomClashLines(s, 1, 1),
             QStringList({u"Кабинет 12 в этот урок также у 5А"_s, u"Кабинет 14 в этот урок также у 8А"_s}));
    QCOMPARE(rasp::day::RoomClashLines(s, 1, 2), QStringList{u"Кабинет 14 в этот урок также у 7Б"_s});
    QVERIFY(rasp::day::RoomClashLines(s, 1, 3).isEmpty());
    s.grid.cell(1, 3).room = u"5/5"_s;
    QCOMPARE(rasp::day::RoomClashLines(s, 1, 3), QStringList{u"Кабинет 5 указан дважды"_s});
    QCOMPARE(rasp::day::RoomClashLines(s, 1, 2),
             QStringList({u"Кабинет 14 в этот урок также у 7Б"_s, u"Кабинет 5 указан дважды у 9В"_s}));
    // Row numbers: 8А starts late, 9В has a gap.
    setRow(s, 2, u"Алгебра|Физика|Химия|Химия"_s, &rasp::day::Cell::subject);
    setRow(s, 3, u"Алгебра|Физика||Химия"_s, &rasp::day::Cell::subject);
    setRow(s, 4, u"Алгебра|Физика|Химия|Химия"_s, &rasp::day::Cell::subject);
    s.grid.cell(1, 2).subject.clear();
    QCOMPARE(rasp::day::RowShapeLines(s, 2, 6, 0), QStringList{u"8А: первый урок — 2-й, а начинать нужно не позже 1-го"_s});
    QCOMPARE(rasp::day::RowShapeLines(s, 3, 6, 0), QStringList{u"9В: окно на 3-м уроке"_s});
    QVERIFY(rasp::day::RowShapeLines(s, 1, 6, 0).isEmpty());
}

void TestExplain::snapshotChangeRestoresBothSides()
{
    rasp::State s = grid(3);
    s.pins = {{u"А"_s, false}, {u"Б"_s, true}};
    setRow(s, 1, u"А|Б|В"_s, &rasp::day::Cell::subject);
    setRow(s, 1, u"1|2|3"_s, &rasp::day::Cell::room);
    s.note = u"заметка"_s;
    const rasp::day::GridSnapshot before = rasp::day::TakeGridSnapshot(s);

    s.grid.cell(1, 1).subject = u"Г"_s;
    s.grid.cell(2, 3).room = u"12"_s;
    rasp::day::LockCell(s.grid.cell(1, 2));
    s.grid.setFrozen(1, true);
    s.note.clear();
    s.pins[0].checked = true;
    const rasp::day::GridSnapshot after = rasp::day::TakeGridSnapshot(s);

    const rasp::day::GridChange change = rasp::day::Difference(before, after);
    QCOMPARE(change.cells.size(), std::size_t(3)); // only the touched cells are kept
    QVERIFY(change.frozenChanged && change.noteChanged && change.pinsChanged);
    QVERIFY(rasp::day::Difference(before, before).empty());

    QVERIFY(rasp::day::ApplyGridChange(s, change, false));
    const rasp::day::GridSnapshot undone = rasp::day::TakeGridSnapshot(s);
    QVERIFY(undone.cells == before.cells);
    QVERIFY(undone.frozen == before.frozen);
    QCOMPARE(undone.note, before.note);
    QVERIFY(undone.pins == before.pins);
    QVERIFY(!s.grid.cell(1, 2).locked());

    QVERIFY(rasp::day::ApplyGridChange(s, change, true));
    const rasp::day::GridSnapshot redone = rasp::day::TakeGridSnapshot(s);
    QVERIFY(redone.cells == after.cells);
    QVERIFY(redone.frozen == after.frozen);
    QCOMPARE(redone.note, after.note);
    QVERIFY(redone.pins == after.pins);
    QVERIFY(s.grid.cell(1, 2).locked());
    QCOMPARE(s.grid.cell(1, 2).caption, u"Б"_s);
}

void TestExplain::snapshotChangeWritesThroughToTheTemplate()
{
    rasp::State s = grid(2);
    const rasp::day::GridSnapshot before = rasp::day::TakeGridSnapshot(s);
    s.grid.cell(3, 2).subject = u"Химия"_s;
    s.grid.cell(3, 2).room = u"7"_s;
    const rasp::day::GridChange change = rasp::day::Difference(before, rasp::day::TakeGridSnapshot(s));
    QVERIFY(rasp::day::ApplyGridChange(s, change, true, 4));
    QCOMPARE(s.Setka[4].ur(3, 2), u"Химия"_s);
    QCOMPARE(s.Setka[4].kab(3, 2), u"7"_s);
    QVERIFY(rasp::day::ApplyGridChange(s, change, false, 4));
    QCOMPARE(s.Setka[4].ur(3, 2), QString());
    QCOMPARE(s.grid.cell(3, 2).subject, QString());
    QCOMPARE(s.Setka[3].ur(3, 2), QString()); // other weekdays untouched
}

void TestExplain::snapshotChangeRefusesAnotherShape()
{
    rasp::State s = grid(2);
    const rasp::day::GridSnapshot before = rasp::day::TakeGridSnapshot(s);
    s.grid.cell(1, 1).subject = u"А"_s;
    const rasp::day::GridChange change = rasp::day::Difference(before, rasp::day::TakeGridSnapshot(s));
    rasp::day::KlassCreate(s); // a class was added since the edit
    QVERIFY(!rasp::day::ApplyGridChange(s, change, false));
    QCOMPARE(s.grid.cell(1, 1).subject, u"А"_s);
    QVERIFY(rasp::day::Difference(before, rasp::day::TakeGridSnapshot(s)).empty());
}

QTEST_APPLESS_MAIN(TestExplain)
#include "tst_explain.moc"
