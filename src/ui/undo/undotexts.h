#pragma once

// The captions of the undo and redo actions (%1 the name of the step they would undo or redo).
#include <QStringView>

namespace rasp::ui::undotexts {

inline constexpr QStringView kUndo = u"Отменить";
inline constexpr QStringView kRedo = u"Повторить";
inline constexpr QStringView kUndoStep = u"Отменить: %1";
inline constexpr QStringView kRedoStep = u"Повторить: %1";

} // namespace rasp::ui::undotexts
