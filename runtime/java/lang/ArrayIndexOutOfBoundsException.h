#pragma once

#include "java/lang/IndexOutOfBoundsException.h"

namespace java::lang {

class ArrayIndexOutOfBoundsException : public IndexOutOfBoundsException {
    VM_EXCEPTION(ArrayIndexOutOfBoundsException, IndexOutOfBoundsException)

    // The message "Array index out of range: " and the decimal index.
    VMPtr<ArrayIndexOutOfBoundsException> init(int32_t index);
};

} // namespace java::lang
