#pragma once

#include "java/lang/RuntimeException.h"

namespace java::lang {

class ArrayStoreException : public RuntimeException {
    VM_EXCEPTION(ArrayStoreException, RuntimeException)
};

} // namespace java::lang
