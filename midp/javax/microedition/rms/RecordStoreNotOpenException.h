#pragma once

#include "javax/microedition/rms/RecordStoreException.h"

namespace javax::microedition::rms {

class RecordStoreNotOpenException : public RecordStoreException {
    VM_EXCEPTION(RecordStoreNotOpenException, RecordStoreException)
};

} // namespace javax::microedition::rms
