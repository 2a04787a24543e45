#include "javax/microedition/media/MediaException.h"

VM_REGISTER_CLASS(javax::microedition::media::MediaException,
                  "javax.microedition.media.MediaException",
                  "java.lang.Exception",
                  "target/winmo/pb_src/j2me/javax_microedition_media_MediaException", nullptr);
