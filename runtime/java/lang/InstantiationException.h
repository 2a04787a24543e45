#pragma once

#include "java/lang/Exception.h"

namespace java::lang {

class InstantiationException : public Exception {
    VM_EXCEPTION(InstantiationException, Exception)
};

} // namespace java::lang
