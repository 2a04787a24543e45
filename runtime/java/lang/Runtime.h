#pragma once
// java.lang.Runtime: the single runtime object: exit, memory figures and
// garbage collection.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMException.h"

namespace java::lang {

class Runtime : public virtual Object {
    VM_CLASS(Runtime, Object)

    // The single Runtime, made on first use.
    static VMPtr<Runtime> getRuntime();

    // Throws SecurityException("MIDP lifecycle does not support system
    // exit.") unless exiting was allowed; then VMExitException with status.
    [[noreturn]] virtual void exit(int32_t status);
    // The maximum heap limit less the platform's and the VM heap's use.
    virtual int64_t freeMemory();
    // The maximum heap limit.
    virtual int64_t totalMemory();
    // One collection pass of the VM (nothing during the VM start).
    virtual void gc();
    virtual void setExitAllowed(bool allowed);

    static uint8_t exitAllowed;
};

} // namespace java::lang
