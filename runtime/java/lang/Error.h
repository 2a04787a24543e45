#pragma once

#include "java/lang/Throwable.h"

namespace java::lang {

class Error : public Throwable {
    VM_EXCEPTION(Error, Throwable)
};

} // namespace java::lang
