#include "filestamp.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace rasp::files {

namespace {

// The key a path is remembered under: absolute and cleaned, so "r_data/x.ini" and the same
// file given from the work folder's full path meet.
QString keyOf(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

qint64 modifiedNsOf(const struct stat &st)
{
    return qint64(st.st_mtim.tv_sec) * 1000000000LL + qint64(st.st_mtim.tv_nsec);
}

} // namespace

FileStamp StampOfBytes(QByteArrayView bytes, qint64 modifiedNs)
{
    return {true, bytes.size(), modifiedNs, QCryptographicHash::hash(bytes, QCryptographicHash::Sha1)};
}

FileStamp StampOfPath(const QString &path, const FileStamp *known)
{
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    if (known && known->present && known->size == st.st_size && known->modifiedNs == modifiedNsOf(st))
        return *known;
    QFile file(path);
    if (!S_ISREG(st.st_mode) || !file.open(QIODevice::ReadOnly))
        return {true, -1, modifiedNsOf(st), {}};
    return StampOfBytes(file.readAll(), modifiedNsOf(st));
}

void StampBook::remember(const QString &path, const FileStamp &stamp)
{
    m_stamps.insert(keyOf(path), stamp);
}

void StampBook::forget(const QString &path)
{
    m_stamps.remove(keyOf(path));
}

bool StampBook::changedOnDisk(const QString &path) const
{
    const auto it = m_stamps.constFind(keyOf(path));
    if (it == m_stamps.cend())
        return false;
    const FileStamp now = StampOfPath(path, &*it);
    if (!now.present)
        return false;
    // Same bytes count as unchanged even under a new time (a program that saved them again).
    return !it->present || now.size != it->size || now.hash != it->hash;
}

QString ChangedOnDiskQuestion(const QString &path)
{
    return u"Файл %1 изменён другой программой после открытия. Заменить его?"_s.arg(QDir::toNativeSeparators(path));
}

QString ReloadChangedQuestion(const QString &path)
{
    return u"Открыть файл %1 в том виде, в каком его сохранила другая программа? Ваши несохранённые изменения "
           "пропадут."_s.arg(QDir::toNativeSeparators(path));
}

QString ChangedKeptNotice(const QString &path, const QString &howToOpen)
{
    QString text = u"Файл %1 оставлен без изменений. Ваши изменения не сохранены и остаются в редакторе."_s.arg(
        QDir::toNativeSeparators(path));
    if (!howToOpen.isEmpty())
        text += u" "_s + howToOpen;
    return text;
}

} // namespace rasp::files
