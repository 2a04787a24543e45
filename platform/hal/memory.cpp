#include "hal/memory.h"

#include "hal/callbacks.h"
#include "hal/thread.h"

#include "wince/aygshell.h"
#include "wince/kernel.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <limits>

namespace {

constexpr uint32_t kHeaderSize = 16;
constexpr uint32_t kReserveSize = 65536;

// The counters, kept 64 bits wide so that they cannot wrap and reported
// saturated. Each thread adds to a slot of its own with plain stores (no
// locked instruction on the allocation path); a read sums the slots ever
// claimed. A slot outlives its thread and keeps its figures for the next
// thread that claims it; threads beyond the last slot, and a thread past its
// end, share slot 0 through atomic adds.
struct alignas(64) CountSlot {
    std::atomic<int64_t> bytes{0};
    std::atomic<int64_t> images{0};
    std::atomic<bool> claimed{false};
};

constexpr int kCountSlots = 64;
CountSlot countSlots[kCountSlots];
std::atomic<int> slotsUsed{1};
std::atomic<void*> reserve{nullptr};

// The calling thread's slot: null before its first count; slot 0 when none
// was free and after the thread's exit.
constinit thread_local CountSlot* threadSlot = nullptr;
CountSlot* const sharedSlot = &countSlots[0];

// Gives the slot up when its thread ends.
struct SlotRelease {
    ~SlotRelease()
    {
        threadSlot->claimed.store(false);
        threadSlot = sharedSlot;
    }
};

CountSlot* claimSlot()
{
    threadSlot = sharedSlot;
    for (int i = 1; i < kCountSlots; i++) {
        bool free = false;
        if (countSlots[i].claimed.compare_exchange_strong(free, true)) {
            thread_local SlotRelease release;
            threadSlot = &countSlots[i];
            int used = slotsUsed.load();
            while (used < i + 1 && !slotsUsed.compare_exchange_weak(used, i + 1)) {
            }
            break;
        }
    }
    return threadSlot;
}

void count(int64_t bytes, bool image)
{
    CountSlot* slot = threadSlot;
    if (__builtin_expect(slot == nullptr, 0))
        slot = claimSlot();
    if (slot == sharedSlot) {
        slot->bytes.fetch_add(bytes, std::memory_order_relaxed);
        if (image)
            slot->images.fetch_add(bytes, std::memory_order_relaxed);
        return;
    }
    slot->bytes.store(slot->bytes.load(std::memory_order_relaxed) + bytes, std::memory_order_relaxed);
    if (image)
        slot->images.store(slot->images.load(std::memory_order_relaxed) + bytes, std::memory_order_relaxed);
}

uint64_t sumSlots(std::atomic<int64_t> CountSlot::*counter)
{
    int64_t sum = 0;
    int used = slotsUsed.load(std::memory_order_acquire);
    for (int i = 0; i < used; i++)
        sum += (countSlots[i].*counter).load(std::memory_order_relaxed);
    return sum > 0 ? uint64_t(sum) : 0;
}

uint32_t saturated(uint64_t value)
{
    return static_cast<uint32_t>(std::min<uint64_t>(value, std::numeric_limits<uint32_t>::max()));
}

// Asks the shell to free `size` bytes; allocates again when it says it did.
void* allocAfterShellRequest(size_t size)
{
    if (SHCloseApps(static_cast<DWORD>(std::min<size_t>(size, std::numeric_limits<DWORD>::max()))) == 0)
        return nullptr;
    return std::malloc(size);
}

// The system heap, retried after a collection by the runtime and after the
// shell's free-memory request.
void* allocRetrying(size_t size)
{
    if (void* block = std::malloc(size))
        return block;
    HAL_enterVM();
    HAL_callbacks().gc();
    HAL_unlockVM();
    if (void* block = std::malloc(size))
        return block;
    return allocAfterShellRequest(size);
}

// A counted block of `size` caller bytes, its whole size in the first word.
void* allocCounted(uint32_t size, bool image)
{
    if (size > std::numeric_limits<uint32_t>::max() - kHeaderSize)
        return nullptr;
    uint32_t whole = size + kHeaderSize;
    auto* block = static_cast<uint32_t*>(allocRetrying(whole));
    if (block == nullptr)
        return nullptr;
    block[0] = whole;
    count(whole, image);
    return reinterpret_cast<unsigned char*>(block) + kHeaderSize;
}

void freeCounted(void* address, bool image)
{
    if (address == nullptr)
        return;
    auto* block = reinterpret_cast<uint32_t*>(static_cast<unsigned char*>(address) - kHeaderSize);
    uint32_t whole = block[0];
    count(-int64_t(whole), image);
    std::free(block);
}

}  // namespace

void* HAL_malloc(uint32_t size)
{
    return allocCounted(size, false);
}

void HAL_free(void* block)
{
    freeCounted(block, false);
}

uint32_t HAL_getAllocatedBytes()
{
    return saturated(sumSlots(&CountSlot::bytes));
}

void* HAL_mallocCounted(uint32_t size)
{
    return allocCounted(size, true);
}

void HAL_freeCounted(void* block)
{
    freeCounted(block, true);
}

uint32_t HAL_getImageBytes()
{
    return saturated(sumSlots(&CountSlot::images));
}

void* HAL_allocFromSystem(uint32_t size, uint32_t useReserve)
{
    if (useReserve == 1)
        HAL_releaseReserve();
    size_t bytes = size != 0 ? size : 1;
    if (void* block = std::malloc(bytes))
        return block;
    return allocAfterShellRequest(bytes);
}

void HAL_freeToSystem(void* block)
{
    std::free(block);
}

int32_t HAL_compactHeap()
{
    return static_cast<int32_t>(HeapCompact(GetProcessHeap(), 0) != 0 ? 0 : 1);
}

void HAL_reserveMemory()
{
    if (reserve.load() != nullptr)
        return;
    void* block = std::malloc(kReserveSize);
    void* none = nullptr;
    if (block != nullptr && !reserve.compare_exchange_strong(none, block))
        std::free(block);
}

void HAL_releaseReserve()
{
    std::free(reserve.exchange(nullptr));
}

bool HAL_holdsReserve()
{
    return reserve.load() != nullptr;
}
