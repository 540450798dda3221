// Undo and redo in the window: every kind of edit of the day and the template undone and redone,
// the whole grid (cells, styles, colours, counters, toggles, pins) compared with the states
// before and after; typing runs grouped by field; the history's life across dates, weekdays,
// saves and declined questions; nothing undone while an arrangement runs.
#include "answerer.h"
#include "day/dayfile.h"
#include "dayschool.h"
#include "day/gridgeometry.h"
#include "day/daygridview.h"
#include "gridpointer.h"
#include "load/nagruzfile.h"
#include "settings/settings.h"
#include "stateinvariants.h"
#include "shell/tabbutton.h"
#include "template/setka.h"
#include "text/datewords.h"
#include "text/textfile.h"
#include "arrange/arrangecontroller.h"
#include "settings/settingscontroller.h"
#include "day/editingcontroller.h"
#include "day/highlightcontroller.h"
#include "tform1.h"
#include "day/tooltipscontroller.h"
#include "undo/undocontroller.h"
#include "day/shiftcontroller.h"
#include "typetext.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolTip>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

namespace {

// Today's day, six rows of 5А | 5Б | 6А | 7А.
const QStringList kSubjects = {
    u"Алгебра|Алгебра|Англ|Лепка"_s,
    u"Физика|Хор|Химия|"_s,
    u"Лепка||Англ|"_s,
    u"Химия|Физика||"_s,
    u"|||"_s,
    u"|||"_s,
};
const QStringList kRooms = {u"12|12|14/15|"_s, u"12/14|14||"_s, u"|||"_s, u"|||"_s, u"|||"_s, u"|||"_s};

// The template of today's weekday: one lesson per class.
const QStringList kTemplate = {u"|Физика|Алгебра|Англ||"_s, u"||||"_s, u"||||"_s, u"||||"_s, u"||||"_s,
                               u"||||"_s, u"21|||"_s, u"|||"_s, u"|||"_s, u"|||"_s,
                               u"|||"_s, u"|||"_s, QString(), u"~end~"_s};

// Everything the screen shows of the grid and its counters, as comparable text.
QStringList screen(const TForm1 &f)
{
    QStringList out;
    const rasp::State &s = f.state();
    for (int i = 1; i <= s.max_ur; ++i)
        for (int j = 1; j <= s.klassvis; ++j) {
            const rasp::day::Cell &c = s.grid.cell(i, j);
            out << u"%1,%2 %3|%4|%5|%6|%7|%8|%9|%10"_s.arg(i)
                       .arg(j)
                       .arg(c.subject, c.room, c.teachers, c.caption)
                       .arg(c.textColour, 0, 16)
                       .arg(c.background, 0, 16)
                       .arg(c.roomColour, 0, 16)
                       .arg(c.style);
        }
    QString frozen;
    for (int i = 1; i <= s.max_ur; ++i)
        frozen += s.grid.snegHint(i);
    out << u"frozen "_s + frozen;
    for (const QComboBox *box : {f.arrange().maxLessonsBox(), f.arrange().firstGapsBox()}) {
        QStringList items;
        for (int n = 0; n < box->count(); ++n)
            items << box->itemText(n);
        out << box->objectName() + u' ' + items.join(u',') + u" selected "_s + box->currentText();
    }
    QString pins;
    for (int n = 0; n < f.widgets().sCheckListBox1->count(); ++n)
        pins += f.widgets().sCheckListBox1->item(n)->checkState() == Qt::Checked ? u'1' : u'0';
    out << u"pins "_s + pins << u"note "_s + s.note << u"shift %1 %2"_s.arg(s.vt_sm_x).arg(s.vt_sm_y);
    return out;
}

} // namespace

class TstUndoWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TForm1> m_form;

    const rasp::day::Cell &cell(int row, int column) const { return m_form->state().grid.cell(row, column); }
    QPoint subjectAt(int row, int column) const { return gridpointer::subjectAt(*m_form, row, column); }
    QPoint roomAt(int row, int column) const { return gridpointer::roomAt(*m_form, row, column); }
    void click(QPoint p) const { gridpointer::click(*m_form, p); }
    QListWidgetItem *pin(const QString &subject) const
    {
        const auto found = m_form->widgets().sCheckListBox1->findItems(subject, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    // Closes a notice the edit showed, so the pages are enabled again.
    void closeNotice() const
    {
        if (m_form->widgets().Rct_soob->isVisible())
            QTest::mouseClick(m_form->widgets().Button1, Qt::LeftButton);
    }
    // Chooses an entry of a cell list and double-clicks it.
    static void pick(QListWidget *list, const QString &text)
    {
        const auto found = list->findItems(text, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        list->setCurrentItem(found.first());
    }
    // Drags the lesson of (from, column) by dy pixels and waits for the move to complete.
    void drag(int from, int column, int dy) const
    {
        const QPoint pressAt = subjectAt(from, column);
        QWidget *target = gridpointer::hitAt(*m_form, pressAt).first;
        auto local = [&](QPoint p) { return target == m_form->widgets().grid->editor() ? p - target->pos() : p; };
        QTest::mousePress(target, Qt::LeftButton, {}, local(pressAt));
        QTest::mouseMove(target, local(pressAt + QPoint(0, dy / 2)));
        QTest::mouseMove(target, local(pressAt + QPoint(0, dy)));
        QTest::mouseRelease(target, Qt::LeftButton, {}, local(pressAt + QPoint(0, dy)));
        QTRY_COMPARE(m_form->editing().moveState(), 0);
    }
    // The undo and redo keys as the user presses them in the grid page.
    void pressUndo() const { QTest::keyClick(m_form->widgets().grid->editor(), Qt::Key_Z, Qt::ControlModifier); }
    void pressRedo(bool y) const
    {
        if (y)
            QTest::keyClick(m_form->widgets().grid->editor(), Qt::Key_Y, Qt::ControlModifier);
        else
            QTest::keyClick(m_form->widgets().grid->editor(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }

    enum Edit {
        TypeSubject,
        TypeRoom,
        PickSubject,
        PickRoom,
        Drag,
        LockCell,
        UnlockCell,
        LockRegion,
        UnlockRegion,
        Freeze,
        Unfreeze,
        PinSubject,
        ClearPins,
        Shift,
        ClearDay,
        FillFromTemplate,
        Arrange,
        ReturnPrevious,
    };
    // Makes one edit the way the user does; what came before it (preparing edits) is its own step.
    void makeEdit(Edit edit)
    {
        TForm1 &f = *m_form;
        switch (edit) {
        case TypeSubject:
            click(subjectAt(5, 1));
            typeText(f.widgets().grid->editor(), u"Физика"_s);
            click(subjectAt(1, 4)); // the run ends where the focus leaves the field
            break;
        case TypeRoom:
            click(roomAt(3, 1));
            typeText(f.widgets().grid->editor(), u"14"_s);
            break;
        case PickSubject:
            gridpointer::doubleClick(f, subjectAt(5, 2));
            pick(f.editing().subjectList(), u"Физика"_s);
            f.ListBox4DblClick();
            break;
        case PickRoom:
            gridpointer::doubleClick(f, roomAt(3, 3));
            pick(f.editing().roomList(), u"21"_s);
            f.ListBox1DblClick();
            break;
        case Drag:
            drag(2, 1, 3 * 45);
            break;
        case LockCell: {
            Answerer yes(f, {Answerer::Yes});
            f.cellContextMenu(3, 1, 30, QPoint());
            f.shift().lockCellAction()->trigger();
            f.shift().cellMenu()->hide();
            break;
        }
        case UnlockCell:
            f.cellContextMenu(4, 1, 5, QPoint()); // the padlock of the pinned Химия
            f.shift().unlockCellAction()->trigger();
            f.shift().cellMenu()->hide();
            break;
        case LockRegion:
            f.cellContextMenu(3, 2, 30, QPoint());
            f.shift().lockUpRightAction()->trigger();
            f.shift().cellMenu()->hide();
            break;
        case UnlockRegion:
            f.cellContextMenu(4, 1, 5, QPoint());
            f.shift().unlockDownLeftAction()->trigger();
            f.shift().cellMenu()->hide();
            break;
        case Freeze: {
            Answerer yes(f, {Answerer::Yes});
            f.Zamoroz(1);
            break;
        }
        case Unfreeze:
            f.Zamoroz(2);
            break;
        case PinSubject: {
            Answerer yes(f, {Answerer::Yes});
            pin(u"Физика"_s)->setCheckState(Qt::Checked);
            break;
        }
        case ClearPins:
            f.shift().clearPinsAction()->trigger();
            break;
        case Shift:
            f.shift().startSlider()->setValue(2);
            break;
        case ClearDay: {
            Answerer yes(f, {Answerer::Yes});
            f.sSpeedButton10Click();
            break;
        }
        case FillFromTemplate: {
            Answerer yes(f, {Answerer::Yes});
            f.sSpeedButton9Click();
            break;
        }
        case Arrange: {
            Answerer yes(f, {Answerer::Yes});
            // A run that has not finished by then is stopped; stopped or finished, it is one step.
            QTimer::singleShot(2000, &f, [&f] { f.arrange().stopButton()->click(); });
            f.sSpeedButton4Click();
            closeNotice();
            break;
        }
        case ReturnPrevious: {
            Answerer yes(f, {Answerer::Yes});
            f.sSpeedButton7Click();
            closeNotice();
            break;
        }
        }
    }
    // What an edit needs before it, done as ordinary steps of their own.
    void prepare(Edit edit)
    {
        TForm1 &f = *m_form;
        if (edit == Unfreeze) {
            Answerer yes(f, {Answerer::Yes});
            f.Zamoroz(2);
            QVERIFY(f.state().grid.frozen(2));
        } else if (edit == Shift) {
            f.shift().endSlider()->setValue(3);
        } else if (edit == ReturnPrevious) {
            makeEdit(Arrange);
        } else if (edit == Drag) {
            f.settings().widgets().CheckBox2->setChecked(false);
        }
    }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QDir::setCurrent(m_work->path());
        dayschool::writeLoadAndSettings({u"1"_s, u"12"_s, u"14"_s, u"15"_s, u"21"_s});
        dayschool::writeToday(kSubjects, kRooms, {u"заметка"_s, u"~end~"_s});
        QDir().mkpath(u"setka"_s);
        QVERIFY(rasp::text::writeLines(u"setka/"_s + rasp::text::day(QDate::currentDate()) + u".ini"_s, kTemplate));
        m_form = std::make_unique<TForm1>();
        m_form->arrange().setSeed(7);
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QVERIFY(!m_form->undo().history()->canUndo());
    }
    void cleanup()
    {
        // Whatever the gesture did, the facts the state keeps twice still agree.
        QCOMPARE(rasp::CheckInvariants(m_form->state()), QStringList());
        m_form.reset();
    }

    void everyEditIsOneStepUndoneAndRedone_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("text");
        QTest::newRow("typing a subject") << int(TypeSubject) << u"ввод предмета 5А, 5"_s;
        QTest::newRow("typing a room") << int(TypeRoom) << u"ввод кабинета 5А, 3"_s;
        QTest::newRow("picking a subject") << int(PickSubject) << u"выбор предмета 5Б, 5"_s;
        QTest::newRow("picking a room") << int(PickRoom) << u"выбор кабинета 6А, 3"_s;
        QTest::newRow("dragging a lesson") << int(Drag) << u"перенос урока 5А, 2 → 5"_s;
        QTest::newRow("locking a cell") << int(LockCell) << u"блокировка ячейки 5А, 3"_s;
        QTest::newRow("unlocking a cell") << int(UnlockCell) << u"разблокировка ячейки 5А, 4"_s;
        QTest::newRow("locking a region") << int(LockRegion) << u"блокировка вправо и вверх от 5Б, 3"_s;
        QTest::newRow("unlocking a region") << int(UnlockRegion) << u"разблокировка влево и вниз от 5А, 4"_s;
        QTest::newRow("freezing a row") << int(Freeze) << u"заморозка урока 1"_s;
        QTest::newRow("unfreezing a row") << int(Unfreeze) << u"разморозка урока 2"_s;
        QTest::newRow("pinning a subject") << int(PinSubject) << u"закрепление «Физика»"_s;
        QTest::newRow("clearing the pins") << int(ClearPins) << u"снятие выделения"_s;
        QTest::newRow("second shift") << int(Shift) << u"изменение второй смены"_s;
        QTest::newRow("clearing the day") << int(ClearDay) << u"очистка дня"_s;
        QTest::newRow("filling from the template") << int(FillFromTemplate) << u"загрузка дня из сетки"_s;
        QTest::newRow("an arrangement run") << int(Arrange) << u"автоподбор"_s;
        QTest::newRow("returning to the previous variant") << int(ReturnPrevious) << u"возврат предыдущего варианта"_s;
    }
    void everyEditIsOneStepUndoneAndRedone()
    {
        QFETCH(int, edit);
        QFETCH(QString, text);
        TForm1 &f = *m_form;
        prepare(Edit(edit));
        const int stepsBefore = f.undo().history()->count();
        const QStringList before = screen(f);
        makeEdit(Edit(edit));
        const QStringList after = screen(f);
        QVERIFY(after != before);
        QCOMPARE(f.undo().history()->count(), stepsBefore + 1);
        QCOMPARE(f.undo().undoAction()->text(), u"Отменить: "_s + text);
        // The two items head the cell menu.
        QCOMPARE(f.shift().cellMenu()->actions().at(0), f.undo().undoAction());
        QCOMPARE(f.shift().cellMenu()->actions().at(1), f.undo().redoAction());

        pressUndo();
        QCOMPARE(screen(f), before);
        QCOMPARE(f.undo().redoAction()->text(), u"Повторить: "_s + text);
        pressRedo(true);
        QCOMPARE(screen(f), after);
        f.undo().undoAction()->trigger();
        QCOMPARE(screen(f), before);
        pressRedo(false);
        QCOMPARE(screen(f), after);
    }

    void typingRunsAreGroupedByField()
    {
        TForm1 &f = *m_form;
        QLineEdit *editor = f.widgets().grid->editor();
        click(subjectAt(5, 1));
        typeText(editor, u"Физ"_s);
        typeText(editor, u"ика"_s);
        QTest::keyClick(editor, Qt::Key_Down); // the editor moves on: a new field, a new run
        typeText(editor, u"Хор"_s);
        click(roomAt(5, 1));
        typeText(editor, u"12"_s);
        QCOMPARE(f.undo().history()->count(), 3);
        // Typed and rubbed out again: no step is left.
        click(subjectAt(5, 2));
        typeText(editor, u"А"_s);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(f.undo().history()->count(), 3);

        click(roomAt(5, 1));
        editor->end(false);
        typeText(editor, u"4"_s); // a run still open when the key goes to the history is closed and undone whole
        QCOMPARE(cell(5, 1).room, u"124"_s);
        pressUndo();
        QCOMPARE(cell(5, 1).room, u"12"_s);
        pressUndo();
        QCOMPARE(cell(5, 1).room, QString());
        QCOMPARE(cell(6, 1).subject, u"Хор"_s);
        pressUndo();
        QCOMPARE(cell(6, 1).subject, QString());
        QCOMPARE(cell(5, 1).subject, u"Физика"_s);
        QCOMPARE(cell(5, 1).teachers, u"Петров"_s);
        pressUndo();
        QCOMPARE(cell(5, 1).subject, QString());
        QCOMPARE(cell(5, 1).teachers, QString());
        QVERIFY(!f.undo().history()->canUndo());
        QCOMPARE(f.undo().undoAction()->text(), u"Отменить"_s);
        QVERIFY(!f.undo().undoAction()->isEnabled());
    }

    void theHistoryBelongsToTheShownDay()
    {
        TForm1 &f = *m_form;
        makeEdit(Drag);
        makeEdit(LockRegion);
        QCOMPARE(f.undo().history()->count(), 2);
        {
            // Saving keeps it; declined questions leave it untouched.
            Answerer answers(f, {Answerer::Yes, Answerer::No, Answerer::No});
            f.sSpeedButton11Click();
            closeNotice();
            f.sSpeedButton10Click();
            f.sSpeedButton9Click();
        }
        QCOMPARE(f.undo().history()->count(), 2);
        QVERIFY(f.undo().undoAction()->isEnabled());
        {
            // Another date comes onto the grid: the history is emptied.
            Answerer yes(f, {Answerer::Yes});
            f.widgets().sDateTimePicker2->setDate(QDate::currentDate().addDays(1));
            f.sDateTimePicker2ClPicker();
            closeNotice();
        }
        QCOMPARE(f.undo().history()->count(), 0);
        QVERIFY(!f.undo().undoAction()->isEnabled());
    }

    void templateEditsUndoIntoTheWeekdayAndSwitchingWeekdayClearsTheHistory()
    {
        TForm1 &f = *m_form;
        {
            Answerer yes(f, {Answerer::Yes});
            f.SpeedB5Click();
        }
        QVERIFY(f.templatePageActive());
        QVERIFY(!f.undo().history()->canUndo());
        const int den = f.state().vibr_den_set;
        click(subjectAt(2, 1));
        typeText(f.widgets().grid->editor(), u"Химия"_s);
        QCOMPARE(f.state().Setka[std::size_t(den)].ur(2, 1), u"Химия"_s);
        pressUndo();
        QCOMPARE(cell(2, 1).subject, QString());
        QCOMPARE(f.state().Setka[std::size_t(den)].ur(2, 1), QString());
        pressRedo(true);
        QCOMPARE(f.state().Setka[std::size_t(den)].ur(2, 1), u"Химия"_s);
        {
            Answerer yes(f, {Answerer::Yes});
            f.sSpeedButton10Click();
        }
        QCOMPARE(f.undo().undoAction()->text(), u"Отменить: очистка сетки"_s);
        pressUndo();
        QCOMPARE(f.state().Setka[std::size_t(den)].ur(2, 1), u"Химия"_s);
        f.BtnSetClick(den % 7 + 1);
        QVERIFY(!f.undo().history()->canUndo());
        QVERIFY(!f.undo().history()->canRedo());
    }

    void toolTipsExplainCoincidencesRedRoomsAndShapes()
    {
        TForm1 &f = *m_form;
        using F = GridGeometry::Field;
        // Row 1: Алгебра of Иванова in 5А and 5Б, both in room 12; 5Б has no lesson in row 3.
        QCOMPARE(f.toolTips().cellText(1, 1, F::Subject), u"Иванова\nИванова в этот урок также в 5Б"_s);
        QCOMPARE(f.toolTips().cellText(1, 2, F::Room), u"Кабинет 12 в этот урок также у 5А"_s);
        QCOMPARE(f.toolTips().cellText(1, 3, F::Room), QString()); // 14/15 is not red
        QCOMPARE(f.toolTips().rowText(3), u"5Б: окно на 3-м уроке"_s);
        QCOMPARE(f.toolTips().rowText(2), QString());
        // In another mode the colour is not a coincidence: only the teachers are named.
        f.highlight().eachButton()->setChecked(true);
        QCOMPARE(f.toolTips().cellText(1, 1, F::Subject), u"Иванова"_s);
        // A tool-tip request on the painted grid lands on the right field and row number.
        QWidget *body = gridpointer::body(f);
        QHelpEvent onRoom(QEvent::ToolTip, roomAt(1, 2), body->mapToGlobal(roomAt(1, 2)));
        QApplication::sendEvent(body, &onRoom);
        QCOMPARE(QToolTip::text(), u"Кабинет 12 в этот урок также у 5А"_s);
        const QRect label = GridGeometry::rowLabelRect(3); // row-strip x, body y
        const QPoint rowLabel(label.center().x(),
                              label.center().y() + GridGeometry::kHeaderHeight - f.widgets().grid->verticalScrollBar()->value());
        QHelpEvent onRow(QEvent::ToolTip, rowLabel, f.widgets().grid->viewport()->mapToGlobal(rowLabel));
        QApplication::sendEvent(f.widgets().grid->viewport(), &onRow);
        QCOMPARE(QToolTip::text(), u"5Б: окно на 3-м уроке"_s);
    }

    void nothingIsUndoneWhileAnArrangementRuns()
    {
        TForm1 &f = *m_form;
        makeEdit(Drag);
        // Two pinned Химия lessons of one teacher in one row: the run can never finish.
        click(subjectAt(2, 1));
        QLineEdit *editor = f.widgets().grid->editor();
        editor->selectAll();
        typeText(editor, u"Химия"_s);
        QVERIFY(cell(2, 1).locked() && cell(2, 3).locked());
        const int steps = f.undo().history()->count();
        QStringList during;
        QStringList whileRunning;
        bool undoEnabled = true;
        // Once the run is under way (it handles events once per cycle): try to undo, then stop it.
        QTimer poll;
        connect(&poll, &QTimer::timeout, &f, [&] {
            if (!f.arrange().randomRun() || !during.isEmpty())
                return;
            during = screen(f);
            undoEnabled = f.undo().undoAction()->isEnabled();
            f.undoStep();
            f.undo().undoAction()->trigger();
            whileRunning = screen(f);
            f.arrange().stopButton()->click(); // "Стоп"
        });
        poll.start(10);
        {
            Answerer yes(f, {Answerer::Yes});
            f.sSpeedButton4Click();
            closeNotice();
        }
        QVERIFY(!during.isEmpty());
        QVERIFY(!undoEnabled);
        QCOMPARE(whileRunning, during);
        // The stopped run is a step of its own, after the ones before it.
        QCOMPARE(f.undo().history()->count(), steps + 1);
        QCOMPARE(f.undo().undoAction()->text(), u"Отменить: автоподбор"_s);
        QVERIFY(f.undo().undoAction()->isEnabled());
    }
};

QTEST_MAIN(TstUndoWindow)
#include "tst_undowindow.moc"
