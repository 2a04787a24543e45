#include "vm/VMThread.h"
#include "vm/VMExitException.h"

#include "hal/thread.h"
#include "java/lang/InterruptedException.h"
#include "java/lang/OutOfMemoryError.h"
#include "java/lang/Thread.h"
#include "vm/VMSynchronized.h"
#include "vm/VMBoot.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"

#include <new>

namespace {

uint8_t yieldDisabled = 0;

} // namespace

VMThread::VMThread(HALThread* platformThread) : state(RUNNING), platformThread(platformThread)
{
    _VM_assertVMLock();
    stackScope.head = nullptr;
    // The list node first: when it cannot be had, nothing points at this
    // record yet, and the caller's thread stays current.
    VMList_prepend(&_VM_instance->threadList, this);
    HAL_setCurrentThreadData(platformThread, reinterpret_cast<intptr_t>(this));
    makeCurrent();
}

VMThread::VMThread(java::lang::Thread* object)
    : state(CREATED), platformThread(nullptr), threadObject(object)
{
    _VM_assertVMLock();
    stackScope.head = nullptr;
    VMList_prepend(&_VM_instance->threadList, this);
    executionReference = new (std::nothrow) VMNative<java::lang::Thread>(object);
    if (!executionReference)
        _VM_fatalError("Unable to create thread execution reference!");
    if (HAL_createThread(&platformThread, &VMThread::threadEntry, reinterpret_cast<intptr_t>(this)) != 0)
        _VM_fatalError("Unable to create thread!");
    ownsPlatformThread_ = true;
}

VMThread::~VMThread()
{
    if (_VM_instance) {
        VMList_remove(&_VM_instance->threadList, this);
        if (_VM_instance->currentThread == this)
            _VM_instance->currentThread = nullptr;
    }
    if (ownsPlatformThread_)
        HAL_deleteThread(platformThread);
    if (sleepLock)
        HAL_deleteLock(sleepLock);
    delete executionReference;
    VMRootList_release(&stackScope);
}

void VMThread::start()
{
    if (state != CREATED)
        return;
    state = RUNNING;
    if (HAL_startThread(platformThread) != 0) {
        state = FINISHED;
        executionReference->clear();
        vm_throwNew<java::lang::OutOfMemoryError>();
    }
}

void VMThread::cancel()
{
    if (state == RUNNING)
        HAL_cancelThread(platformThread);
}

int32_t VMThread::countAlive()
{
    int32_t alive = 0;
    for (VMListNode* node = VMList_first(&_VM_instance->threadList); node; node = VMList_next(node))
        alive += static_cast<VMThread*>(VMList_value(node))->isAlive() ? 1 : 0;
    return alive;
}

void VMThread::threadEntry(intptr_t record)
{
    if (record)
        VMThread_run(reinterpret_cast<VMThread*>(record));
}

void VMThread_run(VMThread* thread)
{
    thread->makeCurrent();
    try {
        VMPtr<java::lang::Thread> self(thread->threadObject);
        self->run();
    } catch (java::lang::Throwable* caught) {
        _VM_printUncaught(caught);
    } catch (VMExitException* caught) {
        VMPtr<VMExitException> exiting(caught);
        _VM_instance->exitRequested = 1;
    } catch (...) {
        _VM_fatalError("Unexpected exception in VMThread_run() #1!");
    }
    thread->state = VMThread::FINISHED;
    try {
        VMPtr<java::lang::Thread> self(thread->threadObject);
        VMSynchronized guard(self);
        self->notifyAll();
    } catch (...) {
        _VM_fatalError("Unexpected exception in VMThread_run() #2!");
    }
    thread->executionReference->clear();
    // The thread gives the VM away for good.
    _VM_instance->currentThread = nullptr;
    VMRootList_release(&thread->stackScope);
}

void* VMThread::operator new(std::size_t size)
{
    return _VM_malloc(static_cast<uint32_t>(size), true);
}

void VMThread::operator delete(void* block)
{
    _VM_free(block);
}

void VMThread::makeCurrent()
{
    _VM_currentRootList = &stackScope;
    _VM_instance->currentThread = this;
}

VMThread* VMThread::current()
{
    return _VM_instance ? _VM_instance->currentThread : nullptr;
}

// A platform thread without a record is no VM thread: it must not pass for
// the thread that held the VM before it, nor register in that thread's scope.
void* VMThread::enterVM()
{
    VMThread* thread = reinterpret_cast<VMThread*>(HAL_getCurrentThreadData());
    if (!_VM_instance)
        return thread;
    if (thread) {
        thread->makeCurrent();
    } else {
        _VM_instance->currentThread = nullptr;
        _VM_currentRootList = nullptr;
    }
    return thread;
}

void VMThread::yield()
{
    if (yieldDisabled)
        return;
    if (_VM_instance)
        _VM_instance->currentThread = nullptr;
    HAL_yield();
    enterVM();
}

void VMThread::disableYield()
{
    yieldDisabled = 1;
}

void VMThread::enableYield()
{
    yieldDisabled = 0;
}

bool VMThread::isYieldDisabled()
{
    return yieldDisabled != 0;
}

void VMThread::block(HALLock* lock, int64_t milliseconds)
{
    state = BLOCKED;
    waitLock = lock;
    HAL_waitLock(lock, milliseconds);
    enterVM();
    state = RUNNING;
    waitLock = nullptr;
}

void VMThread::checkInterrupted(VMThread* thread)
{
    if (thread && thread->interrupted) {
        thread->interrupted = 0;
        vm_throwNew<java::lang::InterruptedException>();
    }
}

void VMThread::pause(VMThread* thread, int64_t milliseconds)
{
    if (!thread || thread->state != RUNNING)
        return;
    if (milliseconds <= 0) {
        yield();
        return;
    }
    // Not held between sleeps: a thread that kept its sleep lock would take
    // every monitor lock while holding it, and take it again inside them to
    // sleep, an order both ways between the two (no other thread ever takes
    // a sleep lock, but the thread sanitizer rightly stops at such a cycle).
    if (!thread->sleepLock && HAL_createLock(&thread->sleepLock, false) != 0)
        _VM_fatalError("HAL_createLock() failed in VMThread::sleep().");
    thread->block(thread->sleepLock, milliseconds);
}

void VMThread::sleep(VMThread* thread, int64_t milliseconds)
{
    if (!thread || thread->state != RUNNING)
        return;
    checkInterrupted(thread);
    pause(thread, milliseconds);
    checkInterrupted(thread);
}

void VMThread::wait(VMThread* thread, java::lang::Object* monitor, int64_t milliseconds)
{
    if (!thread || thread->state != RUNNING)
        return;
    checkInterrupted(thread);
    int32_t count = monitor->monitorCount;
    monitor->monitorCount = 0;
    monitor->monitorOwner = nullptr;
    thread->block(monitor->monitorLock, milliseconds);
    monitor->monitorCount = count;
    monitor->monitorOwner = thread;
    checkInterrupted(thread);
}

// The sleeper is woken through its platform thread alone: notifying its wait
// lock would need that lock's section, which the sleeper may hold while it
// waits for the VM lock we hold.
void VMThread::interrupt()
{
    if (!isAlive())
        return;
    interrupted = 1;
    if (waitLock && platformThread)
        HAL_wakeThread(platformThread);
}
