#pragma once

#include <QString>

namespace rasp::ui {

// The question asked before the grid's unsaved content is replaced (page change or another day).
inline const QString kLoseChanges = QStringLiteral("Все внесенные изменения будут удалены.\r\nПродолжить?");

} // namespace rasp::ui
