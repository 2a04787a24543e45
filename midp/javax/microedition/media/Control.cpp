#include "javax/microedition/media/Control.h"

VM_REGISTER_INTERFACE(javax::microedition::media::Control, "javax.microedition.media.Control",
                      "target/winmo/pb_src/j2me/javax_microedition_media_Control", nullptr);
