#include "wince/kernel.h"

#include <atomic>

namespace {

static_assert(TLS_MINIMUM_AVAILABLE == 64);
// Bit i set: slot i is allocated.
std::atomic<uint64_t> slotsInUse{0};

// Each thread's values; a slot a thread never set reads as null.
thread_local LPVOID slotValues[TLS_MINIMUM_AVAILABLE] = {};

bool isAllocated(DWORD index)
{
    return index < TLS_MINIMUM_AVAILABLE &&
           (slotsInUse.load(std::memory_order_acquire) >> index & 1u) != 0;
}

}  // namespace

// ---- TlsAlloc: a free slot, or TLS_OUT_OF_INDEXES ------------------------
DWORD TlsAlloc()
{
    uint64_t used = slotsInUse.load(std::memory_order_relaxed);
    while (~used != 0) {
        DWORD index = static_cast<DWORD>(__builtin_ctzll(~used));
        if (slotsInUse.compare_exchange_weak(used, used | (uint64_t{1} << index),
                                             std::memory_order_acq_rel))
            return index;
    }
    SetLastError(ERROR_NO_MORE_ITEMS);
    return TLS_OUT_OF_INDEXES;
}

// ---- TlsFree ---------------------------------------------------------------
BOOL TlsFree(DWORD index)
{
    if (!isAllocated(index)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    slotsInUse.fetch_and(~(uint64_t{1} << index), std::memory_order_acq_rel);
    return TRUE;
}

// ---- TlsGetValue: the calling thread's value; null for a bad slot --------
LPVOID TlsGetValue(DWORD index)
{
    if (!isAllocated(index)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    return slotValues[index];
}

// ---- TlsSetValue ------------------------------------------------------------
BOOL TlsSetValue(DWORD index, LPVOID value)
{
    if (!isAllocated(index)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    slotValues[index] = value;
    return TRUE;
}

// ---- TlsCall: the kernel's slot allocator entry --------------------------
DWORD TlsCall(DWORD function, DWORD argument)
{
    switch (function) {
    case TLS_FUNCALLOC:
        return TlsAlloc();
    case TLS_FUNCFREE:
        return static_cast<DWORD>(TlsFree(argument));
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
}
