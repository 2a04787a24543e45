#include "javax/microedition/io/Connection.h"

VM_REGISTER_INTERFACE(javax::microedition::io::Connection,
                      "javax.microedition.io.Connection",
                      "target/winmo/pb_src/j2me/javax_microedition_io_Connection", nullptr);
