#include "javax/microedition/media/Player.h"

VM_REGISTER_INTERFACE(javax::microedition::media::Player, "javax.microedition.media.Player",
                      "target/winmo/pb_src/j2me/javax_microedition_media_Player", nullptr);
