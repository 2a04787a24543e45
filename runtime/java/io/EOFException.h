#pragma once

#include "java/io/IOException.h"

namespace java::io {

class EOFException : public IOException {
    VM_EXCEPTION(EOFException, IOException)
};

} // namespace java::io
