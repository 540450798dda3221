#include "textfile.h"

#include "cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

ReadResult readLines(const QString &path)
{
    ReadResult result;
    QFileInfo info(path);
    if (!info.exists()) {
        result.status = ReadResult::NoFile;
        return result;
    }
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        result.status = ReadResult::Unreadable;
        result.error = u"Не удалось прочитать файл %1: %2"_s.arg(QDir::toNativeSeparators(path),
                                                                  info.isDir() ? u"это папка"_s : file.errorString());
        return result;
    }
    const QByteArray bytes = file.readAll();
    result.status = ReadResult::Ok;
    result.lines = splitLines(bytes);
    return result;
}

bool writeLines(const QString &path, const QStringList &lines, QString *error, Access access)
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
