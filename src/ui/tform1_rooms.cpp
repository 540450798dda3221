// Day timetable: rooms. Double bookings show red; the room list offers the rooms still free in
// a lesson row (rasp::ui::EditingController, src/ui/day).
#include "tform1.h"

#include "day/editingcontroller.h"
#include "day/kabpoisk.h"

int TForm1::KabPoisk(int ind, int strok, const QString &kabinet)
{
    if (ind == 1) {
        m_edits->refresh(rasp::refresh::RoomChanged); // core day::KabPoisk(1), then the views repaint
        return 0;
    }
    return rasp::day::KabPoisk(m_state, ind, strok, kabinet);
}

// EditingController::toggleRoomList.
void TForm1::RaspKabDblClick(int i, int j) { m_editing->toggleRoomList(i, j); }
// EditingController::pickRoom.
void TForm1::ListBox1DblClick() { m_editing->pickRoom(); }
// EditingController::roomKeyReleased.
void TForm1::KabKeyUp(int i, int j, int key) { m_editing->roomKeyReleased(i, j, key); }
// EditingController::roomReleased.
void TForm1::KabMouseUp(int i, int j) { m_editing->roomReleased(i, j); }
