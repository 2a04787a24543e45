#pragma once

#include "java/lang/IndexOutOfBoundsException.h"

namespace java::lang {

class StringIndexOutOfBoundsException : public IndexOutOfBoundsException {
    VM_EXCEPTION(StringIndexOutOfBoundsException, IndexOutOfBoundsException)

    // The message "String index out of range: " and the decimal index.
    VMPtr<StringIndexOutOfBoundsException> init(int32_t index);
};

} // namespace java::lang
