#include "faultywrite.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#include <sys/syscall.h>
#include <unistd.h>

namespace {

std::atomic<bool> armed{false};
std::atomic<int> counted{0};
std::atomic<int> failAt{-1};
std::mutex folderMutex;
std::string folder;

bool isWatched(int fd)
{
    char link[64];
    char target[PATH_MAX];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    if (n <= 0)
        return false;
    target[n] = '\0';
    std::lock_guard<std::mutex> lock(folderMutex);
    return std::strncmp(target, folder.c_str(), folder.size()) == 0;
}

ssize_t realWrite(int fd, const void *data, size_t size)
{
    return ::syscall(SYS_write, fd, data, size);
}

} // namespace

extern "C" ssize_t write(int fd, const void *data, size_t size)
{
    if (!armed.load() || size == 0 || !isWatched(fd))
        return realWrite(fd, data, size);
    const int index = counted.fetch_add(1);
    const int cut = failAt.load();
    if (cut < 0 || index < cut)
        return realWrite(fd, data, size);
    if (index == cut && size / 2 > 0)
        return realWrite(fd, data, size / 2);
    errno = ENOSPC;
    return -1;
}

FaultyWrite::FaultyWrite(const QString &watched, int cutAt)
{
    {
        std::lock_guard<std::mutex> lock(folderMutex);
        folder = watched.toStdString() + '/';
    }
    counted = 0;
    failAt = cutAt;
    armed = true;
}

FaultyWrite::~FaultyWrite()
{
    armed = false;
}

int FaultyWrite::count() const
{
    return counted.load();
}

bool FaultyWrite::struck() const
{
    return failAt.load() >= 0 && counted.load() > failAt.load();
}
