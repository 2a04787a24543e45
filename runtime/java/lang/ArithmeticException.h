#pragma once

#include "java/lang/RuntimeException.h"

namespace java::lang {

class ArithmeticException : public RuntimeException {
    VM_EXCEPTION(ArithmeticException, RuntimeException)
};

} // namespace java::lang
