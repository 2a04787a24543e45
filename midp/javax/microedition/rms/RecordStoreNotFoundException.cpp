#include "javax/microedition/rms/RecordStoreNotFoundException.h"

VM_REGISTER_CLASS(javax::microedition::rms::RecordStoreNotFoundException,
                  "javax.microedition.rms.RecordStoreNotFoundException",
                  "javax.microedition.rms.RecordStoreException",
                  "target/winmo/pb_src/j2me/javax_microedition_rms_RecordStoreNotFoundException", nullptr);
