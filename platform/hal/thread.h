#pragma once
// Platform threads, the global VM lock, locks with waiter queues, sleeping.
//
// Lock order: a thread that needs a HALLock releases the VM lock first, takes
// the HALLock, then takes the VM lock again and calls the enterVM callback.
// Wherever the layer releases the VM lock around a blocking call it gives
// away every level the thread holds and restores the same depth afterwards.

#include <cstdint>

struct HALThread;  // one per operating-system thread that runs runtime code
struct HALLock;    // critical section plus a queue of waiting threads

typedef void (*HALThreadEntry)(intptr_t data);

// ---- The global VM lock ------------------------------------------------------

// Re-entrant and fair: threads get the lock in the order they asked for it,
// so a waiter gets in when the holder lets go, also when it only yields.
void HAL_lockVM();
// Leaves one level; a thread that does not hold the lock is a fatal error.
void HAL_unlockVM();
// True when the calling thread holds the VM lock (for assertions).
bool HAL_holdsVMLock();
// Gives every level of the VM lock away, lets waiting threads run, takes it
// back with the same depth, then calls enterVM; returns enterVM's result.
// A thread without the lock only yields the processor (result null).
void* HAL_yield();
// Takes the VM lock (one more level when already held) and calls enterVM, as
// a thread must before it runs runtime code; returns enterVM's result.
void* HAL_enterVM();
// Gives away every level the calling thread holds; returns that depth (0 when
// it holds none). Pair with HAL_restoreVMLock around a blocking call.
uint32_t HAL_releaseVMLock();
// Takes the VM lock again with `depth` levels and calls enterVM, returning
// its result; does nothing (null) for depth 0.
void* HAL_restoreVMLock(uint32_t depth);

// ---- Threads ----------------------------------------------------------------

uint32_t HAL_getThreadTlsIndex();
// The calling thread's record; null when the thread has none.
HALThread* HAL_getCurrentThread();

// Creates a suspended thread that will run entry(data) holding the VM lock;
// no operating-system thread exists before HAL_startThread. 2 for a null
// out-parameter, 1 when no thread-local slot is available, 5 when memory runs
// out.
int32_t HAL_createThread(HALThread** out, HALThreadEntry entry, intptr_t data);
// The UI thread's record (handle word 65, no entry), stored in the calling
// thread's slot. 2 for a null out-parameter, 1 when the slot cannot be set,
// 5 when memory runs out. Deleted with HAL_deleteThread.
int32_t HAL_createMainThread(HALThread** out);
// Starts the thread once (the operating-system thread is created here);
// null and second calls are ignored (0). 5 when the system refuses the thread.
int32_t HAL_startThread(HALThread* thread);
void HAL_cancelThread(HALThread* thread);
// Ends the thread's current sleep or lock wait at once (it sees the wake as a
// notify); null ignored.
void HAL_wakeThread(HALThread* thread);
bool HAL_isThreadCancelled(const HALThread* thread);
// Frees a thread record. A thread never started is freed at once; one whose
// body has returned is waited for until its operating-system thread ends. A
// thread whose body still runs is a fatal error. Null is ignored.
void HAL_deleteThread(HALThread* thread);

// The data word of the calling thread's record (0 without a record).
intptr_t HAL_getCurrentThreadData();
// Stores data in the record (the caller passes its own record); null ignored.
void HAL_setCurrentThreadData(HALThread* thread, intptr_t data);

// Sleeps without the VM lock in doubling slices (2, 4, 8 ... ms, cut to the
// remaining time). 0 only releases and retakes the lock. Returns enterVM's
// result.
void* HAL_sleep(uint32_t milliseconds);

// ---- Locks ------------------------------------------------------------------

// 2 for a null out-parameter, 5 when memory runs out. With initiallyHeld the
// calling thread holds the new lock.
int32_t HAL_createLock(HALLock** out, bool initiallyHeld);
// Releases the VM lock, enters the lock, retakes the VM lock, calls enterVM.
void HAL_enterLock(HALLock* lock);
void HAL_leaveLock(HALLock* lock);
// Waits (holding the lock, at any depth) until notified or the time is up (0
// or less: no limit; at most 0xFFFFFFFE ms). The lock and the VM lock are
// released while waiting and held again at the same depths on return.
// Returns enterVM's result. A thread without a record returns at once.
void* HAL_waitLock(HALLock* lock, int64_t milliseconds);
// Wakes the longest waiter / every waiter in the order they began waiting,
// at once (not at the end of its current slice, which grows as long as the
// time already waited).
void HAL_notifyLock(HALLock* lock);
void HAL_notifyAllLock(HALLock* lock);
void HAL_deleteLock(HALLock* lock);
