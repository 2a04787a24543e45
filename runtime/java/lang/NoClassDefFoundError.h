#pragma once

#include "java/lang/Error.h"

namespace java::lang {

class NoClassDefFoundError : public Error {
    VM_EXCEPTION(NoClassDefFoundError, Error)
};

} // namespace java::lang
