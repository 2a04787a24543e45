#pragma once

#include "java/lang/RuntimeException.h"

namespace java::lang {

class IndexOutOfBoundsException : public RuntimeException {
    VM_EXCEPTION(IndexOutOfBoundsException, RuntimeException)
};

} // namespace java::lang
