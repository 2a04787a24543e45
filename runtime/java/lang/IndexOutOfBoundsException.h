#pragma once

#include "java/lang/RuntimeException.h"

namespace java::lang {

class IndexOutOfBoundsException : public RuntimeException {
    VM_EXCEPTION(IndexOutOfBoundsException, RuntimeException)

    // The text of prefix followed by the decimal index, for the index forms
    // of the subclasses.
    static VMPtr<String> indexMessage(const char* prefix, int32_t index);
};

} // namespace java::lang
