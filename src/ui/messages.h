#pragma once

#include <QString>

namespace rasp::ui {

// The question asked before the grid's unsaved content is replaced (page change or another day).
inline const QString kLoseChanges = QStringLiteral("Все внесенные изменения будут удалены.\r\nПродолжить?");

// Added to the message of a save that failed: what the user typed is still there.
inline const QString kEditsKept = QStringLiteral("Изменения не сохранены и остаются в редакторе.");

// The message of a failed save: the reason, then that the edits are kept.
inline QString NotSavedNotice(const QString &error)
{
    return error + QStringLiteral("\r\n") + kEditsKept;
}

} // namespace rasp::ui
