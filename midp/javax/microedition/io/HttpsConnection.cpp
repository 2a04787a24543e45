#include "javax/microedition/io/HttpsConnection.h"

VM_REGISTER_INTERFACE(javax::microedition::io::HttpsConnection,
                      "javax.microedition.io.HttpsConnection",
                      "target/winmo/pb_src/j2me/javax_microedition_io_HttpsConnection", nullptr);
