#include "support/disk.h"

#include "support/threads.h"

#include <atomic>
#include <cstdarg>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace {

std::atomic<unsigned> g_faults { disk::None };
std::atomic<bool> g_lossReported { false };
std::stop_source g_stop;

std::mutex g_mutex;
std::condition_variable g_changed;
bool g_shut = false;
bool g_syncShut = false;
bool g_holding = false;

template<typename Call>
Call *systemCall(const char *name)
{
    return reinterpret_cast<Call *>(dlsym(RTLD_NEXT, name));
}

int failWith(int error)
{
    errno = error;
    return -1;
}

void passGate()
{
    std::unique_lock lock(g_mutex);
    g_holding = g_shut;
    while (g_shut && batchThreads().count(QStringLiteral("zandrel-batch")) == 2) // until the other ends
        g_changed.wait_for(lock, std::chrono::milliseconds(5));
    g_holding = false;
}

void passSyncGate()
{
    std::unique_lock lock(g_mutex);
    g_holding = g_syncShut;
    g_changed.wait(lock, [] { return !g_syncShut; });
    g_holding = false;
}

bool faulty(unsigned fault)
{
    return (g_faults & fault) != 0;
}

} // namespace

void disk::setFault(unsigned faults, std::stop_source stop)
{
    g_stop = std::move(stop);
    g_lossReported = false;
    g_faults = faults;
}

void disk::shut()
{
    const std::lock_guard lock(g_mutex);
    g_shut = true;
}

void disk::shutFinalSync()
{
    const std::lock_guard lock(g_mutex);
    g_syncShut = true;
}

void disk::open()
{
    {
        const std::lock_guard lock(g_mutex);
        g_shut = false;
        g_syncShut = false;
    }
    g_changed.notify_all();
}

bool disk::holding()
{
    const std::lock_guard lock(g_mutex);
    return g_holding;
}

extern "C" int sync_file_range(int fd, off64_t offset, off64_t count, unsigned int flags)
{
    static auto *const call = systemCall<int(int, off64_t, off64_t, unsigned int)>("sync_file_range");
    passGate();
    if (faulty(disk::WriteBack))
        return failWith(ENOSPC);
    const bool waits = (flags & SYNC_FILE_RANGE_WAIT_BEFORE) != 0;
    if (waits && faulty(disk::WriteBackLost) && !g_lossReported.exchange(true))
        return failWith(EIO);
    return call(fd, offset, count, flags);
}

extern "C" int fdatasync(int fd)
{
    static auto *const call = systemCall<int(int)>("fdatasync");
    passSyncGate();
    if (faulty(disk::StopWhileSyncing))
        g_stop.request_stop();
    if (faulty(disk::DataSyncUnsupported))
        return failWith(EINVAL);
    return faulty(disk::DataSync) ? failWith(EIO) : call(fd);
}

extern "C" int fsync(int fd)
{
    static auto *const call = systemCall<int(int)>("fsync");
    if (faulty(disk::FolderSyncUnsupported))
        return failWith(EINVAL);
    return faulty(disk::FolderSync) ? failWith(EIO) : call(fd);
}

extern "C" int openat(int folder, const char *name, int flags, ...)
{
    static auto *const call = systemCall<int(int, const char *, int, ...)>("openat");
    va_list rest;
    va_start(rest, flags);
    const auto mode = static_cast<mode_t>(va_arg(rest, int));
    va_end(rest);
    if ((flags & O_TMPFILE) == O_TMPFILE && faulty(disk::NoUnnamedFiles))
        return failWith(EOPNOTSUPP);
    return call(folder, name, flags, mode);
}

extern "C" int linkat(int fromFolder, const char *from, int toFolder, const char *to, int flags)
{
    static auto *const call = systemCall<int(int, const char *, int, const char *, int)>("linkat");
    return faulty(disk::NamingFails) ? failWith(ENOSPC) : call(fromFolder, from, toFolder, to, flags);
}

extern "C" int unlinkat(int folder, const char *name, int flags)
{
    static auto *const call = systemCall<int(int, const char *, int)>("unlinkat");
    return faulty(disk::RemovalRefused) ? failWith(EPERM) : call(folder, name, flags);
}
