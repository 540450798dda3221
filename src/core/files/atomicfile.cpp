#include "atomicfile.h"

#include "systemreason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace rasp::files {

namespace {

constexpr char kLeftoverMark[] = ".rasp-";

// The mode a new file gets: what the umask leaves of rw for everyone.
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mode_t(0666) & ~mask;
}

// Writes all of `bytes` to `fd`, retrying short writes; false with errno set on failure.
bool writeAll(int fd, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

// Flushes the folder's entry of a renamed file to the disk; a folder that cannot be opened or
// synced (some network shares) is not an error, the file itself is already on the disk.
void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool IsLeftoverName(const QString &fileName)
{
    static const QRegularExpression pattern(u"^.+\\.rasp-[A-Za-z0-9]{6}$"_s);
    return pattern.match(fileName).hasMatch();
}

int RemoveLeftovers(const QString &folder)
{
    const QByteArray native = QFile::encodeName(folder.isEmpty() ? u"."_s : folder);
    DIR *dir = ::opendir(native.constData());
    if (!dir)
        return 0;
    const int dirFd = ::dirfd(dir);
    int removed = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (!std::strstr(entry->d_name, kLeftoverMark) || !IsLeftoverName(QFile::decodeName(entry->d_name)))
            continue;
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            continue;
        struct stat st { };
        // Only a regular file no running save holds is a leftover; the lock is held while it is
        // unlinked, so a save starting meanwhile gets another name.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
            && ::unlinkat(dirFd, entry->d_name, 0) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

bool WriteWhole(const QString &path, QByteArrayView bytes, QString *error, Access access, FileStamp *written)
{
    const auto fail = [&](int code) {
        if (error)
            *error = NotWritten(path, WriteReason(code));
        return false;
    };
    // A link is followed, so the file it names is replaced and the link stays.
    QString target = QFileInfo(path).absoluteFilePath();
    const QFileInfo info(target);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        if (resolved.isEmpty())
            return fail(ENOENT);
        target = resolved;
    }
    const QString folder = QFileInfo(target).absolutePath();
    RemoveLeftovers(folder);

    const QByteArray finalName = QFile::encodeName(target);
    mode_t mode = newFileMode();
    struct stat old { };
    if (::stat(finalName.constData(), &old) == 0) {
        if (S_ISDIR(old.st_mode))
            return fail(EISDIR);
        mode = old.st_mode & 07777;
    }
    if (access == Access::OwnerOnly)
        mode = S_IRUSR | S_IWUSR;

    QByteArray tmpName = finalName + kLeftoverMark + "XXXXXX";
    // mkostemp creates the file for its owner only, so nothing is readable before fchmod.
    const int fd = ::mkostemp(tmpName.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    // The lock tells RemoveLeftovers in another process that this file is in use.
    ::flock(fd, LOCK_EX | LOCK_NB);
    const auto abandon = [&](int code) {
        ::unlink(tmpName.constData());
        ::close(fd);
        return fail(code);
    };
    if (::fchmod(fd, mode) != 0 && access == Access::OwnerOnly)
        return abandon(errno);
    if (!writeAll(fd, bytes))
        return abandon(errno);
    // The bytes must be on the disk before the rename makes them the file: a full disk or a
    // failing device is reported here by file systems that delay the allocation.
    if (::fsync(fd) != 0)
        return abandon(errno);
    struct stat now { };
    if (::fstat(fd, &now) != 0 || now.st_size != bytes.size())
        return abandon(now.st_size != bytes.size() ? EIO : errno);
    if (::rename(tmpName.constData(), finalName.constData()) != 0)
        return abandon(errno);
    ::close(fd);
    syncFolder(QFile::encodeName(folder));
    if (written)
        *written = StampOfBytes(bytes, qint64(now.st_mtim.tv_sec) * 1000000000LL + qint64(now.st_mtim.tv_nsec));
    return true;
}

} // namespace rasp::files
