#pragma once
// javax.microedition.rms.RecordEnumeration: a walk in both directions over
// some records of a store.

#include "java/lang/String.h"

namespace javax::microedition::rms {

class RecordEnumeration : public virtual java::lang::Object {
    VM_INTERFACE(RecordEnumeration)

    using ByteArray = java::lang::String::ByteArray;

    virtual int32_t numRecords() = 0;
    virtual VMPtr<ByteArray> nextRecord() = 0;
    virtual int32_t nextRecordId() = 0;
    virtual VMPtr<ByteArray> previousRecord() = 0;
    virtual int32_t previousRecordId() = 0;
    virtual bool hasNextElement() = 0;
    virtual bool hasPreviousElement() = 0;
    virtual void reset() = 0;
    virtual void rebuild() = 0;
    virtual void keepUpdated(bool keepUpdated) = 0;
    virtual bool isKeptUpdated() = 0;
    virtual void destroy() = 0;
};

} // namespace javax::microedition::rms
