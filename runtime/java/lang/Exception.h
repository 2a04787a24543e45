#pragma once

#include "java/lang/Throwable.h"

namespace java::lang {

class Exception : public Throwable {
    VM_EXCEPTION(Exception, Throwable)
};

} // namespace java::lang
