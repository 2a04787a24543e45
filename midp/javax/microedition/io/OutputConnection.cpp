#include "javax/microedition/io/OutputConnection.h"

VM_REGISTER_INTERFACE(javax::microedition::io::OutputConnection,
                      "javax.microedition.io.OutputConnection",
                      "target/winmo/pb_src/j2me/javax_microedition_io_OutputConnection", nullptr);
