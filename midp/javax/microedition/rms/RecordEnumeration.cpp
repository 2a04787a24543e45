#include "javax/microedition/rms/RecordEnumeration.h"

VM_REGISTER_INTERFACE(javax::microedition::rms::RecordEnumeration,
                      "javax.microedition.rms.RecordEnumeration",
                      "target/winmo/pb_src/j2me/javax_microedition_rms_RecordEnumeration", nullptr);
