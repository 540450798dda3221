// The day's derived checks in core: room double bookings and the free-room list, the limit
// lists, pinning, the missing-teacher list, the teacher hours, the weekly count and the drop-row
// arithmetic of a dragged lesson.
#include "baregrid.h"
#include "day/counters.h"
#include "day/gridgeometry.h"
#include "day/gridops.h"
#include "day/kabpoisk.h"
#include "state.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using baregrid::grid;
using rasp::day::GridGeometry;

namespace {

// "r" per red room text, "b" per black one, for the cells of row 1.
QString roomColours(const rasp::State &s)
{
    QString out;
    for (int j = 1; j <= s.klassvis; ++j)
        out += s.grid.cell(1, j).roomColour == rasp::day::kRed ? u'r' : u'b';
    return out;
}

// Lock state of a column as "L" (locked) and "-" (free), rows 1..max_ur.
QString locks(const rasp::State &s, int column)
{
    QString out;
    for (int i = 1; i <= s.max_ur; ++i)
        out += s.grid.cell(i, column).locked() ? u'L' : u'-';
    return out;
}

} // namespace

class TstDayChecks : public QObject
{
    Q_OBJECT

private slots:
    void roomsUsedTwiceInARowTurnRed_data()
    {
        QTest::addColumn<QStringList>("rooms");
        QTest::addColumn<QString>("colours");
        QTest::newRow("12 and 12") << QStringList{u"12"_s, u"12"_s} << u"rr"_s;
        QTest::newRow("12 and 14") << QStringList{u"12"_s, u"14"_s} << u"bb"_s;
        QTest::newRow("12/14 and 14") << QStringList{u"12/14"_s, u"14"_s} << u"rr"_s;
        QTest::newRow("12\\14 and 14") << QStringList{u"12\\14"_s, u"14"_s} << u"rr"_s;
        QTest::newRow("12/14 and 21/41") << QStringList{u"12/14"_s, u"21/41"_s} << u"bb"_s;
        QTest::newRow("12/12 alone") << QStringList{u"12/12"_s, {}} << u"bb"_s;
        QTest::newRow("12/12 and any room to its right") << QStringList{u"12/12"_s, {}, u"30"_s} << u"rbr"_s;
        QTest::newRow("12/12 and any room to its left") << QStringList{u"30"_s, u"12/12"_s, u"31"_s} << u"rrr"_s;
        QTest::newRow("only the first backslash is a slash") << QStringList{u"12/14\\15"_s, u"9/14/15"_s} << u"rr"_s;
        QTest::newRow("1 beside 12") << QStringList{u"1"_s, u"12"_s} << u"bb"_s;
        QTest::newRow("12/ names 12 alone") << QStringList{u"12/"_s, u"12"_s} << u"rr"_s;
        QTest::newRow("one clash leaves others black") << QStringList{u"5"_s, u"7"_s, u"5"_s} << u"rbr"_s;
    }
    void roomsUsedTwiceInARowTurnRed()
    {
        QFETCH(QStringList, rooms);
        QFETCH(QString, colours);
        rasp::State s = grid(int(rooms.size()));
        for (int j = 1; j <= rooms.size(); ++j) {
            s.grid.cell(1, j).room = rooms.at(j - 1);
            s.grid.cell(1, j).roomColour = rasp::day::kRed; // stale marks are cleared first
        }
        rasp::day::KabPoisk(s, 1, 0, QString());
        QCOMPARE(roomColours(s), colours);
    }

    void roomMarksMatchEveryPairCompared()
    {
        // The pairwise rule as stated, against random rows of awkward room texts.
        const QStringList texts{QString(), u"1"_s, u"2"_s, u"12"_s, u"1/2"_s, u"2\\1"_s, u"1/1"_s, u"/"_s,
                                u"12/"_s, u"\\2"_s, u"1/2\\3"_s, u"2/3"_s};
        // Several rows per day, so a name seen in one row must not count in the next.
        QRandomGenerator rng(6);
        for (int round = 0; round < 300; ++round) {
            rasp::State s = grid(6, 6);
            for (int i = 1; i <= 3; ++i)
                for (int j = 1; j <= 6; ++j) {
                    s.grid.cell(i, j).room = texts.at(int(rng.bounded(texts.size())));
                    s.grid.cell(i, j).roomColour = rng.bounded(2) ? rasp::day::kRed : rasp::day::kBlack;
                }
            rasp::day::KabPoisk(s, 1, 0, QString());
            for (int i = 1; i <= 3; ++i) {
                QString expected;
                QString actual;
                for (int j = 1; j <= 6; ++j) {
                    bool red = false;
                    for (int k = 1; k <= 6 && !red; ++k) {
                        if (k == j || s.grid.cell(i, j).room.isEmpty() || s.grid.cell(i, k).room.isEmpty())
                            continue;
                        const QStringList both = rasp::day::RoomNames(s.grid.cell(i, qMin(j, k)).room)
                                                 + rasp::day::RoomNames(s.grid.cell(i, qMax(j, k)).room);
                        red = QSet<QString>(both.cbegin(), both.cend()).size() < both.size();
                    }
                    expected += red ? u'r' : u'b';
                    actual += s.grid.cell(i, j).roomColour == rasp::day::kRed ? u'r' : u'b';
                }
                QCOMPARE(actual, expected);
            }
        }
    }

    void changingAClashingRoomClearsBothMarks()
    {
        rasp::State s = grid(2);
        s.grid.cell(1, 1).room = u"12"_s;
        s.grid.cell(1, 2).room = u"12"_s;
        s.grid.cell(2, 2).room = u"12"_s; // another row never clashes
        rasp::day::KabPoisk(s, 1, 0, QString());
        QCOMPARE(roomColours(s), u"rr"_s);
        QCOMPARE(s.grid.cell(2, 2).roomColour, rasp::day::kBlack);
        s.grid.cell(1, 2).room = u"14"_s;
        rasp::day::KabPoisk(s, 1, 0, QString());
        QCOMPARE(roomColours(s), u"bb"_s);
    }

    void theRoomListOffersOnlyFreeRoomsMatchedWhole()
    {
        rasp::State s = grid(3);
        s.grid.cell(1, 1).room = u"12"_s;
        s.grid.cell(1, 2).room = u"14/15"_s;
        s.grid.cell(2, 3).room = u"1"_s;
        const QStringList school{u"1"_s, u"5"_s, u"12"_s, u"14"_s, u"15"_s, u"21"_s};
        QCOMPARE(rasp::day::OfferedRooms(s, 1, school), (QStringList{u"1"_s, u"5"_s, u"21"_s}));
        QCOMPARE(rasp::day::OfferedRooms(s, 2, school), (QStringList{u"5"_s, u"12"_s, u"14"_s, u"15"_s, u"21"_s}));
        QCOMPARE(rasp::day::KabPoisk(s, 2, 1, u"15"_s), 1);
        QCOMPARE(rasp::day::KabPoisk(s, 2, 1, u"1"_s), 0);
        QCOMPARE(rasp::day::KabPoisk(s, 2, 1, u"4"_s), 0);
    }

    void roomListHeight_data()
    {
        QTest::addColumn<int>("offered");
        QTest::addColumn<int>("height");
        QTest::newRow("none") << 0 << 20;
        QTest::newRow("one") << 1 << 24;
        QTest::newRow("ten") << 10 << 195;
        QTest::newRow("eleven") << 11 << 190;
    }
    void roomListHeight()
    {
        QFETCH(int, offered);
        QFETCH(int, height);
        QCOMPARE(rasp::day::RoomListHeight(offered), height);
    }

    void limitListsFollowHowFullTheClassesAre_data()
    {
        QTest::addColumn<QList<int>>("filled");
        QTest::addColumn<int>("maxUr");
        QTest::addColumn<int>("chosen"); // 0 = keep the selected maximum
        QTest::addColumn<QStringList>("maxima");
        QTest::addColumn<QStringList>("firstGaps");
        QTest::newRow("6, 5, 4 of 8") << QList<int>{6, 5, 4} << 8 << 0 << QStringList{u"6"_s, u"7"_s, u"8"_s}
                                      << QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s};
        QTest::newRow("6, 5, 4 of 8, maximum 6") << QList<int>{6, 5, 4} << 8 << 6
                                                 << QStringList{u"6"_s, u"7"_s, u"8"_s} << QStringList{u"0"_s, u"1"_s};
        QTest::newRow("all full") << QList<int>{7, 7} << 7 << 0 << QStringList{u"7"_s} << QStringList{u"0"_s};
        QTest::newRow("no classes") << QList<int>{} << 6 << 0
                                    << QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}
                                    << QStringList{u"0"_s};
    }
    void limitListsFollowHowFullTheClassesAre()
    {
        QFETCH(QList<int>, filled);
        QFETCH(int, maxUr);
        QFETCH(int, chosen);
        QFETCH(QStringList, maxima);
        QFETCH(QStringList, firstGaps);
        rasp::State s = grid(int(filled.size()), maxUr);
        for (int j = 1; j <= filled.size(); ++j)
            for (int i = 1; i <= filled.at(j - 1); ++i)
                s.grid.cell(maxUr + 1 - i, j).subject = u"Физ"_s; // filled from the bottom: rows do not matter
        const rasp::day::LimitList max = rasp::day::MaxUrVsego(s);
        QCOMPARE(max.items, maxima);
        QCOMPARE(max.items.at(max.selected), QString::number(maxUr));
        const rasp::day::LimitList gaps = rasp::day::MaxRepUr(s, chosen ? chosen : maxUr);
        QCOMPARE(gaps.items, firstGaps);
        QCOMPARE(gaps.selected, 0);
    }

    void pinningAsksAboutCoincidencesAndDecliningLocksNothing()
    {
        rasp::State s = grid(2);
        s.pins = {{u"Алг"_s, true}, {u"Физ"_s, true}};
        s.grid.cell(1, 1).subject = u"Алг"_s;
        s.grid.cell(1, 1).background = 0xFF385623; // a coloured (coinciding) free lesson
        s.grid.cell(3, 2).subject = u"Алг"_s;
        s.grid.cell(2, 2).subject = u"Физ"_s;
        QStringList asked;
        const bool unchecked = rasp::day::CheckList(s, 1, 1, s.max_ur, [&](const QString &q) {
            asked << q;
            return false;
        });
        QCOMPARE(asked, QStringList{u"Этот предмет имеет совпадение\r\nВсе равно закрепить предмет?"_s});
        QVERIFY(unchecked);
        QVERIFY(!s.pins[0].checked);
        QVERIFY(s.pins[1].checked);
        QCOMPARE(locks(s, 1), u"------"_s);
        QCOMPARE(locks(s, 2), u"-L----"_s);

        // Answered "Да": the subject is pinned everywhere; without questions nothing is asked.
        s.pins[0].checked = true;
        rasp::day::CheckList(s, 1, 1, s.max_ur, [](const QString &) { return true; });
        QCOMPARE(locks(s, 1), u"L-----"_s);
        QCOMPARE(locks(s, 2), u"-LL---"_s);
        QCOMPARE(s.grid.cell(3, 2).caption, u"Алг"_s);
    }

    void uncheckingUnlocksInUnfrozenRowsOnly_data()
    {
        QTest::addColumn<int>("ind");
        QTest::newRow("asking") << 1;
        QTest::newRow("silent") << 0;
    }
    void uncheckingUnlocksInUnfrozenRowsOnly()
    {
        QFETCH(int, ind);
        rasp::State s = grid(1);
        s.pins = {{u"Алг"_s, true}};
        for (int i = 1; i <= 3; ++i)
            s.grid.cell(i, 1).subject = u"Алг"_s;
        s.grid.cell(4, 1).subject = u"Физ"_s;
        rasp::day::LockCell(s.grid.cell(4, 1)); // locked by other means, another subject
        rasp::day::CheckList(s, ind, 1, s.max_ur);
        QCOMPARE(locks(s, 1), u"LLLL--"_s);
        s.grid.setFrozen(2, true);
        s.pins[0].checked = false;
        rasp::day::CheckList(s, ind, 1, s.max_ur);
        QCOMPARE(locks(s, 1), u"-L-L--"_s);
        // Only rows y1..y2 are brought in line.
        s.pins[0].checked = true;
        rasp::day::CheckList(s, ind, 3, 3);
        QCOMPARE(locks(s, 1), u"-LLL--"_s);
    }

    void silentPinningMatchesTheEntryByEntrySweep()
    {
        // The silent pass, against the list applied entry by entry over the rows as stated:
        // repeated entries of one subject, frozen rows, a partial row range, earlier locks and
        // captions all take part.
        const QStringList subjects{QString(), u"Алг"_s, u"Физ"_s, u"Хим"_s, u"алг"_s};
        QRandomGenerator rng(12);
        for (int round = 0; round < 300; ++round) {
            rasp::State fast = grid(4);
            for (int n = int(rng.bounded(6)); n > 0; --n)
                fast.pins.push_back({subjects.at(1 + int(rng.bounded(4))), rng.bounded(2) == 1});
            for (int i = 1; i <= fast.max_ur; ++i) {
                fast.grid.setFrozen(i, rng.bounded(4) == 0);
                for (int j = 1; j <= 4; ++j) {
                    rasp::day::Cell &c = fast.grid.cell(i, j);
                    c.subject = subjects.at(int(rng.bounded(subjects.size())));
                    c.caption = rng.bounded(2) ? u"было"_s : QString();
                    if (rng.bounded(3) == 0)
                        c.style = rasp::day::kStyleLocked;
                }
            }
            rasp::State plain = fast;
            const int y1 = 1 + int(rng.bounded(6));
            const int y2 = y1 + int(rng.bounded(7 - y1));
            rasp::day::CheckList(fast, 0, y1, y2);
            for (const rasp::day::PinEntry &pin : plain.pins)
                for (int i = y1; i <= y2; ++i)
                    for (int j = 1; j <= 4; ++j) {
                        rasp::day::Cell &c = plain.grid.cell(i, j);
                        if (c.subject != pin.text)
                            continue;
                        if (pin.checked && c.style != rasp::day::kStyleLocked)
                            rasp::day::LockCell(c);
                        else if (!pin.checked && !plain.grid.frozen(i) && c.style != rasp::day::kStyleFree)
                            rasp::day::UnlockCell(c);
                    }
            for (int i = 1; i <= fast.max_ur; ++i)
                for (int j = 1; j <= 4; ++j) {
                    QCOMPARE(fast.grid.cell(i, j).style, plain.grid.cell(i, j).style);
                    QCOMPARE(fast.grid.cell(i, j).caption, plain.grid.cell(i, j).caption);
                }
        }
    }

    void defaultPinsReplaceTheChecks()
    {
        rasp::State s = grid(1);
        s.pins = {{u"Алг"_s, true}, {u"Физ"_s, false}, {u"Хим"_s, false}};
        rasp::day::CheckDefaultPins(s, {u"Хим"_s, u"физ"_s});
        QCOMPARE(s.pins[0].checked, false);
        QCOMPARE(s.pins[1].checked, false);
        QCOMPARE(s.pins[2].checked, true);
    }

    void missingTeachersAreListedPerClass()
    {
        rasp::State s = grid(7);
        s.grid.cell(2, 5).subject = u"Хор"_s;
        s.grid.cell(1, 7).subject = u"Лепка"_s;
        s.grid.cell(4, 7).subject = u"Лепка"_s;
        s.grid.cell(3, 7).subject = u"Физ"_s;
        s.grid.cell(3, 7).teachers = u"Петров"_s;
        const QStringList entries = rasp::day::NetUchit(s);
        QCOMPARE(entries, (QStringList{u"К5\rХор\r"_s, u"К7\rЛепка\rЛепка\r"_s}));
        QCOMPARE(rasp::day::NetUchitText(entries), u"К5\rХор\r\r\nК7\rЛепка\rЛепка\r\r\n"_s);
        s.grid.cell(2, 5).teachers = s.grid.cell(1, 7).teachers = s.grid.cell(4, 7).teachers = u"Иванова"_s;
        QVERIFY(rasp::day::NetUchit(s).isEmpty());
    }

    void warningGlowPulsesInFiftySteps()
    {
        QCOMPARE(rasp::day::GenerateRandomColor(0), 0x00FF0000u);
        QCOMPARE(rasp::day::GenerateRandomColor(250), 0xFAFF0000u);
        int migan = 0;
        int migan_mn = 10;
        QList<int> seen;
        for (int n = 0; n < 51; ++n) {
            rasp::day::WarningGlowStep(migan, migan_mn);
            seen << migan;
        }
        QCOMPARE(seen.first(), 10);
        QCOMPARE(seen.at(24), 250);
        QCOMPARE(seen.at(25), 240);
        QCOMPARE(seen.at(49), 0);
        QCOMPARE(seen.at(50), 10);
    }

    void teacherHoursCountEveryNamedTeacher()
    {
        rasp::State s = grid(2);
        s.grid.cell(1, 1).subject = u"Англ"_s;
        s.grid.cell(1, 1).teachers = u"Борисова, Алексеев"_s;
        s.grid.cell(2, 2).subject = u"Англ"_s;
        s.grid.cell(2, 2).teachers = u"Борисова"_s;
        s.grid.cell(3, 2).subject = u"Хор"_s; // no teacher
        QCOMPARE(rasp::day::KolUrUUchVDen(s, u"Борисова"_s), 2);
        QCOMPARE(rasp::day::KolUrUUchVDen(s, u"Борис"_s), 0);
        const auto rows = rasp::day::TeacherHoursRows(s);
        QCOMPARE(rows.size(), std::size_t(2));
        QCOMPARE(rows[0], std::make_pair(u"Алексеев"_s, 1));
        QCOMPARE(rows[1], std::make_pair(u"Борисова"_s, 2));
        rasp::State empty = grid(2);
        QVERIFY(rasp::day::TeacherHoursRows(empty).empty());
    }

    void weeklyCountOfTheTemplate()
    {
        rasp::State s = grid(2, 8);
        s.Setka[1].resize(8, 3);
        s.Setka[4].resize(8, 3);
        s.Setka[1].SetkaMasUr[2][2] = u"Физ"_s;
        s.Setka[1].SetkaMasUr[5][2] = u"Физ"_s;
        s.Setka[1].SetkaMasUr[5][1] = u"Физ"_s; // another class
        s.Setka[4].SetkaMasUr[8][2] = u"Физ"_s;
        s.Setka[4].SetkaMasUr[3][2] = u"физ"_s; // compared exactly
        const rasp::day::WeekCount w = rasp::day::PodshetKolUr(s, u"Физ"_s, 2);
        QCOMPARE(w.total, 3);
        QCOMPARE(w.perDay, (std::array<int, 8>{0, 2, 0, 0, 1, 0, 0, 0}));
        QCOMPARE(rasp::day::PodshetKolUr(s, QString(), 2).total, 0);
    }

    void dropRowRoundsHalvesToEvenAndClamps_data()
    {
        QTest::addColumn<double>("top");
        QTest::addColumn<int>("row");
        QTest::newRow("slot of row 5") << double(GridGeometry::slotTop(5)) << 5;
        QTest::newRow("just under half way 2..3") << 57.0 << 2; // (57 + 30) / 45 = 1.93
        QTest::newRow("exactly 2.5 goes to 2") << 82.5 << 2;    // (82.5 + 30) / 45 = 2.5
        QTest::newRow("exactly 3.5 goes to 4") << 127.5 << 4;   // (127.5 + 30) / 45 = 3.5
        QTest::newRow("above row 1") << -200.0 << 1;
        QTest::newRow("below the last row") << 5000.0 << 6;
    }
    void dropRowRoundsHalvesToEvenAndClamps()
    {
        QFETCH(double, top);
        QFETCH(int, row);
        QCOMPARE(GridGeometry::dropRow(top, 6), row);
    }

    void slideStepIsATenthOfTheDistance()
    {
        QCOMPARE(GridGeometry::slotTop(1), 5);
        QCOMPARE(GridGeometry::slotTop(2), 50);
        QCOMPARE(GridGeometry::slideStep(GridGeometry::slotTop(2), GridGeometry::slotTop(3)), -4); // 4.5 -> 4
        QCOMPARE(GridGeometry::slideStep(GridGeometry::slotTop(5), GridGeometry::slotTop(2)), 14); // 13.5 -> 14
    }
};

QTEST_APPLESS_MAIN(TstDayChecks)
#include "tst_daychecks.moc"
