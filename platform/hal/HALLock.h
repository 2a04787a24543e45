#pragma once
// A lock with a queue of waiting threads: the runtime's monitors, waits and
// notifies are built on it.

#include "hal/thread.h"

#include "wince/kernel.h"

struct HALLock {
    CRITICAL_SECTION section;
    // Waiting threads in the order they began waiting, linked through
    // HALThread::nextWaiter; guarded by the section.
    HALThread* head = nullptr;
    HALThread* tail = nullptr;

    void append(HALThread* thread);
    // Unlinks the thread when it is queued here.
    void unlink(HALThread* thread);
    // Unlinks the first waiter and wakes it at once; false when none.
    bool wakeFirst();
};
