// errno to Windows error codes, and the disk-fault test seam.

#include <cerrno>
#include <atomic>

#include "wince/detail/disk.h"
#include "wince/diskfaults.h"
#include "wince/errors.h"
#include "wince/kernel.h"

namespace {

std::atomic<wince::DiskFault> g_fault{wince::DiskFault::None};
std::atomic<uint32_t> g_from{0};
std::atomic<uint32_t> g_steps{0};
std::atomic<void (*)()> g_watch{nullptr};

}  // namespace

namespace wince {

void setDiskFault(DiskFault fault, uint32_t fromStep)
{
    g_fault = DiskFault::None;
    g_steps = 0;
    g_from = fromStep;
    g_fault = fault;
}

uint32_t diskSteps()
{
    return g_steps;
}

void setDiskStepWatch(void (*watch)())
{
    g_watch = watch;
}

}  // namespace wince

namespace wince_disk {

DWORD errorFromErrno(int error)
{
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ERROR_DISK_FULL;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    default:
        return ERROR_ACCESS_DENIED;
    }
}

bool allow(Change change)
{
    uint32_t step = g_steps.fetch_add(1);
    if (void (*watch)() = g_watch.load()) {
        watch();
    }
    switch (g_fault.load()) {
    case wince::DiskFault::None:
        return true;
    case wince::DiskFault::Halt:
        if (step < g_from) {
            return true;
        }
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    case wince::DiskFault::Full:
        if (change != Change::Write || step < g_from) {
            return true;
        }
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    return true;
}

bool halted()
{
    return g_fault.load() == wince::DiskFault::Halt;
}

}  // namespace wince_disk
