#pragma once

#include "java/lang/Exception.h"

namespace java::io {

class IOException : public java::lang::Exception {
    VM_EXCEPTION(IOException, java::lang::Exception)
};

} // namespace java::io
