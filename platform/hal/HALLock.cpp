#include "hal/HALLock.h"

#include "hal/HALThread.h"

#include <new>

void HALLock::append(HALThread* thread)
{
    thread->waitingOn = this;
    thread->nextWaiter = nullptr;
    if (tail != nullptr)
        tail->nextWaiter = thread;
    else
        head = thread;
    tail = thread;
}

void HALLock::unlink(HALThread* thread)
{
    if (thread->waitingOn != this)
        return;
    HALThread* previous = nullptr;
    for (HALThread* at = head; at != nullptr; previous = at, at = at->nextWaiter) {
        if (at != thread)
            continue;
        (previous != nullptr ? previous->nextWaiter : head) = at->nextWaiter;
        if (tail == at)
            tail = previous;
        break;
    }
    thread->waitingOn = nullptr;
    thread->nextWaiter = nullptr;
}

bool HALLock::wakeFirst()
{
    HALThread* first = head;
    if (first == nullptr)
        return false;
    unlink(first);
    first->wakeUp();
    return true;
}

int32_t HAL_createLock(HALLock** out, bool initiallyHeld)
{
    if (out == nullptr)
        return 2;
    *out = nullptr;
    HALLock* lock = new (std::nothrow) HALLock;
    if (lock == nullptr)
        return 5;
    InitializeCriticalSection(&lock->section);
    if (initiallyHeld)
        EnterCriticalSection(&lock->section);
    *out = lock;
    return 0;
}

void HAL_enterLock(HALLock* lock)
{
    if (lock == nullptr)
        return;
    uint32_t depth = HAL_releaseVMLock();
    EnterCriticalSection(&lock->section);
    HAL_restoreVMLock(depth);
}

void HAL_leaveLock(HALLock* lock)
{
    if (lock != nullptr)
        LeaveCriticalSection(&lock->section);
}

void* HAL_waitLock(HALLock* lock, int64_t milliseconds)
{
    HALThread* self = HAL_getCurrentThread();
    if (lock == nullptr || self == nullptr)
        return nullptr;
    uint32_t length = milliseconds <= 0              ? 0xFFFFFFFFu
                      : milliseconds >= 0xFFFFFFFFll ? 0xFFFFFFFEu
                                                     : static_cast<uint32_t>(milliseconds);

    // Queue up and raise the flag under the section, so that a notify can
    // come at any moment after and is not lost.
    EnterCriticalSection(&lock->section);
    LONG levels = lock->section.RecursionCount;
    ResetEvent(self->wake);  // a wake-up meant for an earlier wait
    lock->append(self);
    self->sleeping.store(true);
    for (LONG i = 0; i < levels; ++i)
        LeaveCriticalSection(&lock->section);

    uint32_t depth = HAL_releaseVMLock();
    HALThread::sleepInSlices(self->sleeping, self->wake, length);
    self->sleeping.store(false);

    // Lock order: the section first, then the VM lock.
    for (LONG i = 0; i < levels; ++i)
        EnterCriticalSection(&lock->section);
    lock->unlink(self);  // still queued: the time ran out
    LeaveCriticalSection(&lock->section);
    return HAL_restoreVMLock(depth);
}

void HAL_notifyLock(HALLock* lock)
{
    if (lock == nullptr)
        return;
    EnterCriticalSection(&lock->section);
    lock->wakeFirst();
    LeaveCriticalSection(&lock->section);
}

void HAL_notifyAllLock(HALLock* lock)
{
    if (lock == nullptr)
        return;
    EnterCriticalSection(&lock->section);
    while (lock->wakeFirst()) {
    }
    LeaveCriticalSection(&lock->section);
}

void HAL_deleteLock(HALLock* lock)
{
    if (lock == nullptr)
        return;
    DeleteCriticalSection(&lock->section);
    delete lock;
}
