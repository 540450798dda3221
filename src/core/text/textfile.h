#pragma once

#include "files/atomicfile.h"
#include "files/filestamp.h"

#include <QString>
#include <QStringList>

namespace rasp::text {

// Outcome of reading a data file as lines.
struct ReadResult {
    enum Status { Ok,
                  NoFile,
                  Unreadable };
    Status status = NoFile;
    QStringList lines;
    QString error; // Russian text naming the path, set when Unreadable
    // Set when a UTF-8 or UTF-16 file holds characters Windows-1251 cannot: the Russian warning
    // that a save will write them as "?" (OutsideKeptNotice).
    QString warning;
    // What the file held when it was read (not present for NoFile), so a later save can tell
    // whether another program changed it.
    files::FileStamp stamp;
    bool ok() const { return status == Ok; }
};

// The largest data file read: a school's files are far smaller, and a device or a runaway file
// must not fill the memory.
inline constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

// Whether anything stands at path: a file, a folder, a device or a link, even a dangling or
// looping one (which readLines reports as unreadable rather than missing).
bool isPresent(const QString &path);

// Reads a Windows-1251 file as lines; CR LF, a lone LF and a missing final line end all count as
// line ends. A file another tool saved as UTF-8 or UTF-16 is read as such (see decodeLines);
// saving writes Windows-1251 again. Only a regular file (after following links) of at most kMaxFileSize bytes is read,
// and only whole: a read error or a byte count other than the file's size makes it Unreadable.
ReadResult readLines(const QString &path);

// The message of a save refused because its file could not be read: `what` says what was not
// saved ("Настройки не сохранены"); the file at `path` is named as kept unchanged, and `then`
// says what to do once it is mended or removed (by default, restart the editor).
QString UnreadableKept(const QString &what, const QString &path, const QString &then = {});

// The warning for a file read whole whose characters `outside` Windows-1251 cannot hold, so a
// save of it will write them as "?".
QString OutsideKeptNotice(const QString &path, const QString &outside);

// Who may read a written file: the platform's default, or its owner only (files holding a password).
using Access = files::Access;

// Writes lines as Windows-1251 with CR LF after every line, whole or not at all (files::WriteWhole);
// returns false with a Russian error naming the file and the reason; `written` gets the new file's stamp.
bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr, Access access = Access::Default,
                files::FileStamp *written = nullptr);

// The bytes writeLines writes: each line as Windows-1251 followed by CR LF.
QByteArray encodeLines(const QStringList &lines);

// The encodings a school file is read in.
enum class Encoding { Cp1251,
                      Utf8 };

// Splits raw bytes into lines, decoding each line: CR LF and a lone LF end a line, and in a file
// without any LF a CR does (old CR-only line ends).
QStringList splitLines(QByteArrayView bytes, Encoding encoding = Encoding::Cp1251);

// The lines of a file's bytes as readLines gives them: UTF-16 after its byte-order mark, UTF-8
// after its byte-order mark (Windows-1251 if what follows the mark is not UTF-8), otherwise
// Windows-1251 unless the bytes are well-formed UTF-8 whose Russian words read as words (at least
// two pairs of Russian letters side by side, more than read as Windows-1251); a DOS end-of-file
// byte (Ctrl+Z) at the very end is dropped.
QStringList decodeLines(QByteArrayView bytes);

} // namespace rasp::text
