#pragma once

#include "java/lang/Error.h"

namespace java::lang {

class VirtualMachineError : public Error {
    VM_EXCEPTION(VirtualMachineError, Error)
};

} // namespace java::lang
