#pragma once

#include "java/lang/VirtualMachineError.h"

namespace java::lang {

class OutOfMemoryError : public VirtualMachineError {
    VM_EXCEPTION(OutOfMemoryError, VirtualMachineError)
};

} // namespace java::lang
