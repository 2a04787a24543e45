#pragma once

#include "java/io/IOException.h"

namespace javax::microedition::io {

class ConnectionNotFoundException : public java::io::IOException {
    VM_EXCEPTION(ConnectionNotFoundException, java::io::IOException)
};

} // namespace javax::microedition::io
