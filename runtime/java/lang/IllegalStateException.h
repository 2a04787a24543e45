#pragma once

#include "java/lang/RuntimeException.h"

namespace java::lang {

class IllegalStateException : public RuntimeException {
    VM_EXCEPTION(IllegalStateException, RuntimeException)
};

} // namespace java::lang
