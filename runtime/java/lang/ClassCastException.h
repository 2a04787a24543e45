#pragma once

#include "java/lang/RuntimeException.h"

namespace java::lang {

class ClassCastException : public RuntimeException {
    VM_EXCEPTION(ClassCastException, RuntimeException)
};

} // namespace java::lang
