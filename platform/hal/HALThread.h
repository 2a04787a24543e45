#pragma once
// The platform thread record, kept in the thread's thread-local slot.

#include "hal/thread.h"

#include "wince/types.h"

#include <atomic>

struct HALThread {
    // The thread's handle word: INVALID_HANDLE_VALUE until a thread is
    // created, kMainThreadHandle in the UI thread's record.
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::atomic<bool> started{false};    // resumed once
    std::atomic<bool> running{false};    // from start until the body returns
    std::atomic<bool> cancelled{false};  // set by HAL_cancelThread
    std::atomic<bool> finished{false};   // the thread routine has completed
    // Set while the thread sleeps or waits; clearing it from another thread
    // and then setting `wake` ends the sleep at once.
    std::atomic<bool> sleeping{false};
    HANDLE wake = nullptr;  // auto-reset event that cuts the current slice short
    HALThreadEntry entry = nullptr;  // none for the UI thread
    intptr_t data = 0;               // the runtime's record of the thread

    // Waiter-queue link while the thread waits on a HALLock; both guarded by
    // that lock's critical section.
    HALLock* waitingOn = nullptr;
    HALThread* nextWaiter = nullptr;

    static inline const HANDLE kMainThreadHandle = reinterpret_cast<HANDLE>(intptr_t{65});

    // Sleeps in doubling slices (2, 4, 8 ... ms, cut to the remaining time)
    // until `milliseconds` have passed or `sleeping` is cleared; the flag is
    // looked at between slices, and setting `wake` (when given) ends the
    // current slice at once. Does not touch the VM lock.
    static void sleepInSlices(const std::atomic<bool>& sleeping, HANDLE wake,
                              uint32_t milliseconds);

    // Clears the sleeping flag and wakes the thread at once.
    void wakeUp();
};
