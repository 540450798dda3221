// Locking rules in core: the cell menu's lock and unlock items, freezing a row, "Снять
// выделение", the second-shift split and the geometry of its two sliders. Grids are written as
// pictures, one string per row, one character per class: '.' empty free, 'X' empty locked,
// a lower-case letter a free lesson, its capital the same lesson locked.
#include "day/blocking.h"
#include "day/counters.h"
#include "day/gridops.h"
#include "state.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using rasp::day::CellElement;

namespace {

rasp::State fromPicture(const QStringList &rows)
{
    rasp::State s;
    s.max_ur = int(rows.size());
    rasp::BuildPlaceholders(s);
    for (qsizetype j = 0; j < rows.first().size(); ++j)
        rasp::day::KlassCreate(s);
    for (int i = 1; i <= s.max_ur; ++i)
        for (int j = 1; j <= s.klassvis; ++j) {
            const QChar c = rows.at(i - 1).at(j - 1);
            rasp::day::Cell &cell = s.grid.cell(i, j);
            if (c.isLetter() && c != u'X')
                cell.subject = c.toLower();
            if (c == u'X' || c.isUpper())
                rasp::day::LockCell(cell);
        }
    return s;
}

QStringList picture(const rasp::State &s)
{
    QStringList rows;
    for (int i = 1; i <= s.max_ur; ++i) {
        QString row;
        for (int j = 1; j <= s.klassvis; ++j) {
            const rasp::day::Cell &c = s.grid.cell(i, j);
            if (c.subject.isEmpty())
                row += c.locked() ? u'X' : u'.';
            else
                row += c.locked() ? c.subject.toUpper() : c.subject;
        }
        rows << row;
    }
    return rows;
}

// Answers every question with `answer` and records them.
struct Asker {
    bool answer = false;
    QStringList asked;
    std::function<bool(const QString &)> fn()
    {
        return [this](const QString &q) {
            asked << q;
            return answer;
        };
    }
};

} // namespace

class TstBlocking : public QObject
{
    Q_OBJECT

private slots:
    void regionItems_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("element");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        const QStringList lessons = {u"ab.."_s, u".c.d"_s, u"e..f"_s, u"...."_s, u".g.."_s, u"...."_s};
        const auto subject = int(CellElement::SubjectField);
        const auto padlock = int(CellElement::LockPicture);
        const auto caption = int(CellElement::Caption);
        QTest::newRow("lock right and up from (3, 2): only the empty cells")
            << 11 << subject << 3 << 2 << lessons
            << QStringList{u"abXX"_s, u".cXd"_s, u"eXXf"_s, u"...."_s, u".g.."_s, u"...."_s};
        QTest::newRow("lock left and down from (4, 3)")
            << 12 << subject << 4 << 3 << lessons
            << QStringList{u"ab.."_s, u".c.d"_s, u"e..f"_s, u"XXX."_s, u"XgX."_s, u"XXX."_s};
        QTest::newRow("lock right and up from a lock picture")
            << 11 << padlock << 1 << 4 << lessons << QStringList{u"ab.X"_s, u".c.d"_s, u"e..f"_s, u"...."_s, u".g.."_s, u"...."_s};
        QTest::newRow("lock from a caption does nothing") << 12 << caption << 1 << 1 << lessons << lessons;
        const QStringList locked = {u"ABXX"_s, u"XCXD"_s, u"EXXF"_s, u"XXXX"_s, u"XGXX"_s, u"XXXX"_s};
        QTest::newRow("unlock left and down from (3, 2): every cell, lessons too")
            << 15 << padlock << 3 << 2 << locked
            << QStringList{u"ABXX"_s, u"XCXD"_s, u"e.XF"_s, u"..XX"_s, u".gXX"_s, u"..XX"_s};
        QTest::newRow("unlock right and up from a caption at (2, 3)")
            << 14 << caption << 2 << 3 << locked
            << QStringList{u"AB.."_s, u"XC.d"_s, u"EXXF"_s, u"XXXX"_s, u"XGXX"_s, u"XXXX"_s};
        QTest::newRow("unlock from a subject field does nothing") << 14 << subject << 2 << 3 << locked << locked;
        QTest::newRow("unlock of the corner cell (6, 1) left and down")
            << 15 << padlock << 6 << 1 << locked
            << QStringList{u"ABXX"_s, u"XCXD"_s, u"EXXF"_s, u"XXXX"_s, u"XGXX"_s, u".XXX"_s};
    }
    void regionItems()
    {
        QFETCH(int, item);
        QFETCH(int, element);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        rasp::State s = fromPicture(before);
        const auto e = CellElement(element);
        switch (item) {
        case 11: rasp::day::LockUpAndRight(s, e, row, column); break;
        case 12: rasp::day::LockDownAndLeft(s, e, row, column); break;
        case 14: rasp::day::UnlockUpAndRight(s, e, row, column); break;
        case 15: rasp::day::UnlockDownAndLeft(s, e, row, column); break;
        }
        QCOMPARE(picture(s), after);
    }

    void regionBoundsStayInsideTheGrid()
    {
        rasp::State s = fromPicture({u".."_s, u".."_s});
        rasp::day::BlokYach(s, -3, 0, 40, 300);
        QCOMPARE(picture(s), (QStringList{u"XX"_s, u"XX"_s}));
        rasp::day::RazBlokYach(s, 2, 2, 1, 2); // an empty range
        QCOMPARE(picture(s), (QStringList{u"XX"_s, u"XX"_s}));
    }

    void lockOneCell_data()
    {
        QTest::addColumn<bool>("coloured");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("questions");
        QTest::newRow("white lesson: no question") << false << false << true << 0;
        QTest::newRow("coinciding lesson, answered Да") << true << true << true << 1;
        QTest::newRow("coinciding lesson, answered Нет") << true << false << false << 1;
    }
    void lockOneCell()
    {
        QFETCH(bool, coloured);
        QFETCH(bool, answer);
        QFETCH(bool, locked);
        QFETCH(int, questions);
        rasp::State s = fromPicture({u"a."_s, u".."_s});
        s.grid.cell(1, 1).background = coloured ? 0xFFFF8080u : rasp::day::kWhite;
        Asker asker{answer, {}};
        QCOMPARE(rasp::day::LockClickedCell(s, CellElement::SubjectField, 1, 1, asker.fn()), locked);
        QCOMPARE(s.grid.cell(1, 1).locked(), locked);
        QCOMPARE(asker.asked.size(), questions);
        if (questions)
            QCOMPARE(asker.asked.first(), u"Этот предмет имеет совпадение\r\nВсе равно закрепить предмет?"_s);
        if (locked)
            QCOMPARE(s.grid.cell(1, 1).caption, u"a"_s);
    }

    void cellItemsActOnTheirElementsOnly()
    {
        rasp::State s = fromPicture({u"aB"_s});
        QVERIFY(!rasp::day::LockClickedCell(s, CellElement::LockPicture, 1, 2, {}));
        QVERIFY(!rasp::day::UnlockClickedCell(s, CellElement::SubjectField, 1, 1));
        QCOMPARE(picture(s), QStringList{u"aB"_s});
        QVERIFY(rasp::day::UnlockClickedCell(s, CellElement::Caption, 1, 2));
        QCOMPARE(picture(s), QStringList{u"ab"_s});
        QCOMPARE(s.grid.cell(1, 2).caption, u"b"_s);                               // unlocking keeps the caption text
        QVERIFY(!rasp::day::UnlockClickedCell(s, CellElement::LockPicture, 2, 1)); // no such row
    }

    void elementUnderThePointer_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("element");
        QTest::newRow("free lesson") << u"a"_s << 30 << int(CellElement::SubjectField);
        QTest::newRow("free empty cell") << u"."_s << 2 << int(CellElement::SubjectField);
        QTest::newRow("locked lesson, on the padlock") << u"A"_s << 5 << int(CellElement::LockPicture);
        QTest::newRow("locked lesson, on the caption") << u"A"_s << 30 << int(CellElement::Caption);
        QTest::newRow("locked empty cell has no caption to hit") << u"X"_s << 30 << int(CellElement::LockPicture);
    }
    void elementUnderThePointer()
    {
        QFETCH(QString, cell);
        QFETCH(int, x);
        QFETCH(int, element);
        const rasp::State s = fromPicture({cell});
        QCOMPARE(int(rasp::day::ElementAt(s, 1, 1, x)), element);
        QCOMPARE(rasp::day::ElementAt(s, 2, 1, x), CellElement::None);
    }

    void freezeAndUnfreezeARow()
    {
        rasp::State s = fromPicture({u"ab."_s, u"c.d"_s, u"..."_s});
        s.pins = {{u"c"_s, true}, {u"d"_s, false}};
        Asker asker{false, {}};

        s.grid.cell(2, 3).background = 0xFFFF8080u; // "d" coincides
        QCOMPARE(rasp::day::Zamoroz(s, 2, false, asker.fn()), rasp::day::ZamorozResult::Declined);
        QCOMPARE(asker.asked, QStringList{u"На этом уроке есть совпадения\r\nВсе равно закрепить предметы урока?"_s});
        QCOMPARE(picture(s).at(1), u"c.d"_s);
        QCOMPARE(s.grid.snegHint(2), u"0"_s);

        asker.answer = true;
        QCOMPARE(rasp::day::Zamoroz(s, 2, false, asker.fn()), rasp::day::ZamorozResult::Frozen);
        QCOMPARE(picture(s).at(1), u"CXD"_s);
        QCOMPARE(s.grid.snegHint(2), u"1"_s);

        // The pinning pass leaves a frozen row alone even for unchecked subjects.
        rasp::day::CheckList(s, 0, 1, 3);
        QCOMPARE(picture(s).at(1), u"CXD"_s);

        QCOMPARE(rasp::day::Zamoroz(s, 2, true, asker.fn()), rasp::day::ZamorozResult::Refused);
        QCOMPARE(picture(s).at(1), u"CXD"_s);

        // Unfreezing: only the checked "Не перемещать" subject stays locked.
        QCOMPARE(rasp::day::Zamoroz(s, 2, false, asker.fn()), rasp::day::ZamorozResult::Unfrozen);
        QCOMPARE(picture(s).at(1), u"C.d"_s);
        QCOMPARE(s.grid.snegHint(2), u"0"_s);
        QCOMPARE(asker.asked.size(), 2);
    }

    void clearSelectionUnlocksAllButKeepsFreezing()
    {
        rasp::State s = fromPicture({u"AX"_s, u"bC"_s});
        s.grid.setFrozen(1, true);
        s.pins = {{u"a"_s, true}, {u"c"_s, true}, {u"b"_s, false}};
        rasp::day::ClearPins(s);
        QCOMPARE(picture(s), (QStringList{u"a."_s, u"bc"_s}));
        for (const auto &pin : s.pins)
            QVERIFY(!pin.checked);
        QCOMPARE(s.grid.snegHint(1), u"1"_s);
    }

    void secondShift_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QStringList>("after");
        // 10 classes, 7 rows; "a" lessons in row 1 of class 8 and row 6 of class 2, a pinned "p"
        // in row 7 of class 10, a single lock in row 3 of class 4.
        QTest::newRow("6 classes, 4 rows")
            << 6 << 4
            << QStringList{u"......XaXX"_s, u"......XXXX"_s, u"......XXXX"_s, u"......XXXX"_s,
                           u"XXXXXX...."_s, u"XaXXXX...."_s, u"XXXXXX...P"_s};
        QTest::newRow("class bound 0: no split")
            << 0 << 4
            << QStringList{u".......a.."_s, u".........."_s, u".........."_s, u".........."_s,
                           u".........."_s, u".a........"_s, u".........P"_s};
        QTest::newRow("row bound 0: no split")
            << 6 << 0
            << QStringList{u".......a.."_s, u".........."_s, u".........."_s, u".........."_s,
                           u".........."_s, u".a........"_s, u".........P"_s};
        QTest::newRow("bounds beyond the sliders count as their maxima")
            << 40 << 40
            << QStringList{u".......a.X"_s, u".........X"_s, u".........X"_s, u".........X"_s,
                           u".........X"_s, u".a.......X"_s, u"XXXXXXXXXP"_s};
    }
    void secondShift()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QStringList, after);
        rasp::State s = fromPicture({u".......a.."_s, u".........."_s, u"...X......"_s, u".........."_s,
                                     u".........."_s, u".a........"_s, u".........p"_s});
        s.pins = {{u"a"_s, false}, {u"p"_s, true}};
        s.chek_pderm = 1;
        s.vt_sm_x = x;
        s.vt_sm_y = y;
        Asker asker{true, {}};
        QVERIFY(!rasp::day::VtorayaSmenaBlok(s, 1, asker.fn()));
        QCOMPARE(picture(s), after);
        QVERIFY(asker.asked.isEmpty());
    }

    void secondShiftWithoutLiftingKeepsOtherLocks()
    {
        rasp::State s = fromPicture({u"a."_s, u".B"_s});
        s.vt_sm_x = 1;
        s.vt_sm_y = 1;
        rasp::day::VtorayaSmenaBlok(s, 0, {});
        QCOMPARE(picture(s), (QStringList{u"aX"_s, u"XB"_s}));
    }

    void secondShiftAsksAboutCoincidingPins()
    {
        rasp::State s = fromPicture({u"p."_s, u".."_s});
        s.pins = {{u"p"_s, true}};
        s.chek_pderm = 1;
        s.vt_sm_x = 1;
        s.vt_sm_y = 1;
        s.grid.cell(1, 1).background = 0xFFFF8080u;
        Asker asker{false, {}};
        QVERIFY(rasp::day::VtorayaSmenaBlok(s, 1, asker.fn()));
        QCOMPARE(asker.asked, QStringList{u"Этот предмет имеет совпадение\r\nВсе равно закрепить предмет?"_s});
        QVERIFY(!s.pins[0].checked);
        QCOMPARE(picture(s), (QStringList{u"pX"_s, u"X."_s}));
    }

    void sliderGeometry_data()
    {
        QTest::addColumn<int>("klassvis");
        QTest::addColumn<int>("maxUr");
        QTest::addColumn<QPoint>("scroll");
        QTest::addColumn<QRect>("trackBar1");
        QTest::addColumn<QRect>("trackBar2");
        // W = 55, H = 20: width (W + 5)(k - 1) + k div 2, height (2H + 5)(n - 1) + n div 2.
        QTest::newRow("5 classes, 6 rows") << 5 << 6 << QPoint(0, 0) << QRect(68, 37, 4 * 60 + 2, 16)
                                           << QRect(59, 60, 16, 5 * 45 + 3);
        QTest::newRow("3 classes, 7 rows") << 3 << 7 << QPoint(0, 0) << QRect(68, 37, 2 * 60 + 1, 16)
                                           << QRect(59, 60, 16, 6 * 45 + 3);
        QTest::newRow("scrolled by (100, 50)") << 3 << 7 << QPoint(100, 50) << QRect(-32, 37, 121, 16)
                                               << QRect(59, 10, 16, 273);
        QTest::newRow("one class: nothing to split") << 1 << 16 << QPoint(0, 0) << QRect(68, 37, 0, 16)
                                                     << QRect(59, 60, 16, 15 * 45 + 8);
    }
    void sliderGeometry()
    {
        QFETCH(int, klassvis);
        QFETCH(int, maxUr);
        QFETCH(QPoint, scroll);
        QFETCH(QRect, trackBar1);
        QFETCH(QRect, trackBar2);
        const auto g = rasp::day::VtorayaSmenaGranici(klassvis, maxUr, scroll.x(), scroll.y());
        QCOMPARE(g.trackBar1, trackBar1);
        QCOMPARE(g.trackBar2, trackBar2);
        QCOMPARE(g.maximum1, klassvis - 1);
        QCOMPARE(g.maximum2, maxUr - 1);
    }
};

QTEST_GUILESS_MAIN(TstBlocking)
#include "tst_blocking.moc"
