#include "javax/microedition/io/InputConnection.h"

VM_REGISTER_INTERFACE(javax::microedition::io::InputConnection,
                      "javax.microedition.io.InputConnection",
                      "target/winmo/pb_src/j2me/javax_microedition_io_InputConnection", nullptr);
