#pragma once
// javax.microedition.io.StreamConnection: input and output streams.

#include "javax/microedition/io/InputConnection.h"
#include "javax/microedition/io/OutputConnection.h"

namespace javax::microedition::io {

class StreamConnection : public virtual InputConnection, public virtual OutputConnection {
    VM_INTERFACE(StreamConnection)
};

} // namespace javax::microedition::io
