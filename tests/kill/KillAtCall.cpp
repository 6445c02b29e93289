// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// Preloaded into a process under test: counts the calls that change files
// (rename, link, unlink, create, write to a regular file) and kills the
// process with SIGKILL just before the call numbered QUORIN_KILL_AT, so that a
// test can stop a run or a restore between any two of its steps, the same way
// on every machine. QUORIN_KILL_AT unset or 0 counts without killing.
// QUORIN_PAUSE_AT pauses the process instead, just before that call: it makes
// the file QUORIN_PAUSE_FILE and waits until the test removes it.
#include <atomic>
#include <cstdarg>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <csignal>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<long> calls{0};

long numberFrom(const char *variable)
{
    const char *text = std::getenv(variable);
    return text ? std::atol(text) : 0L;
}

template <typename F>
F next(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// Made through the real open and close, so the pause counts no call of its own.
void pause()
{
    const char *marker = std::getenv("QUORIN_PAUSE_FILE");
    if (!marker)
        return;
    const int fd = next<int (*)(const char *, int, ...)>("open")(marker, O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0)
        close(fd);
    while (access(marker, F_OK) == 0)
        usleep(1000);
}

void count()
{
    static const long killAt = numberFrom("QUORIN_KILL_AT"), pauseAt = numberFrom("QUORIN_PAUSE_AT");
    const long call = ++calls;
    if (call == killAt)
        raise(SIGKILL);
    if (call == pauseAt)
        pause();
}

bool isRegular(int fd)
{
    struct stat info;
    return fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

// The real function of that name, the call counted first.
template <typename F>
F counted(const char *name)
{
    count();
    return next<F>(name);
}

} // namespace

extern "C" {

int rename(const char *from, const char *to) { return counted<decltype(&rename)>("rename")(from, to); }

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned flags)
{
    return counted<decltype(&renameat2)>("renameat2")(fromDir, from, toDir, to, flags);
}

int link(const char *from, const char *to) { return counted<decltype(&link)>("link")(from, to); }

int symlink(const char *target, const char *path) { return counted<decltype(&symlink)>("symlink")(target, path); }

int unlink(const char *path) { return counted<decltype(&unlink)>("unlink")(path); }

int mkdir(const char *path, mode_t mode) { return counted<decltype(&mkdir)>("mkdir")(path, mode); }

// Only an open that may create a file changes anything. On the 64-bit
// systems the program is built for, open64 is open under another name.
int open(const char *path, int flags, ...)
{
    mode_t mode = 0;
    if (flags & O_CREAT) {
        va_list args;
        va_start(args, flags);
        mode = mode_t(va_arg(args, int));
        va_end(args);
        count();
    }
    return next<decltype(&open)>("open")(path, flags, mode);
}

int open64(const char *path, int flags, ...) __attribute__((alias("open")));

// Only a write to a regular file changes one: not one to a pipe or a terminal.
ssize_t write(int fd, const void *data, size_t size)
{
    using Write = decltype(&write);
    return (isRegular(fd) ? counted<Write>("write") : next<Write>("write"))(fd, data, size);
}

ssize_t pwrite(int fd, const void *data, size_t size, off_t offset)
{
    return counted<decltype(&pwrite)>("pwrite")(fd, data, size, offset);
}

ssize_t copy_file_range(int in, off_t *inOffset, int out, off_t *outOffset, size_t size, unsigned flags)
{
    return counted<decltype(&copy_file_range)>("copy_file_range")(in, inOffset, out, outOffset, size, flags);
}

} // extern "C"
