#pragma once

#include "java/lang/RuntimeException.h"

namespace java::lang {

class SecurityException : public RuntimeException {
    VM_EXCEPTION(SecurityException, RuntimeException)
};

} // namespace java::lang
