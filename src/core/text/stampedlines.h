#pragma once

#include "files/filestamp.h"
#include "text/textfile.h"

namespace rasp::text {

// readLines that also gives what the file held when read (`stamp`; not present for NoFile), so
// a later save can tell whether another program changed it.
ReadResult readLinesStamped(const QString &path, files::FileStamp *stamp);

// writeLines that also gives the stamp of the file written.
bool writeLinesStamped(const QString &path, const QStringList &lines, files::FileStamp *written,
                       QString *error = nullptr, Access access = Access::Default);

} // namespace rasp::text
