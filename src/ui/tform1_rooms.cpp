// Day timetable: rooms. Double bookings show red; the room list offers the rooms still free in
// a lesson row.
#include "tform1.h"

#include "edit/editfunnel.h"
#include "day/celladdress.h"
#include "day/kabpoisk.h"
#include "daygridview.h"
#include "text/listorder.h"
#include "undo/editcommands.h"

#include <QLabel>
#include <QListWidget>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

int TForm1::KabPoisk(int ind, int strok, const QString &kabinet)
{
    if (ind == 1) {
        refresh(rasp::refresh::RoomChanged); // core day::KabPoisk(1), then the views repaint
        return 0;
    }
    return rasp::day::KabPoisk(m_state, ind, strok, kabinet);
}

bool TForm1::listCell(const QListWidget *list, int *row, int *column) const
{
    // The list carries the cell it was opened for as its tool tip, "row;column".
    return rasp::day::ParseCellHint(list->toolTip(), row, column);
}

void TForm1::RaspKabDblClick(int i, int j)
{
    ListBox4->hide();
    if (ListBox1->isVisible() || closedByClick(ListBox1, i, j)) {
        ListBox1->hide();
        m_closedList.clear();
        return;
    }
    ListBox1->setToolTip(rasp::day::CellHint(i, j));
    const QRect room = grid->bodyRectInViewport(GridGeometry::roomRect(i, j));
    ListBox1->move(room.left(), room.bottom() + 1);
    ListBox1->raise();
    ListBox1->clear();
    // The school's rooms come from the settings page ("Кабинеты").
    const QStringList offered = rasp::day::OfferedRooms(m_state, i, m_state.settings.rooms);
    QStringList sorted;
    for (const QString &room : offered)
        rasp::text::SortedInsert(sorted, room);
    ListBox1->addItems(sorted);
    ListBox1->resize(ListBox1->width(), rasp::day::RoomListHeight(int(offered.size())));
    ListBox1->show();
}

void TForm1::ListBox1DblClick()
{
    QListWidgetItem *item = ListBox1->currentItem();
    int i = 0;
    int j = 0;
    if (!item || !item->isSelected() || !listCell(ListBox1, &i, &j))
        return;
    rasp::ui::Edit edit(*m_edits);
    m_state.grid.cell(i, j).room = item->text();
    if (templatePageActive())
        writeTemplate(i, j, GridGeometry::Room, item->text());
    refresh(rasp::refresh::RoomChanged);
    ListBox1->hide();
    edit.record(stepOf<rasp::ui::undo::PickCommand>(u"выбор кабинета "_s + cellName(i, j)));
}

void TForm1::KabKeyUp(int i, int j, int key)
{
    if (templatePageActive())
        writeTemplate(i, j, GridGeometry::Room, m_state.grid.cell(i, j).room);
    // Room fields are never hidden, so locked cells are not skipped.
    if (key == Qt::Key_Up && i != 1)
        goToCell(i - 1, j, GridGeometry::Room);
    else if ((key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) && i != m_state.max_ur)
        goToCell(i + 1, j, GridGeometry::Room);
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        sLabel7->setText(m_state.grid.cell(i, j).teachers);
    refresh(rasp::refresh::RoomChanged);
    recordTyping(i, j, GridGeometry::Room);
}

void TForm1::KabMouseUp(int i, int j)
{
    sLabel7->setText(m_state.grid.cell(i, j).teachers);
}
