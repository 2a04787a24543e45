#include "vm/VMHeap.h"

#include <cstddef>
#include <cstring>

#include "hal/memory.h"
#include "java/lang/OutOfMemoryError.h"
#include "vm/VMBoot.h"
#include "vm/VMCollector.h"
#include "vm/VMInstance.h"
#include "vm/VMRef.h"
#include "vm/VMThread.h"

// ---- Block layout ---------------------------------------------------------
//
// platform block: [padding][header word][caller's bytes ...]
//                                       ^ aligned for any type
// The header word holds the counted size (requested + 4) in bits 0-29 and the
// kind in bits 30-31. The padding in front is not counted: the accounting is
// the same as on the 32-bit device.

namespace {

constexpr uint32_t kAlignment = alignof(std::max_align_t);
constexpr uint32_t kHeaderWord = 4;
constexpr uint32_t kSizeMask = (1u << 30) - 1;
constexpr uint32_t kKindShift = 30;
// The largest request whose counted size still fits the size field.
constexpr uint32_t kLargestRequest = kSizeMask - kHeaderWord;

enum BlockKind : uint32_t { KIND_NORMAL = 0, KIND_RESERVE = 1, KIND_UNACCOUNTED = 2 };

struct HeapState {
    uint8_t accountingOn = 0;
    uint32_t used = 0;
    uint32_t minimumLimit = 0;
    uint32_t currentLimit = 0;
    uint32_t maximumLimit = 0;
};

HeapState heap;
VMCollectHook collectHook = &_VM_runCollector;

#ifndef NDEBUG
bool collectOnEveryAllocation = false;
constexpr uint8_t kFreedPattern = 0xDB;
#endif

uint32_t* headerOf(void* block)
{
    return static_cast<uint32_t*>(block) - 1;
}

// Asks the platform for a block with room for the padded header; returns the
// caller's address with the header written, or null.
void* allocBlock(uint32_t counted, uint32_t kind, uint32_t useReserve)
{
    uint8_t* raw = static_cast<uint8_t*>(
        HAL_allocFromSystem(counted - kHeaderWord + kAlignment, useReserve));
    if (!raw)
        return nullptr;
    assert(reinterpret_cast<uintptr_t>(raw) % kAlignment == 0);
    void* block = raw + kAlignment;
    *headerOf(block) = counted | (kind << kKindShift);
    return block;
}

VMThread* currentThread()
{
    return _VM_instance ? _VM_instance->currentThread : nullptr;
}

// The request cannot be served: OutOfMemoryError where the caller may throw
// and a thread holds the VM, else the fatal error. The error itself is made
// with the reporting byte set, so it comes from the reserve.
[[noreturn]] void refuse(VMThread* thread, bool mayThrow)
{
    if (mayThrow && thread) {
        thread->reportingOutOfMemory = 1;
        vm_throwNew<java::lang::OutOfMemoryError>();
    }
    _VM_fatalError("Ran out of memory while exceptions are forbidden!");
}

// After a collection the limit is twice the present need, within the bounds.
void moveLimit(uint32_t counted)
{
    uint64_t limit = 2 * (uint64_t(HAL_getAllocatedBytes()) + heap.used + counted);
    if (limit < heap.minimumLimit)
        limit = heap.minimumLimit;
    if (limit > heap.maximumLimit)
        limit = heap.maximumLimit;
    heap.currentLimit = static_cast<uint32_t>(limit);
}

} // namespace

// ---- Interface --------------------------------------------------------------

void _VM_initHeap(uint32_t minimum, uint32_t maximum)
{
    heap.used = 0;
    heap.minimumLimit = heap.currentLimit = minimum;
    heap.maximumLimit = maximum;
    heap.accountingOn = 1;
}

void _VM_endHeapAccounting()
{
    heap.accountingOn = 0;
}

VMCollectHook _VM_setCollectHook(VMCollectHook hook)
{
    VMCollectHook previous = collectHook;
    collectHook = hook;
    return previous;
}

void _VM_collectGarbage(VMInstance* vm)
{
    if (collectHook)
        collectHook(vm);
}

void* _VM_malloc(uint32_t size, bool mayThrow)
{
    VMThread* thread = currentThread();

    if (!heap.accountingOn) {
        void* block = size <= kLargestRequest
            ? allocBlock(size + kHeaderWord, KIND_UNACCOUNTED, 0) : nullptr;
        if (!block)
            _VM_fatalError("Ran out of memory during VM initialization!");
        return block;
    }

#ifndef NDEBUG
    _VM_assertVMLock();
    if (collectOnEveryAllocation && thread && _VM_instance)
        _VM_collectGarbage(_VM_instance);
#endif
    if (size > kLargestRequest)
        refuse(thread, mayThrow);
    uint32_t counted = size + kHeaderWord;

    for (int round = 0;; ++round) {
        // Fast path: one comparison and one platform call.
        uint64_t need = uint64_t(HAL_getAllocatedBytes()) + heap.used + counted;
        void* block = need <= heap.currentLimit ? allocBlock(counted, KIND_NORMAL, 0) : nullptr;

        if (!block && thread && thread->reportingOutOfMemory) {
            block = allocBlock(counted, KIND_RESERVE, 1);
            if (!block)
                _VM_fatalError("Ran out of memory while trying to report an out of memory condition!");
        }
        if (block) {
            heap.used += counted;
            return block;
        }

        if (round == 3)
            refuse(thread, mayThrow);

        if (_VM_instance)
            _VM_collectGarbage(_VM_instance);
        moveLimit(counted);
        // Give other threads (the finalizer among them) a chance to free.
        if (thread && round == 1)
            VMThread::yield();
        else if (thread && round == 2)
            VMThread::pause(thread, 10); // an interrupt is not this request's to throw
    }
}

void _VM_free(void* block)
{
    if (!block)
        return;
    uint32_t header = *headerOf(block);
#ifndef NDEBUG
    if (collectOnEveryAllocation)
        std::memset(block, kFreedPattern, (header & kSizeMask) - kHeaderWord);
#endif
    if ((header >> kKindShift) != KIND_UNACCOUNTED)
        heap.used -= header & kSizeMask;
    HAL_freeToSystem(static_cast<uint8_t*>(block) - kAlignment);
}

uint32_t _VM_blockSize(const void* block)
{
    return (*headerOf(const_cast<void*>(block)) & kSizeMask) - kHeaderWord;
}

uint32_t _VM_getFreeMemory()
{
    return heap.maximumLimit - HAL_getAllocatedBytes() - heap.used;
}

uint32_t _VM_getTotalMemory()
{
    return heap.maximumLimit;
}

bool _VM_setCollectOnEveryAllocation(bool on)
{
#ifndef NDEBUG
    collectOnEveryAllocation = on;
    return true;
#else
    (void)on;
    return false;
#endif
}

VMHeapState _VM_getHeapState()
{
    return {heap.accountingOn, heap.used, heap.minimumLimit, heap.currentLimit,
            heap.maximumLimit};
}

void _VM_setHeapState(const VMHeapState& state)
{
    heap.accountingOn = state.accountingOn;
    heap.used = state.used;
    heap.minimumLimit = state.minimumLimit;
    heap.currentLimit = state.currentLimit;
    heap.maximumLimit = state.maximumLimit;
}
