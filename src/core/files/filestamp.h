#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

namespace rasp::files {

// What a file held when the editor read or wrote it: whether it was there, its size, its
// modification time and a hash of its bytes.
struct FileStamp {
    bool present = false;
    qint64 size = 0;
    qint64 modifiedNs = 0; // modification time in nanoseconds since the epoch
    QByteArray hash;
};

// The stamp of bytes just read from or written to a file modified at `modifiedNs`.
FileStamp StampOfBytes(QByteArrayView bytes, qint64 modifiedNs);

// The stamp of what stands at `path` now (its bytes are hashed only when `known` has another
// size or time, so an unchanged file costs one stat). A file that cannot be read gets a stamp
// that matches nothing.
FileStamp StampOfPath(const QString &path, const FileStamp *known = nullptr);

// The files a session read or wrote, each with the stamp of its last reading or writing, so a
// save can tell whether another program changed the file in between.
class StampBook
{
public:
    // Remembers what the file at `path` held when it was read or written.
    void remember(const QString &path, const FileStamp &stamp);
    // Forgets the file at `path` (its next save asks nothing).
    void forget(const QString &path);
    // Whether the file at `path` holds other bytes than when it was last read or written here:
    // it was changed, or created where there was none. A file never read here, or removed since,
    // counts as unchanged (writing it replaces nobody's work).
    bool changedOnDisk(const QString &path) const;

private:
    QHash<QString, FileStamp> m_stamps; // by absolute path
};

// The question asked before a save replaces a file changed by another program.
QString ChangedOnDiskQuestion(const QString &path);

// The offer, after the answer "Нет", to open the other program's version instead.
QString ReloadChangedQuestion(const QString &path);

// The notice of a save given up for a changed file: the file is kept, the edits are not saved;
// `howToOpen` says how to open the other program's version when the editor cannot reload it.
QString ChangedKeptNotice(const QString &path, const QString &howToOpen = {});

} // namespace rasp::files
