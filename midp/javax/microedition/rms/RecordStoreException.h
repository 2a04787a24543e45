#pragma once

#include "java/lang/Exception.h"

namespace javax::microedition::rms {

class RecordStoreException : public java::lang::Exception {
    VM_EXCEPTION(RecordStoreException, java::lang::Exception)
};

} // namespace javax::microedition::rms
