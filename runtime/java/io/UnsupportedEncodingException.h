#pragma once

#include "java/io/IOException.h"

namespace java::io {

class UnsupportedEncodingException : public IOException {
    VM_EXCEPTION(UnsupportedEncodingException, IOException)
};

} // namespace java::io
