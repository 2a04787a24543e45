#pragma once

#include "java/lang/RuntimeException.h"

namespace java::lang {

class NegativeArraySizeException : public RuntimeException {
    VM_EXCEPTION(NegativeArraySizeException, RuntimeException)
};

} // namespace java::lang
