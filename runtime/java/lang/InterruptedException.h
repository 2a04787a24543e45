#pragma once

#include "java/lang/Exception.h"

namespace java::lang {

class InterruptedException : public Exception {
    VM_EXCEPTION(InterruptedException, Exception)
};

} // namespace java::lang
