#pragma once
// javax.microedition.io.InputConnection: a connection that gives input streams.

#include "javax/microedition/io/Connection.h"

namespace java::io { class InputStream; class DataInputStream; }

namespace javax::microedition::io {

class InputConnection : public virtual Connection {
    VM_INTERFACE(InputConnection)

    virtual VMPtr<java::io::InputStream> openInputStream() = 0;
    virtual VMPtr<java::io::DataInputStream> openDataInputStream() = 0;
};

} // namespace javax::microedition::io
