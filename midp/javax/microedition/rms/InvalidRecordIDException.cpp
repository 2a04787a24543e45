#include "javax/microedition/rms/InvalidRecordIDException.h"

VM_REGISTER_CLASS(javax::microedition::rms::InvalidRecordIDException,
                  "javax.microedition.rms.InvalidRecordIDException",
                  "javax.microedition.rms.RecordStoreException",
                  "target/winmo/pb_src/j2me/javax_microedition_rms_InvalidRecordIDException", nullptr);
