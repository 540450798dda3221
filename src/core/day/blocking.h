#pragma once

#include <QRect>
#include <QString>

#include <functional>

namespace rasp {
struct State;
}

namespace rasp::day {

// What a right-click landed on: a free cell's subject field, or the lock picture or the
// caption of a locked cell. The lock and unlock items act only on some of them.
enum class CellElement { None,
                         SubjectField,
                         LockPicture,
                         Caption };

// Width of the padlock at the left of a locked cell; the caption is drawn to its right.
inline constexpr int kPadlockWidth = 11;

// The element of cell (row, column) under a point `xInField` pixels from the field's left edge:
// the subject field of a free cell; on a locked cell the padlock, or the caption when the cell
// has caption text and the point lies right of the padlock.
CellElement ElementAt(const State &state, int row, int column, int xInField);

// The question asked before locking a cell whose lesson has a coincidence.
QString LockCellQuestion();
// The question asked before freezing a row in which a free lesson has a coincidence.
QString ZamorozQuestion();

// Locks every empty cell in rows k1..k2, classes m1..m2 (bounds limited to the grid).
void BlokYach(State &state, int k1, int m1, int k2, int m2);
// Unlocks every cell in rows k1..k2, classes m1..m2 (bounds limited to the grid).
void RazBlokYach(State &state, int k1, int m1, int k2, int m2);

// "Блокировать" → "Ячейку": locks the right-clicked free cell; a coloured (coinciding) lesson
// only if `ask` agrees. Returns whether the cell was locked.
bool LockClickedCell(State &state, CellElement element, int i, int j, const std::function<bool(const QString &)> &ask);
// "Разблокировать" → "Ячейку": unlocks the right-clicked locked cell. Returns whether it acted.
bool UnlockClickedCell(State &state, CellElement element, int i, int j);
// "Блокировать" → "Вправо и вверх": locks the empty cells of rows 1..i, classes j..klassvis.
bool LockUpAndRight(State &state, CellElement element, int i, int j);
// "Блокировать" → "Влево и вниз": locks the empty cells of rows i..max_ur, classes 1..j.
bool LockDownAndLeft(State &state, CellElement element, int i, int j);
// "Разблокировать" → "Вправо и вверх": unlocks every cell of rows 1..i, classes j..klassvis.
bool UnlockUpAndRight(State &state, CellElement element, int i, int j);
// "Разблокировать" → "Влево и вниз": unlocks every cell of rows i..max_ur, classes 1..j.
bool UnlockDownAndLeft(State &state, CellElement element, int i, int j);

// What a click on a row's freeze toggle did.
enum class ZamorozResult { Refused,
                           Declined,
                           Frozen,
                           Unfrozen };

// The freeze toggle of row r: refused while an arrangement runs; freezing asks when a free
// lesson of the row has a coincidence and then locks the whole row; unfreezing unlocks the row
// and re-pins its "Не перемещать" subjects (CheckList(0, r, r)). The second-shift locks of an
// unfrozen row are put back by the caller (VtorayaSmenaBlok(0)).
ZamorozResult Zamoroz(State &state, int r, bool arrangementRunning, const std::function<bool(const QString &)> &ask);

// "Снять выделение": unchecks every "Не перемещать" entry and unlocks every lesson cell; the
// row freeze toggles keep their state.
void ClearPins(State &state);

// The second-shift bounds as the sliders can hold them: vt_sm_x within 0..klassvis-1 and
// vt_sm_y within 0..max_ur-1 (0 below that).
int ShiftClassBound(const State &state);
int ShiftRowBound(const State &state);
// Whether the split is in force: both bounds greater than 0.
bool ShiftInForce(const State &state);

// Applies the second shift. ind 1 first lifts every lock of the grid and, once the day has
// settled (chek_pderm 1), re-pins "Не перемещать" (asking through `ask` while the split is in
// force); then, with the split in force, locks the empty cells of first-shift classes in
// second-shift rows and of second-shift classes in first-shift rows. Returns whether a pin was
// unchecked because a question was declined.
bool VtorayaSmenaBlok(State &state, int ind, const std::function<bool(const QString &)> &ask);

// Geometry of the two boundary sliders in the grid area (the parent of the top bar and the
// grid), for a grid scrolled to (scrollX, scrollY).
struct ShiftSliderGeometry {
    QRect trackBar1;  // horizontal: "Начало второй смены"
    int maximum1 = 0; // klassvis - 1
    QRect trackBar2;  // vertical: "Окончание первой смены"
    int maximum2 = 0; // max_ur - 1
};
ShiftSliderGeometry VtorayaSmenaGranici(int klassvis, int maxUr, int scrollX, int scrollY);

// Thickness of the two sliders.
inline constexpr int kTrackBar1Height = 16;
inline constexpr int kTrackBar2Width = 16;

} // namespace rasp::day
