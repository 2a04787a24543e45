#pragma once
// javax.microedition.rms.RecordListener: told of every record a store adds,
// changes or deletes.

#include "java/lang/Object.h"

namespace javax::microedition::rms {

class RecordStore;

class RecordListener : public virtual java::lang::Object {
    VM_INTERFACE(RecordListener)

    virtual void recordAdded(VMPtr<RecordStore> recordStore, int32_t recordId) = 0;
    virtual void recordChanged(VMPtr<RecordStore> recordStore, int32_t recordId) = 0;
    virtual void recordDeleted(VMPtr<RecordStore> recordStore, int32_t recordId) = 0;
};

} // namespace javax::microedition::rms
