// Locking, freezing and the second shift in the window, driven through real events: right-clicks
// and the cell menu, clicks on the row strip's freeze toggles, the "Не перемещать" list's menu,
// key presses on the two boundary sliders and scrolling the grid.
#include "answerer.h"
#include "day/dayfile.h"
#include "day/gridgeometry.h"
#include "day/daygridview.h"
#include "load/nagruzfile.h"
#include "settings/settings.h"
#include "shell/tabbutton.h"
#include "text/textfile.h"
#include "gridpointer.h"
#include "arrange/arrangecontroller.h"
#include "day/editingcontroller.h"
#include "tform1.h"
#include "day/shiftcontroller.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

namespace {

// Ten classes; Иванова teaches Алгебра in 1А and 2А, Борисова Химия in 1А, Петров Физика in 7А..10А.
const QStringList kLoad = {
    u"1А|2А|3А|4А|5А|6А|7А|8А|9А|10А|"_s,
    u"Иванова|Алгебра;|Алгебра;|||||||||"_s,
    u"Борисова|Химия;||||||||||"_s,
    u"Петров|||||||Физика;|Физика;|Физика;|Физика;|"_s,
    u"~end~"_s,
};

// Today's day, seven rows: Алгебра coincides in row 1; Химия (pinned by default) in row 2.
const QStringList kSubjects = {
    u"Алгебра|Алгебра|||||||||"_s,
    u"Химия||||||||||"_s,
    u"||||||||||"_s,
    u"||||||Физика||||"_s,
    u"|||||||Физика|||"_s,
    u"||||||||||"_s,
    u"||||||||||"_s,
};

} // namespace

class TstShiftWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;
    QStringList m_settingsLines;

    const rasp::day::Cell &cell(int row, int column) const { return m_form->state().grid.cell(row, column); }
    QWidget *body() const { return gridpointer::body(*m_form); }
    QPoint scroll() const { return gridpointer::scroll(*m_form); }

    // Lock states of rows 1..max_ur as pictures: 'L' locked, '-' free, one character per class.
    QStringList locks() const
    {
        QStringList rows;
        for (int i = 1; i <= m_form->state().max_ur; ++i) {
            QString row;
            for (int j = 1; j <= m_form->state().klassvis; ++j)
                row += cell(i, j).locked() ? u'L' : u'-';
            rows << row;
        }
        return rows;
    }

    // A right-click as the window system delivers it: the press, then the context-menu request,
    // on whatever lies at body point `dx` px right of the subject field's left edge of (row, column).
    void rightClick(int row, int column, int dx = 30) const
    {
        const QRect r = GridGeometry::subjectRect(row, column);
        const QPoint p = QPoint(r.x() + dx, r.center().y()) - scroll();
        const auto [w, local] = gridpointer::hitAt(*m_form, p);
        QTest::mousePress(w, Qt::RightButton, {}, local);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, local, w->mapToGlobal(local));
        QApplication::sendEvent(w, &menu);
        QTest::mouseRelease(w, Qt::RightButton, {}, local);
    }
    // Clicks a menu entry; a submenu entry opens its submenu.
    static void choose(QMenu *menu, QAction *action)
    {
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    }
    void chooseFromCellMenu(QMenu *sub, QAction *action) const
    {
        choose(m_form->shift().cellMenu(), sub->menuAction());
        choose(sub, action);
        QTRY_VERIFY(!m_form->shift().cellMenu()->isVisible());
    }
    void clickToggle(int row) const
    {
        const QRect t = GridGeometry::toggleRect(row);
        QTest::mouseClick(m_form->widgets().grid->viewport(), Qt::LeftButton, {},
                          QPoint(t.center().x(), t.center().y() + GridGeometry::kHeaderHeight - scroll().y()));
    }
    QStringList settingsFile() const
    {
        const auto read = rasp::text::readLines(rasp::settings::SettingsPath());
        return read.lines;
    }
    QPoint inArea(QWidget *w) const { return w->mapTo(m_form->widgets().Panel5->parentWidget(), QPoint(0, 0)); }

    void start(int vt_sm_y, int vt_sm_x)
    {
        rasp::settings::Settings settings;
        settings.lessonRows = 7;
        settings.blocked = {u"Химия"_s};
        m_settingsLines = rasp::settings::SettingsLines(settings, vt_sm_y, vt_sm_x);
        // "в одной таблице" written as "0": read as the default, but written back as "1", so any
        // rewrite of the file shows.
        m_settingsLines[m_settingsLines.size() - 2] = u"0"_s;
        QVERIFY(rasp::text::writeLines(rasp::settings::SettingsPath(), m_settingsLines));
        QStringList day;
        for (const QString &row : kSubjects)
            day << u"|"_s + row + u"|"_s;
        for (int i = 0; i < 7; ++i)
            day << u"||||||||||"_s;
        day << u"~end~"_s;
        QDir().mkpath(u"r_data"_s);
        QVERIFY(rasp::text::writeLines(rasp::day::DayFilePath(QDate::currentDate()), day));
        m_form = std::make_unique<TForm1>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        QVERIFY(rasp::text::writeLines(rasp::load::NagruzPath(), kLoad));
    }
    void cleanup() { m_form.reset(); }

    void regionsLockAndUnlockFromTheCellMenu()
    {
        start(0, 0);
        TForm1 &f = *m_form;
        Answerer answers(f);
        QCOMPARE(locks().at(1), u"L---------"_s); // the pinned Химия

        // A right press neither selects nor starts a drag; the menu opens on the subject field.
        rightClick(3, 2);
        QVERIFY(!f.editing().pressed());
        QCOMPARE(f.shift().menuRow(), 3);
        QCOMPARE(f.shift().menuColumn(), 2);
        chooseFromCellMenu(f.shift().lockMenu(), f.shift().lockUpRightAction());
        QCOMPARE(locks(), (QStringList{u"--LLLLLLLL"_s, u"LLLLLLLLLL"_s, u"-LLLLLLLLL"_s, u"----------"_s,
                                       u"----------"_s, u"----------"_s, u"----------"_s}));
        QVERIFY(!cell(1, 2).locked()); // the lesson there stays editable
        QVERIFY(f.widgets().Tab_1->isEnabled());

        // Row 5 frozen, then "Разблокировать" → "Влево и вниз" from the padlock of (3, 2).
        clickToggle(5);
        QCOMPARE(locks().at(4), u"LLLLLLLLLL"_s);
        rightClick(3, 2, 4);
        QCOMPARE(f.shift().menuElement(), rasp::day::CellElement::LockPicture);
        chooseFromCellMenu(f.shift().unlockMenu(), f.shift().unlockDownLeftAction());
        QCOMPARE(locks(), (QStringList{u"--LLLLLLLL"_s, u"LLLLLLLLLL"_s, u"--LLLLLLLL"_s, u"----------"_s,
                                       u"--LLLLLLLL"_s, u"----------"_s, u"----------"_s}));
        QCOMPARE(f.state().grid.snegHint(5), u"1"_s);
        QVERIFY(!f.widgets().Img_zdite->isVisible());
        QVERIFY(f.widgets().Tab_1->isEnabled());

        // "Разблокировать" on a free subject field does nothing.
        rightClick(4, 1);
        chooseFromCellMenu(f.shift().unlockMenu(), f.shift().unlockUpRightAction());
        QCOMPARE(locks().at(0), u"--LLLLLLLL"_s);
        QVERIFY(answers.asked.isEmpty());
    }

    void oneCellLocksAfterAQuestionAndUnlocksFromItsCaption()
    {
        start(0, 0);
        TForm1 &f = *m_form;
        Answerer answers(f, {Answerer::No, Answerer::Yes});
        QVERIFY(cell(1, 1).background != rasp::day::kWhite); // Алгебра coincides

        rightClick(1, 1);
        chooseFromCellMenu(f.shift().lockMenu(), f.shift().lockCellAction());
        QTRY_COMPARE(answers.asked.size(), 1);
        QCOMPARE(answers.asked.first(), u"Этот предмет имеет совпадение\r\nВсе равно закрепить предмет?"_s);
        QVERIFY(!cell(1, 1).locked());

        rightClick(1, 1);
        chooseFromCellMenu(f.shift().lockMenu(), f.shift().lockCellAction());
        QTRY_VERIFY(cell(1, 1).locked());
        QCOMPARE(cell(1, 1).caption, u"Алгебра"_s);

        // "Блокировать" → "Вправо и вверх" from a caption does nothing.
        rightClick(1, 1, 30);
        QCOMPARE(f.shift().menuElement(), rasp::day::CellElement::Caption);
        chooseFromCellMenu(f.shift().lockMenu(), f.shift().lockUpRightAction());
        QCOMPARE(locks().at(0), u"L---------"_s);

        rightClick(1, 1, 30);
        chooseFromCellMenu(f.shift().unlockMenu(), f.shift().unlockCellAction());
        QVERIFY(!cell(1, 1).locked());
        QCOMPARE(answers.asked.size(), 2);
    }

    void freezeTogglesLockWholeRows()
    {
        start(0, 0);
        TForm1 &f = *m_form;
        Answerer answers(f, {Answerer::No, Answerer::Yes});

        clickToggle(1);
        QTRY_COMPARE(answers.asked.size(), 1);
        QCOMPARE(answers.asked.first(), u"На этом уроке есть совпадения\r\nВсе равно закрепить предметы урока?"_s);
        QCOMPARE(locks().at(0), u"----------"_s);
        QCOMPARE(f.state().grid.snegHint(1), u"0"_s);

        clickToggle(1);
        QTRY_COMPARE(f.state().grid.snegHint(1), u"1"_s);
        QCOMPARE(locks().at(0), u"LLLLLLLLLL"_s);
        QCOMPARE(cell(1, 2).caption, u"Алгебра"_s);
        QVERIFY(f.widgets().Tab_1->isEnabled());

        // Unfreezing row 2 keeps the pinned Химия locked.
        clickToggle(2);
        QCOMPARE(locks().at(1), u"LLLLLLLLLL"_s);
        clickToggle(2);
        QCOMPARE(locks().at(1), u"L---------"_s);
        QCOMPARE(f.state().grid.snegHint(2), u"0"_s);

        // While an arrangement runs the toggles are disabled and a click does nothing.
        f.arrange().startButton()->setEnabled(false);
        f.EnabledKomponent();
        clickToggle(1);
        QCOMPARE(f.state().grid.snegHint(1), u"1"_s);
        f.Zamoroz(1); // even called directly, freezing is refused
        QCOMPARE(f.state().grid.snegHint(1), u"1"_s);
        QCOMPARE(locks().at(0), u"LLLLLLLLLL"_s);
        QVERIFY(f.widgets().Tab_1->isEnabled());
        QCOMPARE(answers.asked.size(), 2);
    }

    void clearSelectionEmptiesThePinsAndTheLocks()
    {
        start(0, 0);
        TForm1 &f = *m_form;
        clickToggle(6);
        QCOMPARE(locks().at(5), u"LLLLLLLLLL"_s);
        QWidget *list = f.widgets().sCheckListBox1->viewport();
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(10, 10), list->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(list, &menu);
        choose(f.shift().pinMenu(), f.shift().clearPinsAction());
        QTRY_VERIFY(!f.shift().pinMenu()->isVisible());
        for (int n = 0; n < f.widgets().sCheckListBox1->count(); ++n)
            QCOMPARE(f.widgets().sCheckListBox1->item(n)->checkState(), Qt::Unchecked);
        for (const QString &row : locks())
            QCOMPARE(row, u"----------"_s);
        QCOMPARE(f.state().grid.snegHint(6), u"1"_s);
    }

    void secondShiftFromTheSettingsAndTheSliders()
    {
        start(4, 6);
        TForm1 &f = *m_form;
        Answerer answers(f);
        // Empty cells of 1А..6А in rows 5..7 and of 7А..10А in rows 1..4; the pinned Химия in 1А
        // row 2; the lessons Физика of 7А (row 4) and 8А (row 5) stay free.
        QCOMPARE(locks(), (QStringList{u"------LLLL"_s, u"L-----LLLL"_s, u"------LLLL"_s, u"-------LLL"_s,
                                       u"LLLLLL----"_s, u"LLLLLL----"_s, u"LLLLLL----"_s}));
        QCOMPARE(f.shift().startSlider()->maximum(), 9);
        QCOMPARE(f.shift().startSlider()->value(), 6);
        QCOMPARE(f.shift().endSlider()->maximum(), 6);
        QCOMPARE(f.shift().endSlider()->value(), 4);
        QCOMPARE(f.shift().startSlider()->toolTip(), u"Начало второй смены"_s);
        QCOMPARE(f.shift().endSlider()->toolTip(), u"Окончание первой смены"_s);
        QCOMPARE(settingsFile(), m_settingsLines); // an unchanged split is not written again

        // Unfreezing a row inside the split locks its second-shift classes' empty cells again.
        clickToggle(3);
        QCOMPARE(locks().at(2), u"LLLLLLLLLL"_s);
        clickToggle(3);
        QCOMPARE(locks().at(2), u"------LLLL"_s);

        // The class bound to 0: every lock lifted, the pinned Химия locked again, the file follows.
        f.shift().startSlider()->setFocus();
        QTest::keyClick(f.shift().startSlider(), Qt::Key_Home);
        QCOMPARE(f.state().vt_sm_x, 0);
        QCOMPARE(locks(), (QStringList{u"----------"_s, u"L---------"_s, u"----------"_s, u"----------"_s,
                                       u"----------"_s, u"----------"_s, u"----------"_s}));
        QStringList lines = settingsFile();
        QCOMPARE(lines.at(lines.size() - 4), u"0"_s); // first-shift classes
        QCOMPARE(lines.at(lines.size() - 5), u"4"_s); // last first-shift row

        // Back to 1 class and one row down: rows 1..5 of the first shift.
        QTest::keyClick(f.shift().startSlider(), Qt::Key_Right);
        f.shift().endSlider()->setFocus();
        QTest::keyClick(f.shift().endSlider(), Qt::Key_Down);
        QCOMPARE(f.state().vt_sm_y, 5);
        QCOMPARE(locks(), (QStringList{u"--LLLLLLLL"_s, u"LLLLLLLLLL"_s, u"-LLLLLLLLL"_s, u"-LLLLL-LLL"_s,
                                       u"-LLLLLL-LL"_s, u"L---------"_s, u"L---------"_s}));
        lines = settingsFile();
        QCOMPARE(lines.at(lines.size() - 4), u"1"_s);
        QCOMPARE(lines.at(lines.size() - 5), u"5"_s);

        // Dragging the class handle three classes to the right applies the split once, on release.
        QStyleOptionSlider opt;
        opt.initFrom(f.shift().startSlider());
        opt.orientation = Qt::Horizontal;
        opt.minimum = f.shift().startSlider()->minimum();
        opt.maximum = f.shift().startSlider()->maximum();
        opt.sliderPosition = opt.sliderValue = f.shift().startSlider()->value();
        const QPoint handle =
            f.shift().startSlider()->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, f.shift().startSlider()).center();
        QTest::mousePress(f.shift().startSlider(), Qt::LeftButton, {}, handle);
        for (int dx = 20; dx <= 180; dx += 20) {
            QMouseEvent move(QEvent::MouseMove, handle + QPoint(dx, 0), f.shift().startSlider()->mapToGlobal(handle + QPoint(dx, 0)),
                             Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(f.shift().startSlider(), &move);
        }
        QCOMPARE(f.state().vt_sm_x, 1); // nothing applied while the handle moves
        QTest::mouseRelease(f.shift().startSlider(), Qt::LeftButton, {}, handle + QPoint(180, 0));
        QCOMPARE(f.shift().startSlider()->value(), 4);
        QCOMPARE(f.state().vt_sm_x, 4);
        QCOMPARE(locks().at(5), u"LLLL------"_s);
        QVERIFY(answers.asked.isEmpty());
        QVERIFY(f.widgets().Tab_1->isEnabled());
    }

    void theTemplatePageLocksOutsideTheShiftsToo()
    {
        start(4, 6);
        TForm1 &f = *m_form;
        Answerer answers(f, {Answerer::Yes}); // leaving the day page asks first
        QTest::mouseClick(f.widgets().SpeedB5, Qt::LeftButton);
        QVERIFY(f.widgets().SpeedB5->hasActiveLook());
        // The template is empty: only the split locks, 7А..10А in rows 1..4 and 1А..6А below.
        QCOMPARE(locks(), (QStringList{u"------LLLL"_s, u"------LLLL"_s, u"------LLLL"_s, u"------LLLL"_s,
                                       u"LLLLLL----"_s, u"LLLLLL----"_s, u"LLLLLL----"_s}));
    }

    void slidersFollowTheGridsScrolling()
    {
        start(4, 6);
        TForm1 &f = *m_form;
        f.resize(500, 380);
        QScrollBar *h = f.widgets().grid->horizontalScrollBar();
        QScrollBar *v = f.widgets().grid->verticalScrollBar();
        QVERIFY(h->maximum() >= 100);
        QVERIFY(v->maximum() >= 50);
        // Shown at home once the window's layout has placed the grid.
        QVERIFY(f.shift().startSlider()->isVisible());
        QVERIFY(f.shift().endSlider()->isVisible());
        QCOMPARE(inArea(f.shift().startSlider()), QPoint(68, 37));
        QCOMPARE(inArea(f.shift().endSlider()), QPoint(59, 60));
        QCOMPARE(f.shift().startSlider()->width(), 9 * 60 + 5);
        QCOMPARE(f.shift().endSlider()->height(), 6 * 45 + 3);

        QTest::mouseClick(h, Qt::LeftButton, {}, QPoint(h->width() - 25, h->height() / 2)); // a page to the right
        QVERIFY(h->value() > 0);
        QCOMPARE(inArea(f.shift().startSlider()), QPoint(68 - h->value(), 37));
        QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(v->width() / 2, v->height() - 25));
        QVERIFY(v->value() > 0);
        QCOMPARE(inArea(f.shift().endSlider()), QPoint(59, 60 - v->value()));
        // The strips show the sliders only over themselves.
        QVERIFY(inArea(f.shift().startSlider()->parentWidget()).x() >= 68);
        QVERIFY(inArea(f.shift().endSlider()->parentWidget()).y() >= 60);
        QCOMPARE(f.shift().endSlider()->parentWidget()->width(), f.shift().endSlider()->width()); // never cut sideways

        f.resize(520, 400);
        QCOMPARE(inArea(f.shift().startSlider()), QPoint(68 - h->value(), 37));
        QCOMPARE(inArea(f.shift().endSlider()), QPoint(59, 60 - v->value()));
    }
};

QTEST_MAIN(TstShiftWindow)
#include "tst_shiftwindow.moc"
