#include "vm/VMInstance.h"

#include "vm/VMBoot.h"

VMInstance* _VM_instance = nullptr;

void _VM_constructInstance(VMInstance* vm)
{
    *vm = VMInstance();
    VMList_init(&vm->threadList);
}

void _VM_destroyInstance(VMInstance* vm)
{
    VMList_clear(&vm->threadList);
}
