#include "javax/microedition/rms/RecordListener.h"

VM_REGISTER_INTERFACE(javax::microedition::rms::RecordListener,
                      "javax.microedition.rms.RecordListener",
                      "target/winmo/pb_src/j2me/javax_microedition_rms_RecordListener", nullptr);
