#include "javax/microedition/media/Controllable.h"

VM_REGISTER_INTERFACE(javax::microedition::media::Controllable,
                      "javax.microedition.media.Controllable",
                      "target/winmo/pb_src/j2me/javax_microedition_media_Controllable", nullptr);
