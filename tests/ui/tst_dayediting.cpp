// Editing the day in the window, driven through mouse and key events on the grid view and the
// window's own controls: the refresh after loading a day, pins, the missing-teacher warning, the
// teacher hours, typing, the subject picker, rooms and dragging lessons.
#include "answerer.h"
#include "day/callout.h"
#include "day/dayfile.h"
#include "dayschool.h"
#include "day/gridgeometry.h"
#include "day/daygridview.h"
#include "load/nagruzfile.h"
#include "shell/overlaypanel.h"
#include "settings/settings.h"
#include "shell/tabbutton.h"
#include "text/textfile.h"
#include "gridpointer.h"
#include "arrange/arrangecontroller.h"
#include "day/counterscontroller.h"
#include "settings/settingscontroller.h"
#include "template/templatecontroller.h"
#include "day/editingcontroller.h"
#include "day/highlightcontroller.h"
#include "tform1.h"
#include "day/dayfilecontroller.h"
#include "typetext.h"

#include <QApplication>
#include <QCheckBox>
#include <QGraphicsDropShadowEffect>
#include <QMouseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

namespace {

// Today's day, six rows of 5А | 5Б | 6А | 7А; Хор and Лепка have no teacher.
const QStringList kSubjects = {
    u"Алгебра|Алгебра|Англ|"_s,
    u"Физика|Хор|Химия|"_s,
    u"Лепка||Англ|"_s,
    u"Химия|Физика||"_s,
    u"|||"_s,
    u"|||"_s,
};
const QStringList kRooms = {
    u"12|12|14/15|"_s,
    u"12/14|14||"_s,
    u"|||"_s,
    u"|||"_s,
    u"|||"_s,
    u"|||"_s,
};

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int n = 0; n < box->count(); ++n)
        out << box->itemText(n);
    return out;
}

QStringList items(const QListWidget *list)
{
    QStringList out;
    for (int n = 0; n < list->count(); ++n)
        out << list->item(n)->text();
    return out;
}

} // namespace

class TstDayEditing : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;

    const rasp::day::Cell &cell(int row, int column) const { return m_form->state().grid.cell(row, column); }
    QWidget *body() const { return gridpointer::body(*m_form); }
    QPoint subjectAt(int row, int column) const { return gridpointer::subjectAt(*m_form, row, column); }
    QPoint roomAt(int row, int column) const { return gridpointer::roomAt(*m_form, row, column); }
    QPoint at(const QRect &bodyRect) const { return gridpointer::at(*m_form, bodyRect); }
    std::pair<QWidget *, QPoint> hitAt(QPoint p) const { return gridpointer::hitAt(*m_form, p); }
    void click(QPoint p) const { gridpointer::click(*m_form, p); }
    void doubleClick(QPoint p) const { gridpointer::doubleClick(*m_form, p); }
    QListWidgetItem *pin(const QString &subject) const
    {
        const auto found = m_form->widgets().sCheckListBox1->findItems(subject, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        dayschool::writeLoadAndSettings({u"1"_s, u"12"_s, u"14"_s, u"15"_s, u"21"_s});
        dayschool::writeToday(kSubjects, kRooms, {u"~end~"_s});
        m_form = std::make_unique<TForm1>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    void cleanup() { m_form.reset(); }

    void loadingADayRunsTheWholeRefresh()
    {
        TForm1 &f = *m_form;
        // Rooms: 12 twice in row 1; 12/14 and 14 in row 2.
        QCOMPARE(cell(1, 1).roomColour, rasp::day::kRed);
        QCOMPARE(cell(1, 2).roomColour, rasp::day::kRed);
        QCOMPARE(cell(1, 3).roomColour, rasp::day::kBlack);
        QCOMPARE(cell(2, 1).roomColour, rasp::day::kRed);
        QCOMPARE(cell(2, 2).roomColour, rasp::day::kRed);
        // The default pin Химия is checked and its lessons locked.
        QCOMPARE(pin(u"Химия"_s)->checkState(), Qt::Checked);
        QCOMPARE(pin(u"Алгебра"_s)->checkState(), Qt::Unchecked);
        QVERIFY(cell(2, 3).locked() && cell(4, 1).locked());
        // 5А has 4 lessons, 5Б and 6А 3, 7А none.
        QCOMPARE(items(f.arrange().maxLessonsBox()), (QStringList{u"4"_s, u"5"_s, u"6"_s}));
        QCOMPARE(f.arrange().maxLessonsBox()->currentText(), u"6"_s);
        QCOMPARE(items(f.arrange().firstGapsBox()), (QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
        // Choosing 4 as the maximum shortens it to 0..3.
        f.arrange().maxLessonsBox()->setEnabled(true);
        f.arrange().maxLessonsBox()->setFocus();
        QTest::keyClick(f.arrange().maxLessonsBox(), Qt::Key_Home);
        QCOMPARE(f.arrange().maxLessonsBox()->currentText(), u"4"_s);
        QCOMPARE(items(f.arrange().firstGapsBox()), (QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s}));

        // Missing teachers: Лепка in 5А, Хор in 5Б; the warning pulses.
        QCOMPARE(f.counters().missingText(), u"5А\rЛепка\r\r\n5Б\rХор\r\r\n"_s);
        QVERIFY(f.counters().warning()->isVisible());
        QVERIFY(f.counters().glowTimer()->isActive());
        QTRY_VERIFY(f.counters().glow() > 0);
        // The glow: red at 0.4 of the pulse's alpha, 3 px away, softness 0.2 (a 6-px blur).
        f.counters().glowTimer()->stop();
        f.counters().setGlow(240, 10);
        f.Timer4Timer();
        QCOMPARE(f.counters().glow(), 250);
        QCOMPARE(f.counters().glowEffect()->color().rgb(), QColor(255, 0, 0).rgb());
        QCOMPARE(f.counters().glowEffect()->color().alpha(), 100);
        QCOMPARE(f.counters().glowEffect()->blurRadius(), 6.0);
        QVERIFY(qAbs(QLineF(QPointF(), f.counters().glowEffect()->offset()).length() - 3.0) < 0.01);
        QTest::mouseClick(f.counters().warning(), Qt::LeftButton);
        QVERIFY(!f.counters().warning()->isVisible());
        QVERIFY(!f.counters().glowTimer()->isActive());
        QVERIFY(f.counters().missingPanel()->isVisible());
        QVERIFY((QStringList{u"Печально"_s, u"Ну и ладно"_s, u"Я все исправлю"_s, u"Так надо"_s}).contains(f.counters().missingCloseButton()->text()));
        QVERIFY(!f.widgets().Tab_1->isEnabled());
        QTest::mouseClick(f.counters().missingCloseButton(), Qt::LeftButton);
        QVERIFY(!f.counters().missingPanel()->isVisible());
        QVERIFY(f.widgets().Tab_1->isEnabled());

        // Hours of the day, sorted by name; 6А's English has two teachers.
        f.widgets().img_SB3->setEnabled(true);
        QTest::mouseClick(f.widgets().img_SB3, Qt::LeftButton);
        QVERIFY(f.counters().hoursPanel()->isVisible());
        QStringList rows;
        for (int r = 0; r < f.counters().hoursTable()->rowCount(); ++r)
            rows << f.counters().hoursTable()->item(r, 0)->text() + u'=' + f.counters().hoursTable()->item(r, 1)->text();
        QCOMPARE(rows, (QStringList{u"Борисова=2"_s, u"Иванова=2"_s, u"Петров=4"_s, u"Сидорова=2"_s}));
        QTest::mouseClick(f.counters().hoursCloseButton(), Qt::LeftButton);
        QVERIFY(!f.counters().hoursPanel()->isVisible());
        QVERIFY(f.widgets().Tab_1->isEnabled());
    }

    void aDayWithoutTeachersHasNoHoursAndNoWarning()
    {
        TForm1 &f = *m_form;
        f.dayFile().clearDay();
        QVERIFY(!f.counters().warning()->isVisible());
        QVERIFY(!f.counters().glowTimer()->isActive());
        f.widgets().img_SB3->setEnabled(true);
        QTest::mouseClick(f.widgets().img_SB3, Qt::LeftButton);
        QVERIFY(!f.counters().hoursPanel()->isVisible());
        QCOMPARE(f.widgets().noticeText, u"Ничего не найдено"_s);
    }

    void pinningAsksAboutCoincidences()
    {
        TForm1 &f = *m_form;
        // Алгебра of Иванова in 5А and 5Б at lesson 1: a coincidence.
        QVERIFY(cell(1, 1).background != rasp::day::kWhite);
        {
            Answerer no(f, {Answerer::No});
            pin(u"Алгебра"_s)->setCheckState(Qt::Checked);
            QCOMPARE(no.asked, QStringList{u"Этот предмет имеет совпадение\r\nВсе равно закрепить предмет?"_s});
        }
        QCOMPARE(pin(u"Алгебра"_s)->checkState(), Qt::Unchecked);
        QVERIFY(!cell(1, 1).locked() && !cell(1, 2).locked());
        {
            Answerer yes(f, {Answerer::Yes});
            pin(u"Алгебра"_s)->setCheckState(Qt::Checked);
            QCOMPARE(yes.asked.size(), 1);
        }
        QVERIFY(cell(1, 1).locked() && cell(1, 2).locked());
        QCOMPARE(cell(1, 1).caption, u"Алгебра"_s);
        // Unchecking unlocks; a lesson without coincidence is pinned without a question.
        {
            Answerer none(f);
            pin(u"Алгебра"_s)->setCheckState(Qt::Unchecked);
            pin(u"Физика"_s)->setCheckState(Qt::Checked);
            QVERIFY(none.asked.isEmpty());
        }
        QVERIFY(!cell(1, 1).locked() && !cell(1, 2).locked());
        QVERIFY(cell(2, 1).locked() && cell(4, 2).locked());
    }

    void typingRefreshesFromTheSecondCharacterAndKeysSkipLockedCells()
    {
        TForm1 &f = *m_form;
        QLineEdit *editor = f.widgets().grid->editor();
        click(subjectAt(5, 1));
        QCOMPARE(f.widgets().grid->editorRow(), 5);
        typeText(editor, u"Ф"_s);
        QCOMPARE(cell(5, 1).subject, u"Ф"_s);
        QCOMPARE(items(f.arrange().maxLessonsBox()), (QStringList{u"4"_s, u"5"_s, u"6"_s})); // nothing refreshed
        typeText(editor, u"изика"_s);
        QCOMPARE(items(f.arrange().maxLessonsBox()), (QStringList{u"5"_s, u"6"_s}));
        QCOMPARE(cell(5, 1).teachers, u"Петров"_s);
        QCOMPARE(f.widgets().sLabel7->text(), u"Петров"_s);

        // Up skips the locked Химия of row 4; Enter goes down and names the edited cell's teachers.
        QTest::keyClick(editor, Qt::Key_Up);
        QCOMPARE(f.widgets().grid->editorRow(), 3);
        QCOMPARE(f.state().grid.ramkaRow, 3);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(f.widgets().grid->editorRow(), 5);
        QCOMPARE(f.widgets().sLabel7->text(), cell(3, 1).teachers);
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(f.widgets().grid->editorRow(), 6); // the last row keeps the focus
        // Every cell above row 2 of 6А is free up to row 1; above row 1 nothing moves.
        click(subjectAt(1, 3));
        QTest::keyClick(editor, Qt::Key_Up);
        QCOMPARE(f.widgets().grid->editorRow(), 1);
    }

    void theSubjectPickerOffersTheClassSubjects()
    {
        TForm1 &f = *m_form;
        doubleClick(subjectAt(5, 2));
        QVERIFY(f.editing().subjectList()->isVisible());
        QCOMPARE(items(f.editing().subjectList()), (QStringList{u"Алгебра"_s, u"Физика"_s}));
        QCOMPARE(f.editing().subjectList()->size(), QSize(65, 190));
        // A second double-click closes it.
        doubleClick(subjectAt(5, 2));
        QVERIFY(!f.editing().subjectList()->isVisible());
        doubleClick(subjectAt(5, 2));
        QVERIFY(f.editing().subjectList()->isVisible());
        QListWidgetItem *physics = f.editing().subjectList()->findItems(u"Физика"_s, Qt::MatchExactly).first();
        const QPoint p = f.editing().subjectList()->visualItemRect(physics).center();
        QTest::mouseClick(f.editing().subjectList()->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(f.editing().subjectList()->viewport(), Qt::LeftButton, {}, p);
        QVERIFY(!f.editing().subjectList()->isVisible());
        QCOMPARE(cell(5, 2).subject, u"Физика"_s);
        QCOMPARE(cell(5, 2).teachers, u"Петров"_s);
        QCOMPARE(f.widgets().sLabel7->text(), u"Петров"_s);
        QCOMPARE(items(f.arrange().maxLessonsBox()), (QStringList{u"4"_s, u"5"_s, u"6"_s})); // 5Б now has 4

        // 7А is taught nothing: no picker.
        doubleClick(subjectAt(1, 4));
        QVERIFY(!f.editing().subjectList()->isVisible());
    }

    void roomsArePickedFromTheFreeOnesAndRecheckedAsTyped()
    {
        TForm1 &f = *m_form;
        // Row 2 holds 12/14 and 14: the list offers 1, 15 and 21 (1 is not part of 12).
        doubleClick(roomAt(2, 3));
        QVERIFY(f.editing().roomList()->isVisible());
        QCOMPARE(items(f.editing().roomList()), (QStringList{u"1"_s, u"15"_s, u"21"_s}));
        QCOMPARE(f.editing().roomList()->height(), 19 * 3 + 5);
        QListWidgetItem *room21 = f.editing().roomList()->findItems(u"21"_s, Qt::MatchExactly).first();
        const QPoint p = f.editing().roomList()->visualItemRect(room21).center();
        QTest::mouseClick(f.editing().roomList()->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(f.editing().roomList()->viewport(), Qt::LeftButton, {}, p);
        QVERIFY(!f.editing().roomList()->isVisible());
        QCOMPARE(cell(2, 3).room, u"21"_s);
        // Row 1 holds 12 and 14/15: 1 and 21 remain; the list for 12 alone leaves out 12.
        doubleClick(roomAt(1, 4));
        QCOMPARE(items(f.editing().roomList()), (QStringList{u"1"_s, u"21"_s}));

        // Typing 14 over the second 12 clears both marks at the key release; 14/15 of 6А then clashes.
        click(roomAt(1, 2));
        QVERIFY(!f.editing().roomList()->isVisible());
        QCOMPARE(f.widgets().grid->editorField(), GridGeometry::Room);
        f.widgets().grid->editor()->selectAll();
        typeText(f.widgets().grid->editor(), u"13"_s);
        QCOMPARE(cell(1, 2).room, u"13"_s);
        QCOMPARE(cell(1, 1).roomColour, rasp::day::kBlack);
        QCOMPARE(cell(1, 2).roomColour, rasp::day::kBlack);
        QTest::keyClick(f.widgets().grid->editor(), Qt::Key_Down);
        QCOMPARE(f.widgets().grid->editorRow(), 2);
        QCOMPARE(f.widgets().grid->editorField(), GridGeometry::Room);

        // A release on a room field names the cell's teachers.
        click(roomAt(4, 2));
        QCOMPARE(f.widgets().sLabel7->text(), u"Петров"_s);
    }

    void scrollingOrResizingClosesTheCellListsAndTheWheelScrollsNothing()
    {
        TForm1 &f = *m_form;
        for (int n = 0; n < 4; ++n) // eight columns are wider than the narrowest window
            f.KlassCreate();
        f.resize(420, 400); // small enough for both scroll bars
        QScrollBar *h = f.widgets().grid->horizontalScrollBar();
        QScrollBar *v = f.widgets().grid->verticalScrollBar();
        QVERIFY(h->maximum() > 0);
        QVERIFY(v->maximum() > 0);

        doubleClick(roomAt(2, 3));
        QVERIFY(f.editing().roomList()->isVisible());
        h->setValue(h->value() + 30);
        QVERIFY(!f.editing().roomList()->isVisible());

        doubleClick(subjectAt(1, 2));
        QVERIFY(f.editing().subjectList()->isVisible());
        v->setValue(v->value() + 20);
        QVERIFY(!f.editing().subjectList()->isVisible());

        doubleClick(subjectAt(1, 2));
        QVERIFY(f.editing().subjectList()->isVisible());
        f.resize(440, 420);
        QVERIFY(!f.editing().subjectList()->isVisible());

        const int before = v->value();
        QWheelEvent wheel(QPointF(20, 20), body()->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(body(), &wheel);
        QCOMPARE(v->value(), before);
    }

    void onTheTemplatePageEditsGoIntoTheShownWeekday()
    {
        TForm1 &f = *m_form;
        {
            Answerer yes(f, {Answerer::Yes});
            QTest::mouseClick(f.widgets().SpeedB5, Qt::LeftButton);
        }
        QVERIFY(f.templatePageActive());
        QCOMPARE(f.state().vibr_den_set, 1);
        // Wednesday already has Физика in 5А, row 2.
        f.fixtureState().Setka[3].resize(f.fixtureState().max_ur, f.fixtureState().klassvis_mas);
        f.fixtureState().Setka[3].SetkaMasUr[2][1] = u"Физика"_s;

        click(subjectAt(1, 1));
        typeText(f.widgets().grid->editor(), u"Физика"_s);
        const rasp::tmpl::TSetkaMas &monday = f.state().Setka[1];
        QCOMPARE(monday.SetkaMasUr[1][1], u"Физика"_s);
        QCOMPARE(f.templates().strip().LabSet[1]->text(), u"1"_s);
        QCOMPARE(f.templates().strip().LabSet[3]->text(), u"1"_s);
        QVERIFY(!f.templates().strip().Rct_Set_schet[1]->isHidden() && !f.templates().strip().Rct_Set_schet[3]->isHidden());
        QVERIFY(f.templates().strip().Rct_Set_schet[2]->isHidden());
        QVERIFY(f.editing().weekCallout()->isVisible());
        QCOMPARE(f.editing().weekCalloutText()->text(), u"Всего 2"_s);
        // The callout is a 67 x 23 box with a pointer 5 wide and 9 long hanging 5 px from its left;
        // the pointer's tip touches the cell's top edge.
        rasp::ui::Callout *callout = f.editing().weekCallout();
        QCOMPARE(callout->size(), QSize(67, 32));
        QCOMPARE(callout->box(), QRect(0, 0, 67, 23));
        QCOMPARE(f.editing().weekCalloutText()->geometry(), callout->box());
        const QPainterPath outline = callout->outline();
        QVERIFY(outline.contains(QPointF(7.5, 27)));   // inside the pointer
        QVERIFY(outline.contains(QPointF(7.5, 31)));   // near its tip
        QVERIFY(!outline.contains(QPointF(3.5, 27)));  // left of it
        QVERIFY(!outline.contains(QPointF(12.5, 27))); // right of it
        QVERIFY(!outline.contains(QPointF(40, 27)));   // under the box elsewhere
        QVERIFY(outline.contains(QPointF(60, 20)));    // the box itself
        QImage shot(callout->size(), QImage::Format_ARGB32_Premultiplied);
        shot.fill(Qt::transparent);
        callout->render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);   // without what lies under it
        QCOMPARE(QColor::fromRgba(shot.pixel(7, 26)), QColor(255, 255, 255)); // painted white
        QCOMPARE(qAlpha(shot.pixel(40, 27)), 0);                              // see-through
        const QRect cellRect = f.widgets().grid->bodyRectInViewport(GridGeometry::subjectRect(1, 1));
        const QPointF tip = QPointF(callout->pos()) + callout->tip();
        QCOMPARE(tip.y(), qreal(cellRect.top()));
        QCOMPARE(tip.x(), cellRect.center().x() + 7.5);
        // A mouse move over the grid outside the cells hides the callout.
        QTest::mouseMove(body(), at(QRect(GridGeometry::subjectRect(1, 1).x() + 5, 46, 2, 2))); // between rows 1 and 2
        QVERIFY(!f.editing().weekCallout()->isVisible());

        // Moving the lesson to row 3 moves it in the template as well.
        const QPoint from = subjectAt(1, 1);
        QWidget *target = hitAt(from).first;
        const QPoint local = from - target->pos();
        QTest::mousePress(target, Qt::LeftButton, {}, local);
        QTest::mouseMove(target, local + QPoint(0, 90));
        QTest::mouseRelease(target, Qt::LeftButton, {}, local + QPoint(0, 90));
        QTRY_COMPARE(f.editing().moveState(), 0);
        QCOMPARE(monday.SetkaMasUr[3][1], u"Физика"_s);
        QCOMPARE(monday.SetkaMasUr[1][1], QString());

        // A picked room too.
        doubleClick(roomAt(3, 1));
        QListWidgetItem *room = f.editing().roomList()->findItems(u"21"_s, Qt::MatchExactly).first();
        const QPoint p = f.editing().roomList()->visualItemRect(room).center();
        QTest::mouseClick(f.editing().roomList()->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(f.editing().roomList()->viewport(), Qt::LeftButton, {}, p);
        QCOMPARE(monday.SetkaMasKab[3][1], u"21"_s);
    }

    void aPlainClickSelectsTheCellsTeachers()
    {
        TForm1 &f = *m_form;
        f.highlight().selectedButton()->setChecked(true); // "только выбранного учителя"
        const QPoint p = subjectAt(2, 1);                 // Физика of Петров
        const auto [w, local] = hitAt(p);
        QTest::mousePress(w, Qt::LeftButton, {}, local);
        QTest::mouseRelease(w, Qt::LeftButton, {}, local);
        QCOMPARE(f.editing().moveState(), 0);
        QVERIFY(cell(2, 1).background != rasp::day::kWhite);
        QVERIFY(cell(1, 3).background != rasp::day::kWhite); // Англ: Петров, Сидорова
        QCOMPARE(cell(1, 1).background, rasp::day::kWhite);  // Иванова
    }

    void draggingALessonSwapsItWithTheTargetRow_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("animate");
        QTest::addColumn<bool>("onEditor"); // the press lands on the live editor of the focused cell
        QTest::addColumn<bool>("arranging");
        QTest::newRow("row 2 to 5, sliding") << 2 << 3 * 45 << 5 << true << true << false;
        QTest::newRow("row 2 to 5, at the next tick") << 2 << 3 * 45 + 10 << 5 << false << false << false;
        QTest::newRow("above row 1") << 3 << -400 << 1 << false << true << false;
        QTest::newRow("below the last row") << 2 << 900 << 6 << false << false << false;
        QTest::newRow("onto a locked cell") << 3 << 45 << 3 << false << true << false;
        QTest::newRow("while an arrangement runs") << 2 << 3 * 45 << 2 << false << false << true;
    }
    void draggingALessonSwapsItWithTheTargetRow()
    {
        QFETCH(int, from);
        QFETCH(int, dy);
        QFETCH(int, to);
        QFETCH(bool, animate);
        QFETCH(bool, onEditor);
        QFETCH(bool, arranging);
        TForm1 &f = *m_form;
        f.settings().widgets().CheckBox2->setChecked(animate);
        f.arrange().startButton()->setEnabled(!arranging);
        QStringList before;
        QStringList roomsBefore;
        for (int i = 1; i <= 6; ++i) {
            before << cell(i, 1).subject;
            roomsBefore << cell(i, 1).room;
        }
        if (onEditor) {
            click(subjectAt(from, 1));
            QCOMPARE(f.widgets().grid->editorRow(), from);
        }
        // Moves and the release go to the widget the press landed on, as the pointer grab does,
        // at positions relative to where that widget is now (the editor moves with the lesson).
        const QPoint pressAt = subjectAt(from, 1);
        QWidget *target = hitAt(pressAt).first;
        QCOMPARE(target == f.widgets().grid->editor(), onEditor);
        auto local = [&](QPoint p) { return target == f.widgets().grid->editor() ? p - target->pos() : p; };
        QTest::mousePress(target, Qt::LeftButton, {}, local(pressAt));
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(target, local(pressAt + QPoint(3, dy * step / 4)));
        if (!arranging)
            QCOMPARE(qRound(f.widgets().grid->fieldTop(from, 1)), GridGeometry::slotTop(from) + dy);
        QTest::mouseRelease(target, Qt::LeftButton, {}, local(pressAt + QPoint(3, dy)));
        if (to != from) {
            QCOMPARE(f.editing().moveState(), animate ? 1 : 2);
            // No new drag while a move is in flight.
            const auto [other, p] = hitAt(subjectAt(1, 2));
            QTest::mousePress(other, Qt::LeftButton, {}, p);
            QVERIFY(!f.editing().pressed());
            QTest::mouseRelease(other, Qt::LeftButton, {}, p);
            QTRY_COMPARE(f.editing().moveState(), 0);
            QVERIFY(!f.editing().moveTimer()->isActive());
        }
        QStringList expected = before;
        QStringList expectedRooms = roomsBefore;
        expected.swapItemsAt(from - 1, to - 1);
        expectedRooms.swapItemsAt(from - 1, to - 1);
        QStringList after;
        QStringList roomsAfter;
        for (int i = 1; i <= 6; ++i) {
            after << cell(i, 1).subject;
            roomsAfter << cell(i, 1).room;
            QCOMPARE(f.widgets().grid->fieldTop(i, 1), double(GridGeometry::slotTop(i))); // every field back in its slot
        }
        QCOMPARE(after, expected);
        QCOMPARE(roomsAfter, expectedRooms);
        if (to != from) {
            QCOMPARE(f.widgets().grid->editorRow(), to);
            QCOMPARE(f.state().grid.ramkaRow, to);
            QCOMPARE(cell(to, 1).teachers, cell(to, 1).subject == u"Физика"_s ? u"Петров"_s : QString());
        }
    }
};

QTEST_MAIN(TstDayEditing)
#include "tst_dayediting.moc"
