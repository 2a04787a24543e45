#pragma once

#include "java/lang/IllegalArgumentException.h"

namespace java::lang {

class NumberFormatException : public IllegalArgumentException {
    VM_EXCEPTION(NumberFormatException, IllegalArgumentException)
};

} // namespace java::lang
