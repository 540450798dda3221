#pragma once

// Every text of the cell menu's locking entries, the pin list's menu, the second-shift sliders and
// the undo steps they record.
#include <QStringView>

namespace rasp::ui::shifttexts {

// The cell menu: its two submenus and their entries.
inline constexpr QStringView kLock = u"Блокировать";
inline constexpr QStringView kUnlock = u"Разблокировать";
inline constexpr QStringView kCell = u"Ячейку";
inline constexpr QStringView kUpAndRight = u"Вправо и вверх";
inline constexpr QStringView kDownAndLeft = u"Влево и вниз";
// The menu of "Не перемещать".
inline constexpr QStringView kClearPins = u"Снять выделение";
// The sliders' hints.
inline constexpr QStringView kShiftStart = u"Начало второй смены";
inline constexpr QStringView kFirstShiftEnd = u"Окончание первой смены";
// Undo steps (the cell's name or the row follows).
inline constexpr QStringView kStepLockCell = u"блокировка ячейки ";
inline constexpr QStringView kStepUnlockCell = u"разблокировка ячейки ";
inline constexpr QStringView kStepLockUpRight = u"блокировка вправо и вверх от ";
inline constexpr QStringView kStepLockDownLeft = u"блокировка влево и вниз от ";
inline constexpr QStringView kStepUnlockUpRight = u"разблокировка вправо и вверх от ";
inline constexpr QStringView kStepUnlockDownLeft = u"разблокировка влево и вниз от ";
inline constexpr QStringView kStepFreeze = u"заморозка урока ";
inline constexpr QStringView kStepUnfreeze = u"разморозка урока ";
inline constexpr QStringView kStepClearPins = u"снятие выделения";
// A subject of "Не перемещать" checked or unchecked (the subject and "»" follow).
inline constexpr QStringView kStepPin = u"закрепление «";
inline constexpr QStringView kStepUnpin = u"открепление «";
inline constexpr QStringView kStepShift = u"изменение второй смены";

} // namespace rasp::ui::shifttexts
