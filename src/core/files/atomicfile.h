#pragma once

#include "filestamp.h"

#include <QByteArrayView>
#include <QString>

namespace rasp::files {

// Who may read a written file: the platform's default, or its owner only (files holding a password).
enum class Access { Default,
                    OwnerOnly };

// Writes `bytes` to `path` whole or not at all. The bytes go to a temporary file beside the
// target (LeftoverName's pattern), unbuffered, every write checked, then flushed to the disk
// (fsync) and renamed over the target; any failure removes the temporary file and leaves the
// old file byte for byte as it was. A link is followed to the file it names. The new file keeps
// the mode of the file it replaces (a new one gets the umask's), OwnerOnly makes it 0600 before
// a byte is written. Leftovers of earlier saves killed half-way are removed from the folder first.
// On failure returns false with the Russian message (NotWritten) in `error`; on success `written`
// gets the stamp of the new file.
bool WriteWhole(const QString &path, QByteArrayView bytes, QString *error = nullptr, Access access = Access::Default,
                FileStamp *written = nullptr);

// Whether a file name is one of WriteWhole's temporary files: the target's name, ".rasp-" and
// six letters or digits ("09.12.2026.ini.rasp-a1B2c3").
bool IsLeftoverName(const QString &fileName);

// Removes from `folder` the temporary files of saves that were killed before they finished:
// regular files whose name IsLeftoverName and that no running save holds (a save keeps a lock
// on its temporary file). Nothing else is touched. Returns how many were removed.
int RemoveLeftovers(const QString &folder);

} // namespace rasp::files
