// The day grid model: columns, addresses, lock states, clearing and pixel geometry.
#include "day/celladdress.h"
#include "day/gridgeometry.h"
#include "day/gridops.h"
#include "state.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

class TstDayGrid : public QObject
{
    Q_OBJECT

    static rasp::State gridWith(int maxUr, int classes)
    {
        rasp::State s;
        s.max_ur = maxUr;
        rasp::day::KlassCreate(s); // column 0
        for (int j = 0; j < classes; ++j)
            rasp::day::KlassCreate(s);
        return s;
    }

private slots:
    void addressSchemeBothWays_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("hint");
        QTest::newRow("1,1") << 1 << 1 << 101101 << u"1;1"_s;
        QTest::newRow("3,7") << 3 << 7 << 103107 << u"3;7"_s;
        QTest::newRow("16,12") << 16 << 12 << 116112 << u"16;12"_s;
        QTest::newRow("0,0") << 0 << 0 << 100100 << u"0;0"_s;
        QTest::newRow("16,200") << 16 << 200 << 116300 << u"16;200"_s;
    }
    void addressSchemeBothWays()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, tag);
        QFETCH(QString, hint);
        QCOMPARE(rasp::day::CellTag(row, column), tag);
        QCOMPARE(rasp::day::TagRow(tag), row);
        QCOMPARE(rasp::day::TagColumn(tag), column);
        QCOMPARE(rasp::day::CellHint(row, column), hint);
        int r = -1, c = -1;
        QVERIFY(rasp::day::ParseCellHint(hint, &r, &c));
        QCOMPARE(r, row);
        QCOMPARE(c, column);
    }

    void malformedHintsAreRejected()
    {
        int r = 0, c = 0;
        for (const QString &bad : {u""_s, u"1"_s, u"1;"_s, u";2"_s, u"a;b"_s})
            QVERIFY2(!rasp::day::ParseCellHint(bad, &r, &c), qPrintable(bad));
    }

    void klassCreateCountsColumnsAndShowsLessonFields()
    {
        rasp::State s;
        s.max_ur = 16;
        QCOMPARE(rasp::day::KlassCreate(s), 0);
        QCOMPARE(s.klassvis, 0);
        QCOMPARE(s.klassvis_mas, 1);
        QCOMPARE(s.grid.lastRow(), 16);
        QVERIFY(!s.grid.cell(1, 0).roomVisible); // column 0 is never shown
        QVERIFY(!rasp::day::SubjectVisible(s, 0, 0));

        QCOMPARE(rasp::day::KlassCreate(s), 1);
        QCOMPARE(s.klassvis, 1);
        QCOMPARE(s.klassvis_mas, 2);
        QVERIFY(rasp::day::SubjectVisible(s, 0, 1)); // the class header
        QVERIFY(!s.grid.cell(0, 1).roomVisible);
        for (int i = 1; i <= 16; ++i) {
            QVERIFY(s.grid.cell(i, 1).roomVisible);
            QCOMPARE(s.grid.cell(i, 1).style, rasp::day::kStyleFree);
            QVERIFY(s.grid.cell(i, 1).subject.isEmpty());
        }
    }

    void gridHoldsSixteenRowsByTwoHundredClasses()
    {
        rasp::State s = gridWith(16, rasp::day::kMaxClasses);
        QCOMPARE(s.klassvis, 200);
        s.grid.cell(16, 200).subject = u"Физика"_s;
        s.grid.cell(1, 1).subject = u"Химия"_s;
        QCOMPARE(s.grid.cell(16, 200).subject, u"Физика"_s);
        QCOMPARE(s.grid.cell(1, 1).subject, u"Химия"_s);
    }

    void removingAColumnShiftsLaterClassesLeft()
    {
        rasp::State s = gridWith(6, 3);
        for (int j = 1; j <= 3; ++j)
            s.grid.cell(2, j).subject = QString::number(j);
        s.grid.removeColumn(2);
        QCOMPARE(s.grid.columnCount(), 3);
        QCOMPARE(s.grid.cell(2, 1).subject, u"1"_s);
        QCOMPARE(s.grid.cell(2, 2).subject, u"3"_s);
    }

    void lockThenUnlockKeepsTheSubject()
    {
        rasp::State s = gridWith(6, 2);
        rasp::day::Cell &c = s.grid.cell(3, 2);
        c.subject = u"Алгебра"_s;
        rasp::day::LockCell(c);
        QCOMPARE(c.style, rasp::day::kStyleLocked);
        QVERIFY(c.locked());
        QCOMPARE(c.caption, u"Алгебра"_s);
        QVERIFY(!rasp::day::SubjectVisible(s, 3, 2));

        rasp::day::UnlockCell(c);
        QCOMPARE(c.style, rasp::day::kStyleFree);
        QVERIFY(!c.locked());
        QCOMPARE(c.subject, u"Алгебра"_s);
        QCOMPARE(c.caption, u"Алгебра"_s); // the caption keeps its text
        QVERIFY(rasp::day::SubjectVisible(s, 3, 2));
    }

    void raspClearLeavesEverythingFreeUnfrozenAndEmpty()
    {
        rasp::State s = gridWith(8, 3);
        for (int j = 1; j <= 3; ++j) {
            for (int i = 1; i <= 8; ++i) {
                rasp::day::Cell &c = s.grid.cell(i, j);
                c.subject = u"Рус"_s;
                c.room = u"12"_s;
                c.teachers = u"Иванова Анна Петровна"_s;
                c.textColour = rasp::day::kWhite;
                c.background = 0xFF385623;
                c.roomColour = rasp::day::kRed;
                if ((i + j) % 2)
                    rasp::day::LockCell(c);
            }
        }
        s.grid.setFrozen(2, true);
        s.grid.setFrozen(8, true);
        s.grid.cell(0, 1).subject = u"5А"_s;

        rasp::day::RaspClear(s);

        for (int i = 1; i <= 8; ++i) {
            QCOMPARE(s.grid.snegHint(i), u"0"_s);
            for (int j = 1; j <= 3; ++j) {
                const rasp::day::Cell &c = s.grid.cell(i, j);
                QVERIFY(c.subject.isEmpty());
                QVERIFY(c.room.isEmpty());
                QVERIFY(c.teachers.isEmpty());
                QCOMPARE(c.style, rasp::day::kStyleFree);
                QCOMPARE(c.textColour, rasp::day::kBlack);
                QCOMPARE(c.background, rasp::day::kWhite);
                QCOMPARE(c.roomColour, rasp::day::kRed); // the room colour is left to the room check
            }
        }
        QCOMPARE(s.grid.cell(0, 1).subject, u"5А"_s); // class names stay
    }

    void freezeHintIsZeroOrOne()
    {
        rasp::State s = gridWith(6, 1);
        QCOMPARE(s.grid.snegHint(3), u"0"_s);
        s.grid.setFrozen(3, true);
        QCOMPARE(s.grid.snegHint(3), u"1"_s);
    }

    void geometryOfCells_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QRect>("subject");
        QTest::addColumn<QRect>("room");
        QTest::addColumn<QRect>("frame");
        QTest::newRow("1,1") << 1 << 1 << QRect(5, 5, 55, 20) << QRect(5, 24, 55, 20) << QRect(4, 4, 57, 41);
        QTest::newRow("3,7") << 3 << 7 << QRect(365, 95, 55, 20) << QRect(365, 114, 55, 20) << QRect(364, 94, 57, 41);
        QTest::newRow("16,200") << 16 << 200 << QRect(11945, 680, 55, 20) << QRect(11945, 699, 55, 20)
                                << QRect(11944, 679, 57, 41);
    }
    void geometryOfCells()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QRect, subject);
        QFETCH(QRect, room);
        QFETCH(QRect, frame);
        QCOMPARE(GridGeometry::subjectRect(row, column), subject);
        QCOMPARE(GridGeometry::roomRect(row, column), room);
        QCOMPARE(GridGeometry::frameRect(row, column), frame);
        const auto hitSubject = GridGeometry::hitBody(subject.center(), 16, 200);
        QCOMPARE(hitSubject.row, row);
        QCOMPARE(hitSubject.column, column);
        QCOMPARE(hitSubject.field, GridGeometry::Subject);
        const auto hitRoom = GridGeometry::hitBody(room.center(), 16, 200);
        QCOMPARE(hitRoom.field, GridGeometry::Room);
        QCOMPARE(hitRoom.row, row);
    }

    void geometryOfStripsMemoAndWindow()
    {
        QCOMPARE(GridGeometry::subjectRect(0, 1), QRect(75, 15, 55, 20));
        QCOMPARE(GridGeometry::toggleRect(1), QRect(4, 13, 25, 25));
        QCOMPARE(GridGeometry::rowLabelRect(1), QRect(34, 16, 20, 20));
        QCOMPARE(GridGeometry::hitToggle(QPoint(10, 20), 6), 1);
        QCOMPARE(GridGeometry::hitToggle(QPoint(10, 5), 6), -1);
        // Memo: x of cell (1,1), 10 below the last room field, 60 per class minus 5.
        QCOMPARE(GridGeometry::memoRect(6, 3), QRect(5, 279, 175, 89));
        QCOMPARE(GridGeometry::windowHeight(6), 551);
        QCOMPARE(GridGeometry::windowHeight(16), 971);
        QCOMPARE(GridGeometry::windowHeight(0), 750);
    }

    void pointsBetweenFieldsHitNothing()
    {
        // The 5-px gap between columns and the gap under a room field belong to no cell.
        QCOMPARE(GridGeometry::hitBody(QPoint(62, 10), 6, 3).field, GridGeometry::None);
        QCOMPARE(GridGeometry::hitBody(QPoint(20, 46), 6, 3).field, GridGeometry::None);
        QCOMPARE(GridGeometry::hitBody(QPoint(200, 10), 6, 3).field, GridGeometry::None); // column 4 of 3
    }
};

QTEST_GUILESS_MAIN(TstDayGrid)
#include "tst_daygrid.moc"
