#include "javax/microedition/io/ContentConnection.h"

VM_REGISTER_INTERFACE(javax::microedition::io::ContentConnection,
                      "javax.microedition.io.ContentConnection",
                      "target/winmo/pb_src/j2me/javax_microedition_io_ContentConnection", nullptr);
