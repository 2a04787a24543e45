#include "wince/aygshell.h"
#include "wince/kernel.h"
#include "wince/testing.h"

#include <algorithm>
#include <malloc.h>
#include <sys/sysinfo.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>

namespace {

// The largest figure reported; keeps every field below 2 GB.
constexpr uint64_t kMaxFigure = 0x7FFF0000u;

DWORD capped(uint64_t bytes)
{
    return static_cast<DWORD>(std::min(bytes, kMaxFigure));
}

// Resident bytes of this process (its share of the address space a 32-bit
// device would see as used).
uint64_t residentBytes()
{
    uint64_t pages = 0;
    uint64_t resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lu %lu", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

// The one process heap's handle; nothing stands behind it but the C heap.
int processHeap;

}  // namespace

// ---- GlobalMemoryStatus: memory figures, capped as on a 32-bit device ----
// The virtual figures are those of a 2 GB process address space, less what
// this process has resident.
void GlobalMemoryStatus(MEMORYSTATUS* status)
{
    if (status == nullptr)
        return;
    struct sysinfo info {};
    sysinfo(&info);
    uint64_t unit = info.mem_unit != 0 ? info.mem_unit : 1;
    uint64_t totalPhys = static_cast<uint64_t>(info.totalram) * unit;
    uint64_t availPhys = static_cast<uint64_t>(info.freeram + info.bufferram) * unit;
    uint64_t totalSwap = static_cast<uint64_t>(info.totalswap) * unit;
    uint64_t freeSwap = static_cast<uint64_t>(info.freeswap) * unit;

    status->dwLength = sizeof(MEMORYSTATUS);
    status->dwMemoryLoad =
        totalPhys != 0 ? static_cast<DWORD>(100 - std::min<uint64_t>(100, availPhys * 100 / totalPhys)) : 0;
    status->dwTotalPhys = capped(totalPhys);
    status->dwAvailPhys = capped(availPhys);
    status->dwTotalPageFile = capped(totalSwap);
    status->dwAvailPageFile = capped(freeSwap);
    status->dwTotalVirtual = capped(kMaxFigure);
    status->dwAvailVirtual = capped(kMaxFigure - std::min(residentBytes(), kMaxFigure));
    wince::applyMemoryFigures(status);
}

// ---- GetProcessHeap ---------------------------------------------------------
HANDLE GetProcessHeap()
{
    return &processHeap;
}

// ---- HeapCompact: coalesces the heap, returns long-idle memory ------------
// glibc coalesces free neighbours as they are freed, so what is left is
// giving pages back. Doing that on every call makes each later allocation
// fault its pages in again, so the heap is looked at once a second at most
// (one clock read otherwise) and trimmed only when a large amount has stayed
// free for a while. The result stands for the largest block the heap can
// still hand out: the free bytes of its last look, at least 1.
namespace {

constexpr DWORD kLookInterval = 1000;      // ms between looks at the heap
constexpr DWORD kStayFree = 10000;         // ms a large amount must stay free
constexpr size_t kLargeFree = 8u << 20;    // bytes that count as large

// glibc's own habits undone: it gives the top of the heap back as soon as
// 128 KB lie free there, and serves large blocks by mmap, so a program that
// makes and drops big arrays faults fresh pages in for each. The heap keeps
// them instead, and HeapCompact gives back what stays free.
const bool heapTuned = [] {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    return true;
}();

std::mutex compactLock;
bool looked = false;
DWORD lastLook = 0;
bool largeFree = false;
DWORD largeFreeSince = 0;
UINT lastFree = 1;
uint32_t trims = 0;

}  // namespace

UINT HeapCompact(HANDLE heap, DWORD)
{
    if (heap != GetProcessHeap()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    DWORD now = GetTickCount();
    std::lock_guard guard(compactLock);
    if (looked && now - lastLook < kLookInterval)
        return lastFree;
    looked = true;
    lastLook = now;
    size_t freeBytes = mallinfo2().fordblks;
    if (freeBytes < kLargeFree) {
        largeFree = false;
    } else if (!largeFree) {
        largeFree = true;
        largeFreeSince = now;
    } else if (now - largeFreeSince >= kStayFree) {
        malloc_trim(0);
        ++trims;
        largeFree = false;
    }
    lastFree = std::max<UINT>(capped(freeBytes), 1);
    return lastFree;
}

namespace wince {

uint32_t heapTrims()
{
    std::lock_guard guard(compactLock);
    return trims;
}

}  // namespace wince

// ---- SHCloseApps (AYGSHELL ordinal 10): asks the shell to free memory ----
// No other programs are ours to close, so nothing is freed.
BOOL SHCloseApps(DWORD)
{
    return FALSE;
}
