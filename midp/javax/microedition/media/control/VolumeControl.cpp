#include "javax/microedition/media/control/VolumeControl.h"

VM_REGISTER_INTERFACE(javax::microedition::media::control::VolumeControl,
                      "javax.microedition.media.control.VolumeControl",
                      "target/winmo/pb_src/j2me/javax_microedition_media_control_VolumeControl", nullptr);
