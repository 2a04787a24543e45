#include "javax/microedition/io/StreamConnection.h"

VM_REGISTER_INTERFACE(javax::microedition::io::StreamConnection,
                      "javax.microedition.io.StreamConnection",
                      "target/winmo/pb_src/j2me/javax_microedition_io_StreamConnection", nullptr);
