#include "folderlock.h"

#include "systemreason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace rasp::files {

namespace {

constexpr char kHeader[] = "raspisanie-lock 1";

// The parsed lock file, with its token and its file's age.
struct LockFile {
    LockHolder holder;
    QString token;
    qint64 ageSeconds = 0;
    QByteArray bytes;
};

QString currentUser()
{
    if (const passwd *pw = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(::geteuid());
}

// Reads the lock file at `path`; nothing when there is none.
std::optional<LockFile> readLock(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st { };
    if (::lstat(native.constData(), &st) != 0)
        return std::nullopt;
    LockFile lock;
    lock.ageSeconds = qint64(::time(nullptr)) - qint64(st.st_mtim.tv_sec);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        lock.bytes = file.read(4096);
    for (const QByteArray &line : lock.bytes.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq);
        const QString value = QString::fromUtf8(line.mid(eq + 1));
        if (key == "user")
            lock.holder.user = value;
        else if (key == "host")
            lock.holder.host = value;
        else if (key == "pid")
            lock.holder.pid = value.toLongLong();
        else if (key == "since")
            lock.holder.since = QDateTime::fromString(value, Qt::ISODate);
        else if (key == "token")
            lock.token = value;
    }
    return lock;
}

// Whether a lock's editor is gone: its process ended on this machine, or it was not refreshed
// for the stale time. A lock still being written (no process yet) is young and so alive.
bool abandoned(const LockFile &lock)
{
    if (lock.ageSeconds > kLockStaleSeconds)
        return true;
    if (lock.holder.pid <= 0 || lock.holder.host != QSysInfo::machineHostName())
        return false;
    return ::kill(pid_t(lock.holder.pid), 0) != 0 && errno == ESRCH;
}

} // namespace

FolderLock::FolderLock(const QString &folder)
    : m_path(LockPath(folder))
    , m_token(QString::number(QRandomGenerator::system()->generate64(), 16))
{
}

FolderLock::~FolderLock()
{
    release();
}

QString FolderLock::LockPath(const QString &folder)
{
    return QDir(folder).filePath(u"raspisanie.lock"_s);
}

FolderLock::Outcome FolderLock::take()
{
    m_error.clear();
    const QByteArray content = QByteArray(kHeader) + "\nuser=" + currentUser().toUtf8() + "\nhost="
                               + QSysInfo::machineHostName().toUtf8() + "\npid=" + QByteArray::number(qint64(::getpid()))
                               + "\nsince=" + QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8()
                               + "\ntoken=" + m_token.toUtf8() + '\n';
    const QByteArray native = QFile::encodeName(m_path);
    for (int attempt = 0; attempt < 3; ++attempt) {
        // O_EXCL makes one taker win; the content follows at once, and a reader meeting the file
        // still empty sees a young lock without a process, which counts as alive.
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            const bool written = ::write(fd, content.constData(), std::size_t(content.size())) == content.size();
            const int code = errno;
            ::close(fd);
            if (!written) {
                ::unlink(native.constData());
                m_error = NotWritten(m_path, WriteReason(code));
                return Outcome::Failed;
            }
            m_held = true;
            return Outcome::Taken;
        }
        if (errno != EEXIST) {
            m_error = NotWritten(m_path, WriteReason(errno));
            return Outcome::Failed;
        }
        const std::optional<LockFile> lock = readLock(m_path);
        if (!lock)
            continue; // released meanwhile
        if (lock->token == m_token) {
            m_held = true;
            return Outcome::Taken;
        }
        if (!abandoned(*lock)) {
            m_holder = lock->holder;
            return Outcome::HeldByOther;
        }
        // Taking over: removed only if it is still the abandoned lock just read, so a lock
        // another editor took meanwhile stays.
        const std::optional<LockFile> again = readLock(m_path);
        if (again && again->bytes == lock->bytes)
            ::unlink(native.constData());
    }
    m_holder = readLock(m_path).value_or(LockFile{}).holder;
    return Outcome::HeldByOther;
}

bool FolderLock::refresh()
{
    if (!m_held)
        return false;
    const std::optional<LockFile> lock = readLock(m_path);
    if (!lock || lock->token != m_token) {
        m_held = false;
        return false;
    }
    return ::utimensat(AT_FDCWD, QFile::encodeName(m_path).constData(), nullptr, 0) == 0;
}

void FolderLock::release()
{
    if (!m_held)
        return;
    m_held = false;
    const std::optional<LockFile> lock = readLock(m_path);
    if (lock && lock->token == m_token)
        ::unlink(QFile::encodeName(m_path).constData());
}

std::optional<LockHolder> FolderLock::ActiveHolder(const QString &folder)
{
    const std::optional<LockFile> lock = readLock(LockPath(folder));
    if (!lock || abandoned(*lock))
        return std::nullopt;
    return lock->holder;
}

QString HolderText(const LockHolder &holder)
{
    QString text = u"пользователь %1 на компьютере %2"_s.arg(holder.user.isEmpty() ? u"?"_s : holder.user,
                                                             holder.host.isEmpty() ? u"?"_s : holder.host);
    if (holder.since.isValid())
        text += u" (с %1)"_s.arg(holder.since.toString(u"dd.MM.yyyy HH:mm"_s));
    return text;
}

QString FolderBusyText(const LockHolder &holder)
{
    return u"Папку школы сейчас редактирует %1: файлы школы не записаны. Закройте редактор и повторите"_s.arg(
        HolderText(holder));
}

} // namespace rasp::files
