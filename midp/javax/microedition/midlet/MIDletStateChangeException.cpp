#include "javax/microedition/midlet/MIDletStateChangeException.h"

VM_REGISTER_CLASS(javax::microedition::midlet::MIDletStateChangeException,
                  "javax.microedition.midlet.MIDletStateChangeException", "java.lang.Exception",
                  "target/winmo/pb_src/j2me/javax_microedition_midlet_MIDletStateChangeException",
                  nullptr);
