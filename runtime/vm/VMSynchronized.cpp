#include "vm/VMSynchronized.h"

#include <exception>

#include "hal/thread.h"
#include "vm/VMBoot.h"
#include "vm/VMThread.h"

// A monitor is thin while monitorLock is null: owner and recursion count in
// the Object part, no platform object. It is inflated to a HALLock the first
// time a second thread contends or the owner waits, and stays inflated until
// the object is destroyed. The owner of an inflated monitor holds its HALLock
// (once, whatever its count). Everything here runs under the VM lock, so the
// thin path needs no atomic operations.

using java::lang::Object;

void _VM_inflateMonitor(Object* object)
{
    if (object->monitorLock)
        return;
    bool held = object->monitorCount != 0;
    if (held && object->monitorOwner != VMThread::current())
        _VM_fatalError("Attempt to inflate a lock that we do not own in _VM_inflateMonitor().");
    if (HAL_createLock(&object->monitorLock, held) != 0)
        _VM_fatalError("HAL_createLock() failed in _VM_inflateMonitor().");
}

void _VM_lock(Object* object)
{
    VMThread* me = VMThread::current();
    if (!object->monitorLock) {
        if (object->monitorCount == 0) {
            object->monitorCount = 1;
            object->monitorOwner = me;
            return;
        }
        if (object->monitorOwner == me) {
            ++object->monitorCount;
            return;
        }
        // Contended: wait for the owner to let go, yielding the VM, then
        // take the monitor through its platform lock.
        while (object->monitorCount != 0 && object->monitorOwner != me)
            VMThread::yield();
        _VM_inflateMonitor(object);
    }
    if (object->monitorOwner == me && object->monitorCount != 0) {
        ++object->monitorCount;
        return;
    }
    HAL_enterLock(object->monitorLock);
    VMThread::enterVM();
    object->monitorCount = 1;
    object->monitorOwner = me;
}

void _VM_unlock(Object* object)
{
    VMThread* me = VMThread::current();
    if (object->monitorCount <= 0 || object->monitorOwner != me)
        _VM_fatalError("Monitor state is invalid in _VM_unlock()!");
    if (--object->monitorCount != 0)
        return;
    object->monitorOwner = nullptr;
    if (HALLock* lock = object->monitorLock) {
        HAL_notifyAllLock(lock);
        HAL_leaveLock(lock);
        // No yield while an exception passes: the object in flight is no
        // root until a handler holds it, and another thread may collect.
        if (std::uncaught_exceptions() == 0)
            VMThread::yield();
    }
}

bool _VM_holdsMonitor(Object* object)
{
    return object->monitorCount != 0 && object->monitorOwner == VMThread::current();
}
