// Export layouts of the day and the template: row counts, weekday counts, and the cells,
// merges, borders and row heights of the workbook sheets and document tables in every mode
// and both class layouts.
#include "day/gridops.h"
#include "exportschool.h"
#include "reports/exportlayout.h"
#include "state.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace rasp::reports;
using exportschool::Mode;

Q_DECLARE_METATYPE(Mode)

namespace {

// Expected cell: text, bold; "#" before the text marks a number cell.
struct Want {
    int row, column;
    QString text;
    bool bold;
};

using exportschool::school;

QString describe(const std::vector<Block> &blocks)
{
    QStringList out;
    for (const Block &b : blocks)
        out << u"%1,%2-%3,%4"_s.arg(b.top).arg(b.left).arg(b.bottom).arg(b.right);
    return out.join(u' ');
}

QString describe(const std::map<int, double> &heights)
{
    QStringList out;
    for (const auto &[r, h] : heights)
        out << u"%1:%2"_s.arg(r).arg(h);
    return out.join(u' ');
}

void checkCells(const std::map<CellKey, LayoutCell> &cells, const std::vector<Want> &wants)
{
    for (const Want &w : wants) {
        const auto it = cells.find({w.row, w.column});
        QVERIFY2(it != cells.end(), qPrintable(u"no cell at %1,%2"_s.arg(w.row).arg(w.column)));
        QCOMPARE(it->second.text, w.text);
        QCOMPARE(it->second.bold, w.bold);
        bool whole = false;
        it->second.text.toInt(&whole);
        QCOMPARE(it->second.number, whole && w.bold);
    }
}

const QString T = exportschool::kTitle;

} // namespace

class TstExportLayout : public QObject
{
    Q_OBJECT

private slots:
    void rowCounts_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<QString>("counts");
        QTest::newRow("single: the class with the latest lesson") << Mode::Single << false << u"7;0;0;"_s;
        // One table: the locked ИЗО in row 7 does not count, so 6Б ends at lesson 1 and 6А at 2.
        QTest::newRow("one table: locked cells left out") << Mode::OneTable << false << u"4;2;1;"_s;
        QTest::newRow("two tables") << Mode::TwoTables << false << u"4;3;0;"_s;
        QTest::newRow("empty day") << Mode::Single << true << u"0;0;0;"_s;
        QTest::newRow("empty day, two tables") << Mode::TwoTables << true << u"0;0;0;"_s;
    }
    void rowCounts()
    {
        QFETCH(Mode, mode);
        QFETCH(bool, empty);
        QFETCH(QString, counts);
        rasp::State s = school();
        exportschool::setMode(s, mode, true);
        if (empty)
            rasp::day::RaspClear(s);
        QCOMPARE(MaxStrokRasp(s), counts);
    }

    void secondShiftNeedsBothBounds()
    {
        rasp::State s = school();
        exportschool::setMode(s, Mode::OneTable, true);
        QCOMPARE(ExportModeOf(s), ExportMode::OneTable);
        s.vt_sm_y = 0;
        QCOMPARE(ExportModeOf(s), ExportMode::Single);
        s.vt_sm_y = 4;
        s.vt_sm_x = 0;
        QCOMPARE(ExportModeOf(s), ExportMode::Single);
        s.vt_sm_x = 2;
        s.settings.secondShift = false;
        QCOMPARE(ExportModeOf(s), ExportMode::Single);
    }

    void weekdayCounts()
    {
        const rasp::State s = school();
        const auto whole = MasStolb(s, 1, 4, 1, 8).mas_stolb;
        QCOMPARE(whole[1][1], 6); // Monday: Физ in row 6
        QCOMPARE(whole[1][2], 0);
        QCOMPARE(whole[1][3], 1);
        QCOMPARE(whole[2][1], 1);
        QCOMPARE(whole[2][2], 0);
        QCOMPARE(whole[2][3], 1);
        QCOMPARE(whole[1][8], 7);
        QCOMPARE(whole[2][8], 8); // 4 classes x 2 weekdays with content
        const auto second = MasStolb(s, 3, 4, 5, 8);
        QCOMPARE(second.mas_stolb[1][1], 2); // row 6 counted from row 5
        QCOMPARE(second.mas_stolb[1][3], 0);
        QCOMPARE(second.mas_stolb[2][8], 2);
        QCOMPARE(MaxObs(second), 2);
    }

    void daySheet_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<bool>("inRow");
        QTest::addColumn<std::vector<Want>>("cells");
        QTest::addColumn<QString>("merges");
        QTest::addColumn<QString>("borders");
        QTest::addColumn<QString>("heights");

        QTest::newRow("single, in a row")
            << Mode::Single << true
            << std::vector<Want>{{1, 1, T, true}, {2, 1, u"№"_s, true}, {2, 2, u"5А"_s, true}, {2, 5, u"6Б"_s, true}, {3, 1, u"1"_s, true}, {3, 2, u"Алгебра\r\n12"_s, false}, {5, 2, u"Химия\r\n"_s, false}, {9, 1, u"7"_s, true}, {9, 5, u"ИЗО\r\n"_s, false}, {7, 4, u"Биол\r\n31"_s, false}}
            << u"1,1-1,5"_s << u"1,1-9,5"_s << QString();
        QTest::newRow("one table, in a row")
            << Mode::OneTable << true
            << std::vector<Want>{{1, 1, T, true}, {2, 1, u"№"_s, true}, {2, 2, u"5А"_s, true}, {2, 3, u"5Б"_s, true}, {2, 4, u"№"_s, true}, {2, 5, u"6А"_s, true}, {2, 6, u"6Б"_s, true}, {3, 4, u"1"_s, true}, {3, 5, u"Биол\r\n31"_s, false}, {4, 5, u"Геогр\r\n"_s, false}, {6, 3, u"Лит\r\n"_s, false}, {5, 6, u"ИЗО\r\n"_s, false}, {6, 4, u"4"_s, true}}
            << u"1,1-1,6"_s << u"1,1-6,6"_s << QString();
        QTest::newRow("two tables, in a row")
            << Mode::TwoTables << true
            << std::vector<Want>{{1, 1, T, true}, {2, 3, u"5Б"_s, true}, {6, 3, u"Лит\r\n"_s, false}, {10, 1, T, true}, {11, 1, u"№"_s, true}, {11, 2, u"6А"_s, true}, {11, 3, u"6Б"_s, true}, {12, 2, u"Биол\r\n31"_s, false}, {14, 3, u"ИЗО\r\n"_s, false}, {14, 1, u"3"_s, true}}
            << u"1,1-1,3 10,1-10,3"_s << u"1,1-6,3 10,1-14,3"_s << QString();
        QTest::newRow("single, in a column")
            << Mode::Single << false
            << std::vector<Want>{{1, 2, T, true}, {2, 1, u"№"_s, true}, {2, 2, u"1"_s, true}, {2, 8, u"7"_s, true}, {3, 1, u"5А"_s, true}, {3, 2, u"Алгебра\r\n12"_s, false}, {6, 1, u"6Б"_s, true}, {6, 8, u"ИЗО\r\n"_s, false}, {5, 6, u"Биол\r\n31"_s, false}}
            << u"1,2-1,8"_s << u"1,1-6,8"_s << QString();
        QTest::newRow("one table, in a column")
            << Mode::OneTable << false
            << std::vector<Want>{{1, 2, T + u"\r\nПервая смена"_s, true}, {2, 5, u"4"_s, true}, {3, 1, u"5А"_s, true}, {4, 1, u"5Б"_s, true}, {4, 5, u"Лит\r\n"_s, false}, {5, 2, T + u"\r\nВторая смена"_s, true}, {6, 1, u"6А"_s, true}, {6, 2, u"Биол\r\n31"_s, false}, {7, 1, u"6Б"_s, true}, {7, 4, u"ИЗО\r\n"_s, false}}
            << u"1,2-1,5 5,2-5,5"_s << u"1,1-7,5"_s << u"1:30 5:30"_s;
        QTest::newRow("two tables, in a column")
            << Mode::TwoTables << false
            << std::vector<Want>{{1, 2, T, true}, {4, 1, u"5Б"_s, true}, {4, 5, u"Лит\r\n"_s, false}, {8, 2, T, true}, {9, 1, u"№"_s, true}, {9, 4, u"3"_s, true}, {10, 1, u"6А"_s, true}, {10, 2, u"Биол\r\n31"_s, false}, {11, 4, u"ИЗО\r\n"_s, false}}
            << u"1,2-1,5 8,2-8,4"_s << u"1,1-4,5 8,1-11,4"_s << QString();
    }
    void daySheet()
    {
        QFETCH(Mode, mode);
        QFETCH(bool, inRow);
        QFETCH(std::vector<Want>, cells);
        rasp::State s = school();
        exportschool::setMode(s, mode, inRow);
        const Sheet sheet = DaySheet(s, exportschool::kDate);
        QCOMPARE(sheet.name, u"Среда 09.12.2026"_s);
        checkCells(sheet.cells, cells);
        QTEST(describe(sheet.merges), "merges");
        QTEST(describe(sheet.borders), "borders");
        QTEST(describe(sheet.rowHeights), "heights");
        for (const auto &[key, cell] : sheet.cells) {
            QVERIFY(cell.centred);
            QVERIFY(!cell.rotated);
            if (cell.text.contains(u"\r\n"_s) && !cell.text.contains(u"смена"_s))
                QVERIFY2(!cell.bold, "lesson cells are regular");
        }
    }

    void emptyDayHasTitleHeaderAndClassesOnly()
    {
        rasp::State s = school();
        rasp::day::RaspClear(s);
        const Sheet sheet = DaySheet(s, exportschool::kDate);
        QCOMPARE(sheet.cells.size(), std::size_t(6)); // title, "№" and four class names
        QCOMPARE(describe(sheet.borders), u"1,1-2,5"_s);
        const Document doc = DayDocument(s, exportschool::kDate);
        QCOMPARE(doc.tables.size(), std::size_t(1));
        QCOMPARE(doc.tables[0].rows, 3);
        QCOMPARE(describe(doc.tables[0].merges), u"1,1-1,5 3,1-3,5"_s);
        // A school without classes still gives a title and a header.
        const rasp::State none;
        QCOMPARE(DaySheet(none, exportschool::kDate).cells.size(), std::size_t(2));
        QCOMPARE(DayDocument(none, exportschool::kDate).tables[0].columns, 1);
        QCOMPARE(SetkaSheet(none).cells.size(), std::size_t(1));
    }

    void setkaSheet_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<bool>("inRow");
        QTest::addColumn<std::vector<Want>>("cells");
        QTest::addColumn<QString>("merges");
        QTest::addColumn<QString>("borders");
        QTest::addColumn<int>("weekdayNames");

        QTest::newRow("in a row")
            << Mode::Single << true
            << std::vector<Want>{{1, 2, u"№"_s, true}, {1, 3, u"5А"_s, true}, {1, 6, u"6Б"_s, true}, {2, 1, u"Понедельник"_s, true}, {2, 2, u"1"_s, true}, {2, 3, u"Мат"_s, false}, {3, 3, u"Рус"_s, false}, {7, 6, u"Физ"_s, false}, {7, 2, u"6"_s, true}, {8, 1, u"Среда"_s, true}, {8, 2, u"1"_s, true}, {8, 4, u"Хим"_s, false}}
            << u"2,1-7,1"_s << u"1,1-8,6"_s << 2;
        QTest::newRow("one table is the single sheet")
            << Mode::OneTable << true
            << std::vector<Want>{{2, 1, u"Понедельник"_s, true}, {7, 6, u"Физ"_s, false}, {8, 4, u"Хим"_s, false}}
            << u"2,1-7,1"_s << u"1,1-8,6"_s << 2;
        QTest::newRow("in a column")
            << Mode::Single << false
            << std::vector<Want>{{1, 2, u"№"_s, true}, {1, 3, u"1"_s, true}, {1, 8, u"6"_s, true}, {2, 1, u"Понедельник"_s, true}, {2, 2, u"5А"_s, true}, {2, 3, u"Мат"_s, false}, {2, 4, u"Рус"_s, false}, {5, 2, u"6Б"_s, true}, {5, 8, u"Физ"_s, false}, {6, 1, u"Среда"_s, true}, {7, 2, u"5Б"_s, true}, {7, 3, u"Хим"_s, false}}
            << u"2,1-5,1 6,1-9,1"_s << u"1,1-9,8"_s << 2;
        // First table: 5А, 5Б over rows 1..4 (Monday 2 rows, Wednesday 1); the second starts four
        // empty rows below its last row 4 and reads rows 5..8 as 1..4.
        QTest::newRow("two tables, in a row")
            << Mode::TwoTables << true
            << std::vector<Want>{{1, 3, u"5А"_s, true}, {2, 1, u"Понедельник"_s, true}, {3, 3, u"Рус"_s, false}, {4, 1, u"Среда"_s, true}, {4, 4, u"Хим"_s, false}, {9, 2, u"№"_s, true}, {9, 3, u"6А"_s, true}, {9, 4, u"6Б"_s, true}, {10, 1, u"Понедельник"_s, true}, {11, 2, u"2"_s, true}, {11, 4, u"Физ"_s, false}}
            << u"2,1-3,1 10,1-11,1"_s << u"1,1-4,4 9,1-11,4"_s << 3;
        QTest::newRow("two tables, in a column")
            << Mode::TwoTables << false
            << std::vector<Want>{{1, 4, u"2"_s, true}, {2, 1, u"Понедельник"_s, true}, {4, 1, u"Среда"_s, true}, {5, 3, u"Хим"_s, false}, {10, 2, u"№"_s, true}, {10, 4, u"2"_s, true}, {11, 1, u"Понедельник"_s, true}, {11, 2, u"6А"_s, true}, {12, 2, u"6Б"_s, true}, {12, 4, u"Физ"_s, false}}
            << u"2,1-3,1 4,1-5,1 11,1-12,1"_s << u"1,1-5,4 10,1-12,4"_s << 3;
    }
    void setkaSheet()
    {
        QFETCH(Mode, mode);
        QFETCH(bool, inRow);
        QFETCH(std::vector<Want>, cells);
        QFETCH(int, weekdayNames);
        rasp::State s = school();
        exportschool::setMode(s, mode, inRow);
        const Sheet sheet = SetkaSheet(s);
        QCOMPARE(sheet.name, u"Сетка"_s);
        checkCells(sheet.cells, cells);
        QTEST(describe(sheet.merges), "merges");
        QTEST(describe(sheet.borders), "borders");
        int rotated = 0;
        for (const auto &[key, cell] : sheet.cells) {
            QCOMPARE(cell.rotated, key.second == 1);
            QCOMPARE(cell.centred, key.second != 1); // the weekday name keeps no alignment
            QVERIFY(cell.text != u"40"_s);           // template rooms stay out
            rotated += cell.rotated;
        }
        QCOMPARE(rotated, weekdayNames);
    }

    void emptyTemplateHoldsOnlyItsFirstRow()
    {
        rasp::State s = school();
        for (auto &day : s.Setka)
            day.resize(-1, 0);
        for (const bool inRow : {true, false}) {
            s.settings.classesInRow = inRow;
            const Sheet sheet = SetkaSheet(s);
            for (const auto &[key, cell] : sheet.cells)
                QCOMPARE(key.first, 1);
            QVERIFY(sheet.merges.empty());
            QCOMPARE(sheet.borders.front().bottom, 1);
            QCOMPARE(SetkaDocument(s).tables[0].rows, 1);
        }
    }

    void dayDocument_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<bool>("inRow");
        QTest::addColumn<QString>("sizes");           // rows x columns of each table
        QTest::addColumn<std::vector<Want>>("cells"); // cells of the last table
        QTest::addColumn<QString>("merges");          // merges of the last table

        const QString note = u"Дежурный — 5А\nЛинейка в 8:00"_s;
        QTest::newRow("single, in a row")
            << Mode::Single << true << u"10x5"_s
            << std::vector<Want>{{1, 1, T, true}, {2, 1, u"№"_s, true}, {2, 5, u"6Б"_s, true}, {3, 2, u"Алгебра\r\n12"_s, false}, {9, 1, u"7"_s, true}, {10, 1, note, false}}
            << u"1,1-1,5 10,1-10,5"_s;
        QTest::newRow("one table, in a row")
            << Mode::OneTable << true << u"7x6"_s
            << std::vector<Want>{{2, 4, u"№"_s, true}, {2, 5, u"6А"_s, true}, {3, 4, u"1"_s, true}, {3, 5, u"Биол\r\n31"_s, false}, {7, 1, note, false}}
            << u"1,1-1,6 7,1-7,6"_s;
        QTest::newRow("two tables, in a row")
            << Mode::TwoTables << true << u"7x3 6x3"_s
            << std::vector<Want>{{1, 1, T, true}, {2, 2, u"6А"_s, true}, {3, 2, u"Биол\r\n31"_s, false}, {5, 3, u"ИЗО\r\n"_s, false}, {6, 1, note, false}}
            << u"1,1-1,3 6,1-6,3"_s;
        QTest::newRow("single, in a column")
            << Mode::Single << false << u"7x8"_s
            << std::vector<Want>{{1, 1, T, true}, {2, 1, u"№"_s, true}, {2, 8, u"7"_s, true}, {3, 1, u"5А"_s, true}, {6, 8, u"ИЗО\r\n"_s, false}, {7, 1, note, false}}
            << u"1,1-1,8 7,1-7,8"_s;
        QTest::newRow("one table, in a column")
            << Mode::OneTable << false << u"8x5"_s
            << std::vector<Want>{{1, 1, T + u"\r\nПервая смена"_s, true}, {4, 1, u"5Б"_s, true}, {5, 1, T + u"\r\nВторая смена"_s, true}, {6, 1, u"6А"_s, true}, {6, 2, u"Биол\r\n31"_s, false}, {8, 1, note, false}}
            << u"1,1-1,5 5,1-5,5 8,1-8,5"_s;
        QTest::newRow("two tables, in a column")
            << Mode::TwoTables << false << u"5x5 5x4"_s
            << std::vector<Want>{{2, 4, u"3"_s, true}, {3, 1, u"6А"_s, true}, {4, 4, u"ИЗО\r\n"_s, false}, {5, 1, note, false}}
            << u"1,1-1,4 5,1-5,4"_s;
    }
    void dayDocument()
    {
        QFETCH(Mode, mode);
        QFETCH(bool, inRow);
        QFETCH(std::vector<Want>, cells);
        rasp::State s = school();
        exportschool::setMode(s, mode, inRow);
        const Document doc = DayDocument(s, exportschool::kDate);
        QStringList sizes;
        for (const DocTable &t : doc.tables) {
            sizes << u"%1x%2"_s.arg(t.rows).arg(t.columns);
            QCOMPARE(t.fontSize, 11);
            QCOMPARE(t.cells.count({1, 1}) ? t.cells.at({1, 1}).size : 0, 14);
            QVERIFY(t.cells.at({1, 1}).text != u"День"_s);
        }
        QTEST(sizes.join(u' '), "sizes");
        checkCells(doc.tables.back().cells, cells);
        QTEST(describe(doc.tables.back().merges), "merges");
    }

    void emptyNoteKeepsTheLastRow()
    {
        rasp::State s = school();
        s.note.clear();
        const DocTable t = DayDocument(s, exportschool::kDate).tables[0];
        QCOMPARE(t.cells.at({t.rows, 1}).text, QString());
        QCOMPARE(describe(t.merges), u"1,1-1,5 10,1-10,5"_s);
    }

    void setkaDocument_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<bool>("inRow");
        QTest::addColumn<QString>("sizes");
        QTest::addColumn<std::vector<Want>>("cells"); // cells of the last table
        QTest::addColumn<QString>("merges");

        QTest::newRow("in a row")
            << Mode::Single << true << u"8x6"_s
            << std::vector<Want>{{1, 1, u"День"_s, true}, {1, 2, u"№"_s, true}, {1, 3, u"5А"_s, true}, {2, 1, u"Понедельник"_s, true}, {2, 3, u"Мат"_s, false}, {7, 6, u"Физ"_s, false}, {8, 1, u"Среда"_s, true}, {8, 4, u"Хим"_s, false}}
            << u"2,1-7,1"_s;
        QTest::newRow("in a column")
            << Mode::Single << false << u"9x8"_s
            << std::vector<Want>{{1, 1, u"День"_s, true}, {1, 8, u"6"_s, true}, {2, 2, u"5А"_s, true}, {2, 4, u"Рус"_s, false}, {5, 8, u"Физ"_s, false}, {7, 3, u"Хим"_s, false}}
            << u"2,1-5,1 6,1-9,1"_s;
        QTest::newRow("two tables, in a row")
            << Mode::TwoTables << true << u"4x4 3x4"_s
            << std::vector<Want>{{1, 1, u"День"_s, true}, {1, 3, u"6А"_s, true}, {2, 1, u"Понедельник"_s, true}, {3, 2, u"2"_s, true}, {3, 4, u"Физ"_s, false}}
            << u"2,1-3,1"_s;
        QTest::newRow("two tables, in a column")
            << Mode::TwoTables << false << u"5x4 3x4"_s
            << std::vector<Want>{{1, 4, u"2"_s, true}, {2, 2, u"6А"_s, true}, {3, 4, u"Физ"_s, false}}
            << u"2,1-3,1"_s;
    }
    void setkaDocument()
    {
        QFETCH(Mode, mode);
        QFETCH(bool, inRow);
        QFETCH(std::vector<Want>, cells);
        rasp::State s = school();
        exportschool::setMode(s, mode, inRow);
        const Document doc = SetkaDocument(s);
        QStringList sizes;
        for (const DocTable &t : doc.tables) {
            sizes << u"%1x%2"_s.arg(t.rows).arg(t.columns);
            QCOMPARE(t.fontSize, 8);
            for (const auto &[key, cell] : t.cells) {
                QCOMPARE(cell.rotated, key.first > 1 && key.second == 1);
                QCOMPARE(cell.size, cell.rotated ? 12 : 0);
            }
        }
        QTEST(sizes.join(u' '), "sizes");
        checkCells(doc.tables.back().cells, cells);
        QTEST(describe(doc.tables.back().merges), "merges");
    }

    void orientationFollowsTheSetting()
    {
        rasp::State s = school();
        QVERIFY(!DayDocument(s, exportschool::kDate).landscape);
        QVERIFY(!SetkaDocument(s).landscape);
        s.settings.portrait = false;
        QVERIFY(DayDocument(s, exportschool::kDate).landscape);
        QVERIFY(SetkaDocument(s).landscape);
    }

    // Bounds from a settings file that no longer fit the school: the shifted lessons that would
    // lie past the last grid row are empty, and a first shift larger than the school leaves an
    // empty second table instead of reading classes that do not exist.
    void boundsPastTheGridReadNothingOutside()
    {
        rasp::State s = school();
        exportschool::setMode(s, Mode::OneTable, true);
        s.vt_sm_y = 6; // first shift reaches row 6 at most; shifted lessons start at row 7
        put(s, 6, 1, u"Танцы"_s);
        QCOMPARE(MaxStrokRasp(s), u"6;0;1;"_s); // 6Б's ИЗО in row 7 is locked
        const Sheet sheet = DaySheet(s, exportschool::kDate);
        QCOMPARE(sheet.cells.at({8, 6}).text, u"\r\n"_s); // lesson 6 of 6Б would be grid row 12
        exportschool::setMode(s, Mode::TwoTables, false);
        s.vt_sm_x = 9;
        const Document doc = DayDocument(s, exportschool::kDate);
        QCOMPARE(doc.tables.size(), std::size_t(2));
        QCOMPARE(doc.tables[1].rows, 3);
        const Sheet two = DaySheet(s, exportschool::kDate);
        QVERIFY(!two.borders.empty());
    }

    void exportPaths()
    {
        QCOMPARE(DayExportPath(exportschool::kDate, u"xlsx"_s), u"raspisanie/09.12.2026.xlsx"_s);
        QCOMPARE(SetkaExportPath(u"docx"_s), u"setka/Сетка.docx"_s);
    }

private:
    static void put(rasp::State &s, int row, int column, const QString &subject)
    {
        exportschool::put(s, row, column, subject);
    }
};

QTEST_GUILESS_MAIN(TstExportLayout)
#include "tst_exportlayout.moc"
