#include "javax/microedition/rms/RecordStoreNotOpenException.h"

VM_REGISTER_CLASS(javax::microedition::rms::RecordStoreNotOpenException,
                  "javax.microedition.rms.RecordStoreNotOpenException",
                  "javax.microedition.rms.RecordStoreException",
                  "target/winmo/pb_src/j2me/javax_microedition_rms_RecordStoreNotOpenException", nullptr);
