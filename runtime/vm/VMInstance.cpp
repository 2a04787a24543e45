#include "vm/VMInstance.h"

#include "vm/VMBoot.h"

VMInstance* _VM_instance = nullptr;

// The members' initialisers did the work: both references are in the native
// scope with null targets, every other field is zero.
void _VM_constructInstance(VMInstance* vm)
{
    VMList_init(&vm->threadList);
}

// The references leave the native scope with the instance itself; here the
// thread list's nodes are freed.
void _VM_destroyInstance(VMInstance* vm)
{
    vm->systemThread = nullptr;
    vm->finalizer = nullptr;
    VMList_clear(&vm->threadList);
}
