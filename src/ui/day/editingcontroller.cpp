#include "day/editingcontroller.h"
#include "day/daytexts.h"

#include "day/callout.h"
#include "day/celladdress.h"
#include "day/counters.h"
#include "day/gridops.h"
#include "day/kabpoisk.h"
#include "day/daygridview.h"
#include "edit/editfunnel.h"
#include "widgets/fitteditemdelegate.h"
#include "state.h"
#include "text/listorder.h"
#include "undo/editcommands.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

using day::GridGeometry;

EditingController::EditingController(const Shell &shell, DayGridView *grid, QObject *parent)
    : Controller(shell, parent)
    , m_grid(grid)
{
    m_moveTimer = new QTimer(this);
    m_moveTimer->setInterval(50);
    m_slideTimer = new QTimer(this);
    m_slideTimer->setInterval(10);

    // The lists and the callout float over the grid.
    m_roomList = new QListWidget(grid->viewport());
    m_roomList->setObjectName(u"ListBox1"_s);
    m_subjectList = new QListWidget(grid->viewport());
    m_subjectList->setObjectName(u"ListBox4"_s);
    for (QListWidget *list : {m_roomList, m_subjectList}) {
        list->setFont(QFont(u"Calibri"_s, 12));
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The items follow the grid fields' fitting rule.
        list->setItemDelegate(new FittedItemDelegate(list->font(), list));
        list->hide();
    }
    m_roomList->resize(GridGeometry::kFieldWidth, 90);
    m_subjectList->resize(GridGeometry::kFieldWidth + 10, 90);

    // 67 x 32 with its pointer: the box is 23 high, the pointer hangs 9 below it.
    m_callout = new Callout(QSize(67, 32), grid->viewport());
    m_callout->setObjectName(u"OblKolUr"_s);
    m_calloutText = new QLabel(m_callout);
    m_calloutText->setObjectName(u"Label11"_s);
    m_calloutText->setAlignment(Qt::AlignCenter);
    m_calloutText->setGeometry(m_callout->box());
    m_callout->hide();

    connect(grid, &DayGridView::cellClicked, this, &EditingController::fieldClicked);
    connect(grid, &DayGridView::editorKeyReleased, this, [this](int row, int column, GridGeometry::Field field, int key) {
        if (row < 1)
            return;
        if (field == GridGeometry::Subject)
            subjectKeyReleased(row, column, key);
        else if (field == GridGeometry::Room)
            roomKeyReleased(row, column, key);
    });
    connect(grid, &DayGridView::fieldDoubleClicked, this, [this](int row, int column, GridGeometry::Field field) {
        if (field == GridGeometry::Subject)
            toggleSubjectPicker(row, column);
        else
            toggleRoomList(row, column);
    });
    connect(grid, &DayGridView::subjectPressed, this, [this](int, int, QPointF pos) { pressLesson(pos); });
    connect(grid, &DayGridView::subjectMoved, this, &EditingController::dragLesson);
    connect(grid, &DayGridView::subjectReleased, this, [this](int row, int column, QPointF) { dropLesson(row, column); });
    connect(grid, &DayGridView::roomReleased, this, &EditingController::roomReleased);
    connect(grid, &DayGridView::hoveredOutsideCells, m_callout, &QWidget::hide);
    connect(grid, &DayGridView::cellEdited, this, [this](int row, int column, GridGeometry::Field field) {
        // Text that arrived without a key press (pasted) still opens a run.
        if (!edits().typingRunOn(row, column, field))
            edits().openTypingRun(row, column, field, true);
        recordTyping(row, column, field);
    });
    connect(m_subjectList, &QListWidget::itemDoubleClicked, this, &EditingController::pickSubject);
    connect(m_roomList, &QListWidget::itemDoubleClicked, this, &EditingController::pickRoom);
    connect(m_moveTimer, &QTimer::timeout, this, &EditingController::completeMove);
    connect(m_slideTimer, &QTimer::timeout, this, &EditingController::slideStep);
}

void EditingController::writeTemplate(int row, int column, GridGeometry::Field field, const QString &text)
{
    edits().writeTemplate(state().vibr_den_set, row, column, field, text);
}

QString EditingController::cellName(int row, int column) const
{
    return undo::CellName(state(), row, column);
}

void EditingController::goToCell(int row, int column, GridGeometry::Field field)
{
    edits().moveFrame(row, column);
    m_grid->focusField(row, column, field);
    emit teachersShown(state().grid.cell(row, column).teachers);
}

void EditingController::showRestoredCell(int row, int column)
{
    if (!state().grid.cell(row, column).locked())
        goToCell(row, column, GridGeometry::Subject);
    else
        edits().moveFrame(row, column);
}

void EditingController::hideCellLists()
{
    m_roomList->hide();
    m_subjectList->hide();
}

void EditingController::hideWeekCount()
{
    m_callout->hide();
}

void EditingController::hidePopupLists()
{
    for (QListWidget *list : {m_roomList, m_subjectList})
        if (list->isVisible()) {
            m_closedList = list->objectName() + u';' + list->toolTip();
            m_closedListAt = QDateTime::currentMSecsSinceEpoch();
        }
    hideCellLists();
}

bool EditingController::closedByClick(const QListWidget *list, int row, int column) const
{
    return m_closedList == list->objectName() + u';' + day::CellHint(row, column)
           && QDateTime::currentMSecsSinceEpoch() - m_closedListAt <= QApplication::doubleClickInterval();
}

bool EditingController::listCell(const QListWidget *list, int *row, int *column)
{
    // The list carries the cell it was opened for as its tool tip, "row;column".
    return day::ParseCellHint(list->toolTip(), row, column);
}

void EditingController::openUnder(QListWidget *list, int row, int column, const QStringList &items, int height)
{
    list->setToolTip(day::CellHint(row, column));
    const QRect field = m_grid->bodyRectInViewport(GridGeometry::roomRect(row, column));
    list->move(field.left(), field.bottom() + 1);
    list->raise();
    list->clear();
    list->addItems(items);
    if (height > 0)
        list->resize(list->width(), height);
}

void EditingController::fieldClicked(int row, int column, GridGeometry::Field field)
{
    if (field == GridGeometry::Subject && templatePage())
        countWeek(state().grid.cell(row, column).subject, row, column);
    goToCell(row, column, field);
    hidePopupLists();
}

void EditingController::subjectKeyReleased(int i, int j, int key)
{
    const day::Cell &cell = state().grid.cell(i, j);
    if (templatePage())
        writeTemplate(i, j, GridGeometry::Subject, cell.subject);
    const bool up = key == Qt::Key_Up;
    const bool down = key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter;
    // The first character typed into an empty neutral cell refreshes nothing.
    const bool refreshes = up || down || cell.subject.size() >= 2 || cell.background != day::kWhite;
    if (refreshes) {
        if (up && i != 1) {
            for (int r = i - 1; r >= 1; --r)
                if (day::SubjectVisible(state(), r, j)) {
                    goToCell(r, j, GridGeometry::Subject);
                    break;
                }
        } else if (down && i != state().max_ur) {
            for (int r = i + 1; r <= state().max_ur; ++r)
                if (day::SubjectVisible(state(), r, j)) {
                    goToCell(r, j, GridGeometry::Subject);
                    break;
                }
        }
        edits().refresh(refresh::SubjectTyped);
        emit limitsWanted();
        if (key != Qt::Key_Up && key != Qt::Key_Down)
            emit teachersShown(state().grid.cell(i, j).teachers);
    }
    if (templatePage())
        countWeek(state().grid.cell(i, j).subject, i, j);
    recordTyping(i, j, GridGeometry::Subject);
}

void EditingController::toggleSubjectPicker(int i, int j)
{
    m_roomList->hide();
    if (m_subjectList->isVisible() || closedByClick(m_subjectList, i, j)) {
        m_subjectList->hide();
        m_closedList.clear();
        return;
    }
    // The subjects any teacher has in this class, in list order.
    QStringList subjects;
    for (int t = 1; t <= state().pedvis && t < int(state().Predmet.size()); ++t) {
        const auto &byClass = state().Predmet[std::size_t(t)];
        if (j >= int(byClass.size()))
            continue;
        for (const QString &line : byClass[std::size_t(j)])
            if (!line.isEmpty() && !subjects.contains(line))
                text::SortedInsert(subjects, line);
    }
    openUnder(m_subjectList, i, j, subjects, 190);
    if (m_subjectList->count() > 0)
        m_subjectList->show();
}

void EditingController::pickSubject()
{
    QListWidgetItem *item = m_subjectList->currentItem();
    int i = 0;
    int j = 0;
    if (!item || !item->isSelected() || !listCell(m_subjectList, &i, &j))
        return;
    const QString subject = item->text();
    {
        Edit edit(edits(), refresh::SubjectTyped);
        edit.state().grid.cell(i, j).subject = subject;
        if (templatePage())
            writeTemplate(i, j, GridGeometry::Subject, subject);
        edit.record(stepOf<undo::PickCommand>(daytexts::kStepPickSubject.toString().arg(cellName(i, j))));
    }
    if (templatePage())
        countWeek(subject, i, j);
    m_subjectList->hide();
    emit limitsWanted();
    emit teachersShown(state().grid.cell(i, j).teachers);
}

void EditingController::pressLesson(QPointF pos)
{
    if (running() || m_move.state != 0)
        return;
    m_pressed = true;
    m_pressPos = pos;
    m_callout->hide();
    hidePopupLists();
}

void EditingController::dragLesson(int row, int column, QPointF pos)
{
    if (!m_pressed || state().grid.cell(row, column).locked())
        return;
    // Only vertically: the lesson slides up and down its class column; background, room field
    // and frame follow it.
    m_grid->setLifted(row, column, m_grid->fieldTop(row, column) + (pos.y() - m_pressPos.y()));
}

void EditingController::dropLesson(int i, int j)
{
    if (!m_pressed)
        return;
    if (templatePage())
        countWeek(state().grid.cell(i, j).subject, i, j);
    int k = GridGeometry::dropRow(m_grid->fieldTop(i, j), state().max_ur);
    if (state().grid.cell(k, j).locked())
        k = i;
    if (k == i)
        m_grid->clearLifted(i, j);
    else
        m_grid->setLifted(i, j, GridGeometry::slotTop(k));
    emit teachersShown(state().grid.cell(i, j).teachers);
    edits().moveFrame(i, j);
    if (k != i) {
        m_move.toRow = k;
        m_move.fromRow = i;
        m_move.column = j;
        m_move.goal = GridGeometry::slotTop(i);
        m_move.top = GridGeometry::slotTop(k);
        m_grid->setLifted(k, j, m_move.top); // the displaced lesson is drawn over the dropped one
        m_move.step = GridGeometry::slideStep(m_move.goal, m_move.top);
        if (state().settings.animateMoves) { // "Анимировать перетаскивание уроков"
            m_move.state = 1;
            m_moveTimer->start();
            m_slideTimer->start();
        } else {
            m_move.state = 2;
            m_moveTimer->start();
        }
    } else {
        edits().refresh(RefreshTeachers, state().regim == day::Regim::None ? QString() : state().grid.cell(i, j).teachers);
    }
    m_pressed = false;
    m_grid->viewport()->update();
}

void EditingController::slideStep()
{
    const double top = m_grid->fieldTop(m_move.toRow, m_move.column);
    if ((top < m_move.goal && m_move.step > 0) || (top > m_move.goal && m_move.step < 0)) {
        m_move.top += m_move.step;
        m_grid->setLifted(m_move.toRow, m_move.column, m_move.top);
        return;
    }
    m_slideTimer->stop();
    m_move.state = 2;
}

void EditingController::completeMove()
{
    if (m_move.state != 2)
        return;
    const int k = m_move.toRow;
    const int i = m_move.fromRow;
    const int x = m_move.column;
    const QString selection = state().regim == day::Regim::None ? QString() : state().grid.cell(i, x).teachers;
    {
        Edit edit(edits(), refresh::LessonsMoved);
        edit.setSelection(selection);
        State &s = edit.state();
        day::Cell &a = s.grid.cell(k, x);
        day::Cell &b = s.grid.cell(i, x);
        std::swap(a.subject, b.subject);
        std::swap(a.style, b.style);
        std::swap(a.background, b.background);
        std::swap(a.room, b.room);
        std::swap(a.cover, b.cover); // a lesson's cover moves with it
        if (templatePage()) {
            writeTemplate(k, x, GridGeometry::Subject, a.subject); // sizes the template day
            writeTemplate(i, x, GridGeometry::Subject, b.subject);
            writeTemplate(k, x, GridGeometry::Room, a.room);
            writeTemplate(i, x, GridGeometry::Room, b.room);
        }
        m_grid->clearLifted(k, x);
        m_grid->clearLifted(i, x);
        if (day::SubjectVisible(s, k, x)) {
            day::RamkaKoord(s, k, x);
            m_grid->focusField(k, x, GridGeometry::Subject);
            m_grid->editor()->setCursorPosition(int(m_grid->editor()->text().size()));
        }
        edit.record(stepOf<undo::MoveLessonCommand>(daytexts::kStepMoveLesson.toString().arg(cellName(i, x)).arg(k), selection));
    }
    m_move.state = 0;
    m_moveTimer->stop();
}

void EditingController::toggleRoomList(int i, int j)
{
    m_subjectList->hide();
    if (m_roomList->isVisible() || closedByClick(m_roomList, i, j)) {
        m_roomList->hide();
        m_closedList.clear();
        return;
    }
    // The school's rooms come from the settings page ("Кабинеты").
    const QStringList offered = day::OfferedRooms(state(), i, state().settings.rooms);
    QStringList sorted;
    for (const QString &room : offered)
        text::SortedInsert(sorted, room);
    openUnder(m_roomList, i, j, sorted, day::RoomListHeight(int(offered.size())));
    m_roomList->show();
}

void EditingController::pickRoom()
{
    QListWidgetItem *item = m_roomList->currentItem();
    int i = 0;
    int j = 0;
    if (!item || !item->isSelected() || !listCell(m_roomList, &i, &j))
        return;
    const QString room = item->text();
    {
        Edit edit(edits(), refresh::RoomChanged);
        edit.state().grid.cell(i, j).room = room;
        if (templatePage())
            writeTemplate(i, j, GridGeometry::Room, room);
        edit.record(stepOf<undo::PickCommand>(daytexts::kStepPickRoom.toString().arg(cellName(i, j))));
    }
    m_roomList->hide();
}

void EditingController::roomKeyReleased(int i, int j, int key)
{
    if (templatePage())
        writeTemplate(i, j, GridGeometry::Room, state().grid.cell(i, j).room);
    // Room fields are never hidden, so locked cells are not skipped.
    if (key == Qt::Key_Up && i != 1)
        goToCell(i - 1, j, GridGeometry::Room);
    else if ((key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) && i != state().max_ur)
        goToCell(i + 1, j, GridGeometry::Room);
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        emit teachersShown(state().grid.cell(i, j).teachers);
    edits().refresh(refresh::RoomChanged);
    recordTyping(i, j, GridGeometry::Room);
}

void EditingController::roomReleased(int i, int j)
{
    emit teachersShown(state().grid.cell(i, j).teachers);
}

void EditingController::countWeek(const QString &s, int row, int column)
{
    if (s.isEmpty()) {
        emit weekCounted({});
        return;
    }
    const day::WeekCount w = day::PodshetKolUr(state(), s, column);
    emit weekCounted(w.perDay);
    if (w.total < 1) {
        m_callout->hide();
        return;
    }
    // Bottom edge on the cell's top edge, left edge at the cell's horizontal centre.
    const QRect cell = m_grid->bodyRectInViewport(GridGeometry::subjectRect(row, column));
    m_callout->move(cell.center().x(), cell.top() - m_callout->height());
    m_calloutText->setText(daytexts::kWeekTotal.toString().arg(w.total));
    m_callout->raise();
    m_callout->show();
}

void EditingController::typingKeyPressed()
{
    const int row = m_grid->editorRow();
    const int column = m_grid->editorColumn();
    const GridGeometry::Field field = m_grid->editorField();
    if (row < 1 || running() || edits().typingRunOn(row, column, field))
        return;
    edits().openTypingRun(row, column, field, false);
}

void EditingController::recordTyping(int row, int column, GridGeometry::Field field)
{
    const QString text = (field == GridGeometry::Subject ? daytexts::kStepTypeSubject : daytexts::kStepTypeRoom).toString().arg(cellName(row, column));
    edits().recordTyping(row, column, field, text, stepTemplateDay(), restoreStep());
}

} // namespace rasp::ui
