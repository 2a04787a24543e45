#pragma once

#include "java/lang/RuntimeException.h"

namespace java::lang {

class IllegalArgumentException : public RuntimeException {
    VM_EXCEPTION(IllegalArgumentException, RuntimeException)
};

} // namespace java::lang
