#include "javax/microedition/io/SocketConnection.h"

VM_REGISTER_INTERFACE(javax::microedition::io::SocketConnection,
                      "javax.microedition.io.SocketConnection",
                      "target/winmo/pb_src/j2me/javax_microedition_io_SocketConnection", nullptr);
