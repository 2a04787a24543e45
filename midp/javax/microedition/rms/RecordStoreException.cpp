#include "javax/microedition/rms/RecordStoreException.h"

VM_REGISTER_CLASS(javax::microedition::rms::RecordStoreException,
                  "javax.microedition.rms.RecordStoreException",
                  "java.lang.Exception",
                  "target/winmo/pb_src/j2me/javax_microedition_rms_RecordStoreException", nullptr);
