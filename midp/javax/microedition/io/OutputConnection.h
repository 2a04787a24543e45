#pragma once
// javax.microedition.io.OutputConnection: a connection that gives output streams.

#include "javax/microedition/io/Connection.h"

namespace java::io { class OutputStream; class DataOutputStream; }

namespace javax::microedition::io {

class OutputConnection : public virtual Connection {
    VM_INTERFACE(OutputConnection)

    virtual VMPtr<java::io::OutputStream> openOutputStream() = 0;
    virtual VMPtr<java::io::DataOutputStream> openDataOutputStream() = 0;
};

} // namespace javax::microedition::io
