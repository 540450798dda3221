// A test tool preloaded into a process (LD_PRELOAD): read() of the file named by
// RASP_READ_FAIL_PATH fails with EIO once RASP_READ_FAIL_AFTER bytes of it have been read,
// as a failing disk or a dropped network share would. Without the variable it changes nothing.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using ReadFn = ssize_t (*)(int, void *, size_t);

// The libc read() this one stands in front of.
ReadFn realRead()
{
    static ReadFn fn = reinterpret_cast<ReadFn>(dlsym(RTLD_NEXT, "read"));
    return fn;
}

// Whether `fd` is open on the file the variable names (compared by its resolved path).
bool isTarget(int fd, const char *target)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char opened[PATH_MAX];
    const ssize_t n = readlink(link, opened, sizeof opened - 1);
    if (n <= 0)
        return false;
    opened[n] = '\0';
    char resolved[PATH_MAX];
    if (!realpath(target, resolved))
        return false;
    return std::strcmp(opened, resolved) == 0;
}

} // namespace

// read() that fails past the configured byte count of the configured file.
extern "C" ssize_t read(int fd, void *buf, size_t count)
{
    const char *target = std::getenv("RASP_READ_FAIL_PATH");
    if (!target || !*target || !isTarget(fd, target))
        return realRead()(fd, buf, count);
    const long long after = std::atoll(std::getenv("RASP_READ_FAIL_AFTER") ? std::getenv("RASP_READ_FAIL_AFTER") : "0");
    const off_t at = lseek(fd, 0, SEEK_CUR);
    if (at < 0 || at >= after) {
        errno = EIO;
        return -1;
    }
    const size_t allowed = size_t(after - at);
    return realRead()(fd, buf, count < allowed ? count : allowed);
}
