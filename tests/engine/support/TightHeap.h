#pragma once
// A heap ceiling a few megabytes above what is in use, for the length
// checks of the engine's readers: a reader that makes room for a damaged
// length before reading fails with OutOfMemoryError instead of its own
// failure. The limits come back at the end of the scope.

#include <cstdint>

#include "hal/memory.h"
#include "vm/VMHeap.h"

class TightHeap {
public:
    explicit TightHeap(uint32_t room = 8u << 20) : saved_(_VM_getHeapState())
    {
        const uint32_t ceiling = HAL_getAllocatedBytes() + saved_.used + room;
        _VM_setHeapState({1, saved_.used, ceiling, ceiling, ceiling});
    }
    ~TightHeap()
    {
        VMHeapState restored = saved_;
        restored.used = _VM_getHeapState().used;
        _VM_setHeapState(restored);
    }
    TightHeap(const TightHeap&) = delete;
    TightHeap& operator=(const TightHeap&) = delete;

private:
    VMHeapState saved_;
};
