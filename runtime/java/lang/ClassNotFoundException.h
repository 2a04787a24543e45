#pragma once

#include "java/lang/Exception.h"

namespace java::lang {

class ClassNotFoundException : public Exception {
    VM_EXCEPTION(ClassNotFoundException, Exception)
};

} // namespace java::lang
