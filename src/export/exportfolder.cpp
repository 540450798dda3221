#include "exportfolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace rasp::exporter {

namespace {

// The process's umask, read without changing it where the system tells it.
mode_t currentUmask()
{
    QFile status(u"/proc/self/status"_s);
    if (status.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = status.readAll().split('\n');
        for (const QByteArray &line : lines)
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return mode_t(mask);
            }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

} // namespace

ExportFolder::ExportFolder(const QString &folder)
{
    m_lock = std::make_unique<QLockFile>(QDir(folder).filePath(u".export.lock"_s));
    // Only a lock whose holder died is stale; a running export is waited for, not broken.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(5000)) {
        m_lock.reset();
        return;
    }
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names)
        if (IsExportTemporary(name))
            QFile::remove(dir.filePath(name));
}

bool ExportFolder::IsExportTemporary(const QString &fileName)
{
    static const QRegularExpression pattern(u"^(\\.~[A-Za-z0-9]{6}\\.xlsx|.+\\.docx\\.[A-Za-z0-9]{6})$"_s);
    return pattern.match(fileName).hasMatch();
}

unsigned NewFileMode(const QString &target)
{
    struct stat st { };
    const mode_t base = ::stat(QFile::encodeName(target).constData(), &st) == 0 ? (st.st_mode & 0777) : 0666;
    return unsigned(base & ~currentUmask());
}

} // namespace rasp::exporter
