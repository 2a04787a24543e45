#pragma once

#include "java/lang/RuntimeException.h"

namespace java::lang {

class NullPointerException : public RuntimeException {
    VM_EXCEPTION(NullPointerException, RuntimeException)
};

} // namespace java::lang
