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

// Counters kept 64 bits wide so that they cannot wrap; reported saturated.
std::atomic<uint64_t> allocatedBytes{0};
std::atomic<uint64_t> imageBytes{0};
std::atomic<void*> reserve{nullptr};

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
    allocatedBytes.fetch_add(whole);
    if (image)
        imageBytes.fetch_add(whole);
    return reinterpret_cast<unsigned char*>(block) + kHeaderSize;
}

void freeCounted(void* address, bool image)
{
    if (address == nullptr)
        return;
    auto* block = reinterpret_cast<uint32_t*>(static_cast<unsigned char*>(address) - kHeaderSize);
    uint32_t whole = block[0];
    allocatedBytes.fetch_sub(whole);
    if (image)
        imageBytes.fetch_sub(whole);
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
    return saturated(allocatedBytes.load());
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
    return saturated(imageBytes.load());
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
