#include "vm/VMThread.h"

#include "hal/HALThread.h"
#include "hal/thread.h"
#include "java/lang/InterruptedException.h"
#include "vm/VMBoot.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"

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

VMThread::~VMThread()
{
    if (_VM_instance) {
        VMList_remove(&_VM_instance->threadList, this);
        if (_VM_instance->currentThread == this)
            _VM_instance->currentThread = nullptr;
    }
    if (sleepLock)
        HAL_deleteLock(sleepLock);
    VMRootList_release(&stackScope);
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

void* VMThread::enterVM()
{
    VMThread* thread = reinterpret_cast<VMThread*>(HAL_getCurrentThreadData());
    if (thread && _VM_instance)
        thread->makeCurrent();
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

void VMThread::sleep(VMThread* thread, int64_t milliseconds)
{
    if (!thread || thread->state != RUNNING)
        return;
    checkInterrupted(thread);
    if (milliseconds <= 0) {
        yield();
    } else {
        if (!thread->sleepLock && HAL_createLock(&thread->sleepLock, true) != 0)
            _VM_fatalError("HAL_createLock() failed in VMThread::sleep().");
        thread->block(thread->sleepLock, milliseconds);
    }
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
        platformThread->wakeUp();
}
