#pragma once

#include "javax/microedition/rms/RecordStoreException.h"

namespace javax::microedition::rms {

class InvalidRecordIDException : public RecordStoreException {
    VM_EXCEPTION(InvalidRecordIDException, RecordStoreException)
};

} // namespace javax::microedition::rms
