#include "textfile.h"

#include "cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace rasp::text {

QStringList splitLines(QByteArrayView bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool last = end < 0;
        if (last)
            end = bytes.size();
        qsizetype len = end - start;
        if (!last && len > 0 && bytes[end - 1] == '\r')
            --len;
        lines.append(decode1251(bytes.sliced(start, len)));
        start = end + 1;
    }
    return lines;
}

namespace {

// The Russian reason for an errno of stat() or open().
QString notReadableReason(int openErrno)
{
    switch (openErrno) {
    case EACCES:
    case EPERM:
        return u"нет прав на чтение"_s;
    case ELOOP:
        return u"ссылки на файл замкнуты в кольцо"_s;
    case ENOENT:
        return u"файл не найден или ссылка ведёт на несуществующий файл"_s;
    case EISDIR:
        return u"это папка"_s;
    default:
        return QString::fromLocal8Bit(std::strerror(openErrno));
    }
}

// Reads the whole regular file at `path` into `bytes`; false with a Russian reason otherwise.
bool readRegularFile(const QString &path, QByteArray &bytes, QString &reason)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat before {};
    // stat() follows links, so a link to a device or a FIFO is refused before it is opened
    // (opening some devices has effects, and opening a FIFO waits for a writer).
    if (::stat(native.constData(), &before) != 0) {
        reason = notReadableReason(errno);
        return false;
    }
    if (S_ISDIR(before.st_mode)) {
        reason = u"это папка"_s;
        return false;
    }
    if (!S_ISREG(before.st_mode)) {
        reason = u"это не обычный файл"_s;
        return false;
    }
    // O_NONBLOCK: should the path have been swapped for a FIFO since, the open does not wait.
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        reason = notReadableReason(errno);
        return false;
    }
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        reason = u"это не обычный файл"_s;
        return false;
    }
    if (opened.st_size > kMaxFileSize) {
        reason = u"файл больше %1 МБ"_s.arg(kMaxFileSize / (1024 * 1024));
        return false;
    }
    const qsizetype size = qsizetype(opened.st_size);
    // One byte more than the size is asked for, so a file that grew while it was read is noticed.
    bytes.resize(size + 1);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, std::size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            reason = u"ошибка чтения (%1)"_s.arg(QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        if (n == 0)
            break;
        got += n;
    }
    if (got != size) {
        reason = u"прочитано %1 байт из %2: файл изменился или повреждён"_s.arg(got).arg(size);
        return false;
    }
    bytes.resize(size);
    return true;
}

} // namespace

bool isPresent(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

ReadResult readLines(const QString &path)
{
    ReadResult result;
    // A dangling or looping link counts as a damaged file, not as a missing one: saving over
    // it would write somewhere the user never chose.
    if (!isPresent(path)) {
        result.status = ReadResult::NoFile;
        return result;
    }
    QByteArray bytes;
    QString reason;
    if (!readRegularFile(path, bytes, reason)) {
        result.status = ReadResult::Unreadable;
        result.error = u"Не удалось прочитать файл %1: %2"_s.arg(QDir::toNativeSeparators(path), reason);
        return result;
    }
    result.status = ReadResult::Ok;
    result.lines = splitLines(bytes);
    return result;
}

QString UnreadableKept(const QString &what, const QString &path, const QString &then)
{
    return u"%1: файл %2 не удалось прочитать, он оставлен без изменений. Исправьте или удалите его и %3"_s.arg(
        what, QDir::toNativeSeparators(path), then.isEmpty() ? u"перезапустите редактор"_s : then);
}

QByteArray encodeLines(const QStringList &lines)
{
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    bytes.reserve(size);
    for (const QString &line : lines) {
        bytes += encode1251(line);
        bytes += "\r\n";
    }
    return bytes;
}

bool writeLines(const QString &path, const QStringList &lines, QString *error, Access access)
{
    const QByteArray bytes = encodeLines(lines);
    QSaveFile file(path);
    const bool opened = file.open(QIODevice::WriteOnly);
    // Restricting the temporary file before anything is written means the text is never readable by others,
    // not even for a moment, and an existing file with wider rights is replaced by a restricted one.
    if (opened && access == Access::OwnerOnly)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (opened && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = u"Не удалось записать файл %1: %2"_s.arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}

} // namespace rasp::text
