#include "javax/microedition/io/ConnectionNotFoundException.h"

VM_REGISTER_CLASS(javax::microedition::io::ConnectionNotFoundException,
                  "javax.microedition.io.ConnectionNotFoundException",
                  "java.io.IOException",
                  "target/winmo/pb_src/j2me/javax_microedition_io_ConnectionNotFoundException", nullptr);
