#pragma once

#include "java/lang/IllegalArgumentException.h"

namespace java::lang {

class IllegalThreadStateException : public IllegalArgumentException {
    VM_EXCEPTION(IllegalThreadStateException, IllegalArgumentException)
};

} // namespace java::lang
