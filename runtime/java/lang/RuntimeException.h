#pragma once

#include "java/lang/Exception.h"

namespace java::lang {

class RuntimeException : public Exception {
    VM_EXCEPTION(RuntimeException, Exception)
};

} // namespace java::lang
