#pragma once
// The VM's record of one thread: its platform thread, its state, its stack
// scope of local references and the locks it sleeps or waits on.
//
// Every operation runs under the global VM lock. The lock is given away only
// inside HAL_waitLock (sleep, monitor wait), HAL_enterLock (a contended
// inflated monitor) and HAL_yield; on taking it back the platform calls
// enterVM, which restores the current thread and its stack scope.

#include <cstdint>

#include "vm/VMPtr.h"

struct HALThread;
struct HALLock;
namespace java::lang { class Thread; }

class VMThread {
public:
    enum State : int32_t { CREATED = 1, RUNNING = 2, BLOCKED = 4, FINISHED = 8 };

    // The record of an already running platform thread (the UI thread): it
    // becomes the current thread and its stack scope the current one.
    explicit VMThread(HALThread* platformThread);
    // The record of a new thread that will run threadObject's run: a
    // suspended platform thread, and a native reference that keeps the
    // object alive until run has ended.
    explicit VMThread(java::lang::Thread* threadObject);
    // Leaves the thread list; deletes the platform thread this record made
    // (which must have finished), the sleep lock and the execution reference.
    virtual ~VMThread();

    VMThread(const VMThread&) = delete;
    VMThread& operator=(const VMThread&) = delete;

    // Allocated on the VM heap.
    static void* operator new(std::size_t size);
    static void operator delete(void* block);

    bool isStarted() const { return state != CREATED; }
    bool isAlive() const { return state == RUNNING || state == BLOCKED; }
    // Only from CREATED: runs the platform thread. A platform thread that
    // cannot be started finishes the record and throws OutOfMemoryError.
    void start();
    // Sets the platform thread's cancel mark while the thread runs.
    void cancel();
    // The number of records whose thread is running or blocked.
    static int32_t countAlive();

    // The record of the thread that holds the VM; null while none does.
    static VMThread* current();
    // Called after every retaking of the VM lock: the calling thread's record
    // becomes current, with its stack scope; a thread without one leaves no
    // thread and no scope current. Returns the record.
    static void* enterVM();
    // Gives the VM lock to waiting threads and takes it back; nothing while
    // yielding is disabled.
    static void yield();
    static void disableYield();
    static void enableYield();
    static bool isYieldDisabled();
    // Sleeps without the VM lock; 0 or less only yields. Nothing unless the
    // record is running. An interrupt before or during the sleep throws
    // InterruptedException.
    static void sleep(VMThread* thread, int64_t milliseconds);
    // The same sleep without the interrupt checks: an interrupt ends it early
    // and stays pending. For waits inside the VM that must not throw.
    static void pause(VMThread* thread, int64_t milliseconds);
    // The blocking part of Object.wait: gives the inflated monitor up
    // completely, waits on its lock (0 or less: no limit) and takes it back
    // with the former count. Nothing unless the record is running.
    static void wait(VMThread* thread, java::lang::Object* monitor, int64_t milliseconds);
    // Clears a pending interrupt and throws InterruptedException for it.
    static void checkInterrupted(VMThread* thread);

    // Sets the interrupted flag of a live thread and wakes it from a sleep or
    // wait; nothing for a created or finished thread.
    void interrupt();

    // The platform thread's procedure; record is the VMThread.
    static void threadEntry(intptr_t record);

    int32_t state;
    HALThread* platformThread;
    java::lang::Thread* threadObject = nullptr;
    VMNative<java::lang::Thread>* executionReference = nullptr;
    VMRootList stackScope;
    HALLock* waitLock = nullptr;
    HALLock* sleepLock = nullptr;
    uint8_t interrupted = 0;
    // Set by the heap only while it builds the OutOfMemoryError it throws,
    // so that the error comes from the reserve (the collector clears it too).
    uint8_t reportingOutOfMemory = 0;

private:
    // Makes this record and its stack scope current.
    void makeCurrent();
    // Blocks on lock (held by this thread) for the time, without the VM lock.
    void block(HALLock* lock, int64_t milliseconds);

    bool ownsPlatformThread_ = false;

    friend void VMThread_run(VMThread* thread);
};

// The run wrapper, on the new platform thread holding the VM lock: runs the
// thread object's run; a class-library exception that escapes is printed and
// ends only this thread. Then wakes the threads waiting on the thread object.
void VMThread_run(VMThread* thread);
