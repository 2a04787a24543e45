#include "java/lang/Runtime.h"

#include "java/lang/SecurityException.h"
#include "vm/VMExitException.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMStringLiterals.h"

namespace java::lang {

uint8_t Runtime::exitAllowed = 0;

namespace {

VM_STATIC(Runtime, instance);

} // namespace

VMPtr<Runtime> Runtime::getRuntime()
{
    if (!instance)
        instance = newInstance();
    return instance;
}

void Runtime::exit(int32_t status)
{
    if (exitAllowed) {
        VMPtr<VMExitException> unwinding(new VMExitException(status));
        _VM_endConstruction(unwinding.get());
        VM_THROW(unwinding);
    }
    vm_throwNew<SecurityException>(_VM_literal("MIDP lifecycle does not support system exit."));
}

int64_t Runtime::freeMemory()
{
    // The heap's figure wraps when the platform's own allocations and the VM
    // heap together pass the limit: then nothing is free.
    uint32_t free = _VM_getFreeMemory();
    return free > _VM_getTotalMemory() ? 0 : int64_t(free);
}

int64_t Runtime::totalMemory()
{
    return int64_t(_VM_getTotalMemory());
}

void Runtime::gc()
{
    _VM_collectGarbage(_VM_instance);
}

void Runtime::setExitAllowed(bool allowed)
{
    exitAllowed = allowed ? 1 : 0;
}

} // namespace java::lang

VM_REGISTER_CLASS_NO_CREATOR(java::lang::Runtime, "java.lang.Runtime", "java.lang.Object",
                             "target/winmo/pb_src/j2me/java_lang_Runtime", nullptr);
