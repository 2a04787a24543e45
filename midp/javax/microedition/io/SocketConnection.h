#pragma once
// javax.microedition.io.SocketConnection: the type the engine's socket
// session asks for. No class implements it: Connector refuses socket URLs.

#include "javax/microedition/io/StreamConnection.h"

namespace javax::microedition::io {

class SocketConnection : public virtual StreamConnection {
    VM_INTERFACE(SocketConnection)
};

} // namespace javax::microedition::io
