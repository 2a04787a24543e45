#pragma once

#include "java/io/IOException.h"

namespace java::io {

class UTFDataFormatException : public IOException {
    VM_EXCEPTION(UTFDataFormatException, IOException)
};

} // namespace java::io
