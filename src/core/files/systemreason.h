#pragma once

#include <QString>

namespace rasp::files {

// The Russian reason for a system error code met while writing, renaming or locking a file
// ("нет места на диске" for ENOSPC); never the system's English text.
QString WriteReason(int errorCode);

// The message of a file that was not written: "Не удалось записать файл PATH: REASON".
QString NotWritten(const QString &path, const QString &reason);

// The reason told by a NotWritten message about `path` ("нет места на диске").
QString ReasonOfNotWritten(const QString &message, const QString &path);

} // namespace rasp::files
