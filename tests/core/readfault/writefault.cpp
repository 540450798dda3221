// A test tool preloaded into a process (LD_PRELOAD): write() to the file named by
// RASP_WRITE_FAIL_PATH, or to a temporary file beside it whose name starts with that name and a
// dot, fails with ENOSPC once RASP_WRITE_FAIL_AFTER bytes have gone into that file, as on a full
// disk; with RASP_WRITE_FAIL_SYNC set, fsync() and fdatasync() of such a file fail with ENOSPC
// instead (a file system that finds the disk full only when flushing). Without the variables it
// changes nothing.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using WriteFn = ssize_t (*)(int, const void *, size_t);
using SyncFn = int (*)(int);

// The libc write() this one stands in front of.
WriteFn realWrite()
{
    static WriteFn fn = reinterpret_cast<WriteFn>(dlsym(RTLD_NEXT, "write"));
    return fn;
}

// The libc function `name` of the fsync kind this one stands in front of.
SyncFn realSync(const char *name)
{
    return reinterpret_cast<SyncFn>(dlsym(RTLD_NEXT, name));
}

// Whether `fd` is open on the named file or on a temporary file beside it ("NAME.*").
bool isTarget(int fd)
{
    const char *target = std::getenv("RASP_WRITE_FAIL_PATH");
    if (!target || !*target)
        return false;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char opened[PATH_MAX];
    const ssize_t n = readlink(link, opened, sizeof opened - 1);
    if (n <= 0)
        return false;
    opened[n] = '\0';
    // The file may not exist yet: its folder is resolved and the name put back.
    char folder[PATH_MAX];
    std::snprintf(folder, sizeof folder, "%s", target);
    char *slash = std::strrchr(folder, '/');
    if (!slash)
        return false;
    *slash = '\0';
    char resolved[PATH_MAX];
    if (!realpath(*folder ? folder : "/", resolved))
        return false;
    char full[PATH_MAX + 256];
    std::snprintf(full, sizeof full, "%s/%s", resolved, slash + 1);
    const size_t len = std::strlen(full);
    return std::strncmp(opened, full, len) == 0 && (opened[len] == '\0' || opened[len] == '.');
}

// fsync() and fdatasync(): fail on the target when asked to.
int failingSync(const char *name, int fd)
{
    if (std::getenv("RASP_WRITE_FAIL_SYNC") && isTarget(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return realSync(name)(fd);
}

} // namespace

// write() that fails past the configured byte count of the configured file.
extern "C" ssize_t write(int fd, const void *buf, size_t count)
{
    if (!std::getenv("RASP_WRITE_FAIL_AFTER") || !isTarget(fd))
        return realWrite()(fd, buf, count);
    const long long after = std::atoll(std::getenv("RASP_WRITE_FAIL_AFTER"));
    const off_t at = lseek(fd, 0, SEEK_CUR);
    if (at < 0 || at >= after) {
        errno = ENOSPC;
        return -1;
    }
    const size_t allowed = size_t(after - at);
    return realWrite()(fd, buf, count < allowed ? count : allowed);
}

extern "C" int fsync(int fd)
{
    return failingSync("fsync", fd);
}

extern "C" int fdatasync(int fd)
{
    return failingSync("fdatasync", fd);
}
