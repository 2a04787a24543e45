#pragma once
// Platform threads, the global VM lock, locks with waiter queues, sleeping.
//
// Lock order: a thread that needs a HALLock releases the VM lock first, takes
// the HALLock, then takes the VM lock again and calls the enterVM callback.

#include <cstdint>

struct HALThread;  // one per operating-system thread that runs runtime code
struct HALLock;    // critical section plus a queue of waiting threads

typedef void (*HALThreadEntry)(intptr_t data);

// The global VM lock: re-entrant and fair (a waiter gets in when the holder
// lets go, also when the holder only yields).
void HAL_lockVM();
void HAL_unlockVM();
// True when the calling thread holds the VM lock (for assertions).
bool HAL_holdsVMLock();
// Gives every level of the VM lock away, lets others run, takes it back with
// the same depth, then calls enterVM; returns enterVM's result.
void* HAL_yield();

uint32_t HAL_getThreadTlsIndex();
HALThread* HAL_getCurrentThread();

// Creates a suspended thread that will run entry(data) holding the VM lock.
// Non-zero when the system refuses the thread or memory runs out.
int32_t HAL_createThread(HALThread** out, HALThreadEntry entry, intptr_t data);
void HAL_startThread(HALThread* thread);
void HAL_cancelThread(HALThread* thread);
bool HAL_isThreadCancelled(const HALThread* thread);
// Waits for a thread that is finishing; a thread never started is freed.
void HAL_deleteThread(HALThread* thread);

intptr_t HAL_getCurrentThreadData();
void HAL_setCurrentThreadData(HALThread* thread, intptr_t data);

// Sleeps without the VM lock in doubling slices; a notify ends it at the end
// of the current slice. Returns enterVM's result.
void* HAL_sleep(uint32_t milliseconds);

int32_t HAL_createLock(HALLock** out, bool initiallyHeld);
void HAL_enterLock(HALLock* lock);
void HAL_leaveLock(HALLock* lock);
// Waits until notified or the time is up (0 or less: no limit).
void* HAL_waitLock(HALLock* lock, int64_t milliseconds);
void HAL_notifyLock(HALLock* lock);
void HAL_notifyAllLock(HALLock* lock);
void HAL_deleteLock(HALLock* lock);
