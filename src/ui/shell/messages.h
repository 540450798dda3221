#pragma once

#include <QString>
#include <QStringList>

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

// The first of a list of problems, and how many more there are.
inline QString FirstProblemNotice(const QStringList &problems)
{
    QString notice = problems.first();
    if (problems.size() > 1)
        notice += QStringLiteral("\r\n(и ещё %1)").arg(problems.size() - 1);
    return notice;
}

} // namespace rasp::ui
