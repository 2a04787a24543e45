#pragma once

#include "java/lang/RuntimeException.h"

namespace java::util {

class NoSuchElementException : public java::lang::RuntimeException {
    VM_EXCEPTION(NoSuchElementException, java::lang::RuntimeException)
};

} // namespace java::util
