// Preloaded into the killed-save driver: counts the calls that change files
// (writes, truncations, reservations, mode changes, syncs, renames) and, at
// call number QELVO_KILL_AT, kills the process with SIGKILL: before the call,
// or for a write after QELVO_KILL_CUT of its bytes went out, so a kill lands
// exactly where a save is most fragile, every time.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace
{
long g_calls = 0;

long envNumber(const char *name, long fallback)
{
    const char *v = std::getenv(name);
    return v ? std::atol(v) : fallback;
}

template <typename F> F real(const char *name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

// True when this call is the one to die at. With QELVO_KILL_TRACE set each
// call is listed on standard error: its number, its name and the file.
bool dueNow(const char *name, int fd)
{
    ++g_calls;
    if (std::getenv("QELVO_KILL_TRACE")) {
        char link[64], target[4096] = "-";
        std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        const ssize_t n = fd >= 0 ? ::readlink(link, target, sizeof target - 1) : -1;
        if (n > 0)
            target[n] = '\0';
        std::fprintf(stderr, "%ld %s %s\n", g_calls, name, target);
    }
    return g_calls == envNumber("QELVO_KILL_AT", 0);
}

[[noreturn]] void die()
{
    ::kill(::getpid(), SIGKILL);
    std::abort();
}

ssize_t cutWrite(const char *name, int fd, const void *data, size_t size, off_t offset)
{
    using Pwrite = ssize_t (*)(int, const void *, size_t, off_t);
    static const Pwrite next = real<Pwrite>(name);
    if (!dueNow(name, fd))
        return next(fd, data, size, offset);
    const size_t cut = std::min<size_t>(size, static_cast<size_t>(envNumber("QELVO_KILL_CUT", 0)));
    if (cut > 0)
        next(fd, data, cut, offset);
    die();
}
} // namespace

extern "C" {
ssize_t pwrite(int fd, const void *data, size_t size, off_t offset)
{
    return cutWrite("pwrite", fd, data, size, offset);
}
ssize_t pwrite64(int fd, const void *data, size_t size, off_t offset)
{
    return cutWrite("pwrite64", fd, data, size, offset);
}

#define QELVO_KILL_BEFORE(ret, fn, params, args, fd)                                                         \
    ret fn params                                                                                            \
    {                                                                                                        \
        using Fn = ret(*) params;                                                                            \
        static const Fn next = real<Fn>(#fn);                                                                \
        if (dueNow(#fn, fd))                                                                                 \
            die();                                                                                           \
        return next args;                                                                                    \
    }
QELVO_KILL_BEFORE(int, ftruncate, (int fd, off_t length), (fd, length), fd)
QELVO_KILL_BEFORE(int, ftruncate64, (int fd, off_t length), (fd, length), fd)
QELVO_KILL_BEFORE(int, fallocate, (int fd, int mode, off_t offset, off_t length), (fd, mode, offset, length),
                  fd)
QELVO_KILL_BEFORE(int, fallocate64, (int fd, int mode, off_t offset, off_t length),
                  (fd, mode, offset, length), fd)
QELVO_KILL_BEFORE(int, fchmod, (int fd, mode_t mode), (fd, mode), fd)
QELVO_KILL_BEFORE(int, fsync, (int fd), (fd), fd)
QELVO_KILL_BEFORE(int, rename, (const char *from, const char *to), (from, to), -1)
}
