#pragma once

#include "javax/microedition/rms/RecordStoreException.h"

namespace javax::microedition::rms {

class RecordStoreNotFoundException : public RecordStoreException {
    VM_EXCEPTION(RecordStoreNotFoundException, RecordStoreException)
};

} // namespace javax::microedition::rms
