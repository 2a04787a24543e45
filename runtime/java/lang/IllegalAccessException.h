#pragma once

#include "java/lang/Exception.h"

namespace java::lang {

class IllegalAccessException : public Exception {
    VM_EXCEPTION(IllegalAccessException, Exception)
};

} // namespace java::lang
