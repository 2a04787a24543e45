#include "vm/VMRef.h"

#include "hal/thread.h"
#include "java/lang/Object.h"
#include "vm/VMInstance.h"

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

// The list a reference of this scope joins: the current thread's for the
// stack scope, the scope's own for the static, native and weak scopes, none
// for the instance scope (fields are found by tracing).
VMRootList* VMScope::rootList()
{
    switch (kind_) {
    case Stack:
        return _VM_currentRootList;
    case Instance:
        return nullptr;
    default:
        return &roots_;
    }
}

void VMScope::add(VMRef* ref)
{
    if (VMRootList* list = rootList()) {
#ifndef NDEBUG
        // Static references are made by static initialisers, before the VM.
        if (_VM_instance)
            _VM_assertVMLock();
#endif
        ref->link_ = list->head;
        list->head = ref;
    }
}

void VMScope::remove(VMRef* ref)
{
    if (VMRootList* list = rootList()) {
#ifndef NDEBUG
        _VM_assertVMLock();
#endif
        list->remove(ref);
    }
}
