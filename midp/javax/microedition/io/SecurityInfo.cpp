#include "javax/microedition/io/SecurityInfo.h"

VM_REGISTER_INTERFACE(javax::microedition::io::SecurityInfo,
                      "javax.microedition.io.SecurityInfo",
                      "target/winmo/pb_src/j2me/javax_microedition_io_SecurityInfo", nullptr);
