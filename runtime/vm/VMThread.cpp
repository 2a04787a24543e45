#include "vm/VMThread.h"

#include "hal/thread.h"
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

void VMThread::sleep(VMThread* thread, int64_t milliseconds)
{
    if (!thread || thread->state != RUNNING)
        return;
    if (milliseconds <= 0) {
        yield();
        return;
    }
    if (!thread->sleepLock && HAL_createLock(&thread->sleepLock, true) != 0)
        _VM_fatalError("HAL_createLock() failed in VMThread::sleep().");
    thread->state = BLOCKED;
    thread->waitLock = thread->sleepLock;
    HAL_waitLock(thread->sleepLock, milliseconds);
    enterVM();
    thread->state = RUNNING;
    thread->waitLock = nullptr;
}
