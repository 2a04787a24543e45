// The global VM lock: a re-entrant ticket lock. Each thread that asks for it
// draws a ticket and gets in when its number comes up, so threads enter in
// the order they asked, and a thread that yields queues behind every waiter.

#include "hal/callbacks.h"
#include "hal/fatal.h"
#include "hal/thread.h"

#include "wince/kernel.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

struct VMLock {
    std::mutex mutex;
    std::condition_variable turn;
    uint64_t nextTicket = 0;  // guarded by mutex
    uint64_t nowServing = 0;  // guarded by mutex
    uint32_t waiting = 0;     // guarded by mutex
    // The holder; written only by the holder itself, so a thread comparing
    // it with its own id gets a true answer.
    std::atomic<std::thread::id> owner{};
    uint32_t depth = 0;  // levels held; touched only by the holder
};

// Never destroyed: threads may still use the lock while the process exits.
VMLock& vmLock()
{
    static VMLock* instance = new VMLock;
    return *instance;
}

bool heldByCaller(const VMLock& lock)
{
    return lock.owner.load(std::memory_order_relaxed) == std::this_thread::get_id();
}

// Hands the lock to the next ticket; the caller holds the mutex.
void passOn(VMLock& lock)
{
    lock.depth = 0;
    lock.owner.store(std::thread::id{}, std::memory_order_relaxed);
    ++lock.nowServing;
    if (lock.waiting != 0)
        lock.turn.notify_all();
}

// Waits for the ticket's turn; the caller holds the mutex.
void awaitTurn(VMLock& lock, std::unique_lock<std::mutex>& guard, uint64_t ticket, uint32_t depth)
{
    if (ticket != lock.nowServing) {
        ++lock.waiting;
        lock.turn.wait(guard, [&] { return lock.nowServing == ticket; });
        --lock.waiting;
    }
    lock.owner.store(std::this_thread::get_id(), std::memory_order_relaxed);
    lock.depth = depth;
}

void acquire(VMLock& lock, uint32_t depth)
{
    std::unique_lock<std::mutex> guard(lock.mutex);
    awaitTurn(lock, guard, lock.nextTicket++, depth);
}

void releaseAll(VMLock& lock)
{
    std::lock_guard<std::mutex> guard(lock.mutex);
    passOn(lock);
}

// Lets go and queues again in one step, so the holder goes behind every
// thread already waiting (and cannot slip back in before one of them).
void requeue(VMLock& lock)
{
    uint32_t depth = lock.depth;
    std::unique_lock<std::mutex> guard(lock.mutex);
    uint64_t ticket = lock.nextTicket++;
    passOn(lock);
    awaitTurn(lock, guard, ticket, depth);
}

}  // namespace

void HAL_lockVM()
{
    VMLock& lock = vmLock();
    if (heldByCaller(lock))
        ++lock.depth;
    else
        acquire(lock, 1);
}

void HAL_unlockVM()
{
    VMLock& lock = vmLock();
    if (!heldByCaller(lock))
        HAL_fatalError("HAL_unlockVM() called by a thread that does not hold the VM lock\n");
    if (--lock.depth == 0)
        releaseAll(lock);
}

void* HAL_enterVM()
{
    HAL_lockVM();
    return HAL_callbacks().enterVM();
}

bool HAL_holdsVMLock()
{
    return heldByCaller(vmLock());
}

uint32_t HAL_releaseVMLock()
{
    VMLock& lock = vmLock();
    if (!heldByCaller(lock))
        return 0;
    uint32_t depth = lock.depth;
    releaseAll(lock);
    return depth;
}

void* HAL_restoreVMLock(uint32_t depth)
{
    if (depth == 0)
        return nullptr;
    acquire(vmLock(), depth);
    return HAL_callbacks().enterVM();
}

void* HAL_yield()
{
    VMLock& lock = vmLock();
    if (!heldByCaller(lock)) {
        Sleep(0);
        return nullptr;
    }
    requeue(lock);
    return HAL_callbacks().enterVM();
}
