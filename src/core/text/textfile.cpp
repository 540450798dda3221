#include "textfile.h"

#include "cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace rasp::text {

QStringList splitLines(QByteArrayView bytes, Encoding encoding)
{
    QStringList lines;
    // A file without any LF but with CRs has the old CR-only line ends.
    const char lineEnd = !bytes.contains('\n') && bytes.contains('\r') ? '\r' : '\n';
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf(lineEnd, start);
        const bool last = end < 0;
        if (last)
            end = bytes.size();
        qsizetype len = end - start;
        if (!last && lineEnd == '\n' && len > 0 && bytes[end - 1] == '\r')
            --len;
        const QByteArrayView line = bytes.sliced(start, len);
        lines.append(encoding == Encoding::Utf8 ? QString::fromUtf8(line) : decode1251(line));
        start = end + 1;
    }
    return lines;
}

namespace {

// What `bytes` are as UTF-8 (the check stops at the first byte that cannot be UTF-8, which in a
// Windows-1251 Russian text comes at once).
enum class Utf8Shape { Malformed,
                       Ascii,
                       Multibyte };
Utf8Shape utf8Shape(QByteArrayView bytes)
{
    bool multibyte = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80)
            continue;
        int more = 0;
        unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            more = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            more = 2;
            low = b == 0xE0 ? 0xA0 : 0x80;
            high = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            more = 3;
            low = b == 0xF0 ? 0x90 : 0x80;
            high = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            return Utf8Shape::Malformed;
        }
        if (i + more >= bytes.size())
            return Utf8Shape::Malformed;
        for (int k = 1; k <= more; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
                return Utf8Shape::Malformed;
        }
        i += more;
        multibyte = true;
    }
    return multibyte ? Utf8Shape::Multibyte : Utf8Shape::Ascii;
}

// How many times two Russian letters stand side by side in `text`: many in Russian words, few
// in the same bytes decoded with the wrong code page.
qsizetype russianLetterPairs(const QString &text)
{
    auto russian = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451;
    };
    qsizetype pairs = 0;
    for (qsizetype i = 1; i < text.size(); ++i)
        pairs += russian(text[i - 1]) && russian(text[i]);
    return pairs;
}

// The encoding of a file's bytes (without a byte-order mark): Windows-1251, the school files'
// own, unless another tool saved them as UTF-8: well-formed UTF-8 whose Russian words read as
// words (at least two pairs of Russian letters side by side, more than in Windows-1251).
Encoding fileEncoding(QByteArrayView bytes)
{
    if (utf8Shape(bytes) != Utf8Shape::Multibyte)
        return Encoding::Cp1251;
    const qsizetype utf8 = russianLetterPairs(QString::fromUtf8(bytes));
    return utf8 >= 2 && utf8 > russianLetterPairs(decode1251(bytes)) ? Encoding::Utf8 : Encoding::Cp1251;
}

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
    case ENOTDIR:
        return u"в пути вместо папки стоит файл"_s;
    case ENAMETOOLONG:
        return u"слишком длинный путь"_s;
    case EIO:
        return u"ошибка чтения"_s;
    case EMFILE:
    case ENFILE:
        return u"открыто слишком много файлов"_s;
    case ENOMEM:
        return u"не хватает памяти"_s;
    default:
        return u"ошибка системы (код %1)"_s.arg(openErrno);
    }
}

// Reads the whole regular file at `path` into `bytes`; false with a Russian reason otherwise.
bool readRegularFile(const QString &path, QByteArray &bytes, QString &reason, qint64 &modifiedNs)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat before { };
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
    struct stat opened { };
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        reason = u"это не обычный файл"_s;
        return false;
    }
    if (opened.st_size > kMaxFileSize) {
        reason = u"файл больше %1 МБ"_s.arg(kMaxFileSize / (1024 * 1024));
        return false;
    }
    const qsizetype size = qsizetype(opened.st_size);
    modifiedNs = qint64(opened.st_mtim.tv_sec) * 1000000000LL + qint64(opened.st_mtim.tv_nsec);
    // One byte more than the size is asked for, so a file that grew while it was read is noticed.
    bytes.resize(size + 1);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, std::size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            reason = errno == EIO ? u"ошибка чтения"_s : u"ошибка чтения (%1)"_s.arg(notReadableReason(errno));
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

QStringList decodeLines(QByteArrayView bytes)
{
    // A UTF-16 file (a text editor's "Unicode") is known by its byte-order mark alone.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QString text = utf16.decode(bytes.sliced(2));
        return splitLines(text.toUtf8(), Encoding::Utf8);
    }
    // Old DOS tools end a file with Ctrl+Z (0x1A): an end mark, not text of the last line.
    if (bytes.endsWith('\x1A'))
        bytes.chop(1);
    // A UTF-8 mark is never a school's text: it goes, and the rest is read as what it is.
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        const QByteArrayView rest = bytes.sliced(3);
        return splitLines(rest, utf8Shape(rest) != Utf8Shape::Malformed ? Encoding::Utf8 : Encoding::Cp1251);
    }
    return splitLines(bytes, fileEncoding(bytes));
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
    qint64 modifiedNs = 0;
    if (!readRegularFile(path, bytes, reason, modifiedNs)) {
        result.status = ReadResult::Unreadable;
        result.error = u"Не удалось прочитать файл %1: %2"_s.arg(QDir::toNativeSeparators(path), reason);
        return result;
    }
    result.status = ReadResult::Ok;
    result.stamp = files::StampOfBytes(bytes, modifiedNs);
    result.lines = decodeLines(bytes);
    // Only a file read as UTF-8 or UTF-16 can hold what Windows-1251 cannot; the lines are
    // scanned in place and joined only to list what was found.
    const bool outside = std::any_of(result.lines.cbegin(), result.lines.cend(), [](const QString &line) {
        return std::any_of(line.cbegin(), line.cend(), [](QChar c) { return !In1251(c); });
    });
    if (outside)
        result.warning = OutsideKeptNotice(path, Outside1251(result.lines.join(u'\n')));
    return result;
}

QString OutsideKeptNotice(const QString &path, const QString &outside)
{
    return u"В файле %1 есть знаки, которых нет в кодировке Windows-1251 (%2): при сохранении они будут "
           "записаны как «?»"_s.arg(QDir::toNativeSeparators(path), SpacedCharacters(outside));
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

bool writeLines(const QString &path, const QStringList &lines, QString *error, Access access, files::FileStamp *written)
{
    return files::WriteWhole(path, encodeLines(lines), error, access, written);
}

} // namespace rasp::text
