#include "java/lang/Object.h"

#include <cstdio>
#include <cstring>

#include "hal/thread.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IllegalMonitorStateException.h"
#include "java/lang/String.h"
#include "vm/VMCString.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMSynchronized.h"
#include "vm/VMThread.h"

namespace java::lang {

Object::Object()
    : objNext(nullptr), objPrev(nullptr), monitorOwner(nullptr), monitorCount(0),
      monitorLock(nullptr), flags(MARKED | UNDER_CONSTRUCTION)
{
#ifndef NDEBUG
    _VM_assertVMLock();
#endif
    VMInstance* vm = _VM_instance;
    objNext = vm->objectList;
    if (objNext)
        objNext->objPrev = this;
    vm->objectList = this;
}

Object::~Object()
{
#ifndef NDEBUG
    _VM_assertVMLock();
#endif
    VMInstance* vm = _VM_instance;
    if (objPrev)
        objPrev->objNext = objNext;
    else if (vm->objectList == this)
        vm->objectList = objNext;
    if (objNext)
        objNext->objPrev = objPrev;
    objNext = objPrev = nullptr;
    if (monitorLock) {
        HAL_deleteLock(monitorLock);
        monitorLock = nullptr;
    }
}

void* Object::operator new(std::size_t size)
{
    // Zeroed, so every field starts at its default value.
    void* block = _VM_malloc(static_cast<uint32_t>(size), true);
    std::memset(block, 0, size);
    return block;
}

void Object::operator delete(void* block)
{
    _VM_free(block);
}

int32_t Object::hashCode()
{
    return static_cast<int32_t>(reinterpret_cast<uintptr_t>(this));
}

bool Object::equals(VMPtr<Object> other)
{
    return other.get() == this;
}

VMPtr<String> Object::toString()
{
    char hash[12];
    std::snprintf(hash, sizeof hash, "@%x", static_cast<uint32_t>(hashCode()));
    VMCString text(getClass()->name);
    text.append(hash);
    return String::newFromCString(text.text());
}

void Object::finalize() {}

void Object::markReferences(uint32_t) {}

Class* Object::getClass()
{
    return _VM_classStatic;
}

VMPtr<Object> Object::init()
{
    return VMPtr<Object>(this);
}

namespace {

void requireOwner(Object* object)
{
    if (!_VM_holdsMonitor(object))
        vm_throwNew<IllegalMonitorStateException>();
}

} // namespace

void Object::wait(int64_t timeout)
{
    if (timeout < 0)
        vm_throwNew<IllegalArgumentException>();
    wait_(timeout);
}

void Object::wait()
{
    wait_(0);
}

void Object::wait_(int64_t timeout)
{
    requireOwner(this);
    _VM_inflateMonitor(this);
    VMThread::wait(VMThread::current(), this, timeout);
}

// A thin monitor has no waiters.
void Object::notify()
{
    requireOwner(this);
    if (monitorLock)
        HAL_notifyLock(monitorLock);
}

void Object::notifyAll()
{
    requireOwner(this);
    if (monitorLock)
        HAL_notifyAllLock(monitorLock);
}

VMPtr<Object> Object::newInstance()
{
    return _VM_newObject();
}

} // namespace java::lang

VMPtr<java::lang::Object> _VM_newObject()
{
    java::lang::Object::_VM_clinit();
    VMPtr<java::lang::Object> object(new java::lang::Object());
    _VM_endConstruction(object.get());
    return object;
}

VM_REGISTER_CLASS(java::lang::Object, "java.lang.Object", "", "target/winmo/pb_src/vm/VMObject",
                  nullptr);
