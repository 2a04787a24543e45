#include "vm/VMRef.h"

#include "hal/thread.h"
#include "java/lang/Object.h"

constinit VMScope _VM_stackScope(VMScope::Stack, "stack scope");
constinit VMScope _VM_instanceScope(VMScope::Instance, "instance scope");
constinit VMScope _VM_staticScope(VMScope::Static, "static scope");
constinit VMScope _VM_nativeScope(VMScope::Native, "native scope");
constinit VMScope _VM_weakScope(VMScope::Weak, "weak scope");

VMRootList* _VM_currentRootList = nullptr;

void _VM_assertVMLock()
{
    assert(HAL_holdsVMLock() && "VM state touched without the VM lock");
}

bool VMRootList::remove(VMRef* ref)
{
    for (VMRef** at = &head; *at; at = &(*at)->link_) {
        if (*at == ref) {
            *at = ref->link_;
            ref->link_ = nullptr;
            return true;
        }
    }
    return false;
}

void VMRootList::markAll(uint32_t bits) const
{
    for (VMRef* ref = head; ref; ref = ref->link_) {
        if (java::lang::Object* object = ref->objectPart())
            _VM_mark(object, bits);
    }
}

void VMRootList::clearUnmarked()
{
    for (VMRef* ref = head; ref; ref = ref->link_) {
        java::lang::Object* object = ref->objectPart();
        if (object && !(object->flags & java::lang::Object::MARKED))
            ref->clear();
    }
}

void VMRootList_init(VMRootList* list)
{
    list->head = nullptr;
    if (!_VM_currentRootList)
        _VM_currentRootList = list;
}

void VMRootList_release(VMRootList* list)
{
    if (_VM_currentRootList == list)
        _VM_currentRootList = nullptr;
}

// Stack references join the current thread's list; the list scopes their own;
// instance references are found by tracing and join nothing.
void VMScope::add(VMRef* ref)
{
#ifndef NDEBUG
    if (kind_ != Instance)
        _VM_assertVMLock();
#endif
    switch (kind_) {
    case Stack:
        ref->link_ = _VM_currentRootList->head;
        _VM_currentRootList->head = ref;
        break;
    case Instance:
        break;
    default:
        ref->link_ = roots_.head;
        roots_.head = ref;
        break;
    }
}

void VMScope::remove(VMRef* ref)
{
#ifndef NDEBUG
    if (kind_ != Instance)
        _VM_assertVMLock();
#endif
    switch (kind_) {
    case Stack:
        _VM_currentRootList->remove(ref);
        break;
    case Instance:
        break;
    default:
        roots_.remove(ref);
        break;
    }
}
