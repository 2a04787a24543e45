#pragma once

#include "java/lang/RuntimeException.h"

namespace java::lang {

class IllegalMonitorStateException : public RuntimeException {
    VM_EXCEPTION(IllegalMonitorStateException, RuntimeException)
};

} // namespace java::lang
