#pragma once
// javax.microedition.rms.RecordComparator: orders the records of an
// enumeration. A reference type only: it has no class registration.

#include "java/lang/String.h"

namespace javax::microedition::rms {

class RecordComparator : public virtual java::lang::Object {
public:
    using ByteArray = java::lang::String::ByteArray;

    static constexpr int32_t PRECEDES = -1;
    static constexpr int32_t EQUIVALENT = 0;
    static constexpr int32_t FOLLOWS = 1;

    // PRECEDES when rec1 comes before rec2, FOLLOWS when after, EQUIVALENT
    // otherwise.
    virtual int32_t compare(VMPtr<ByteArray> rec1, VMPtr<ByteArray> rec2) = 0;
};

} // namespace javax::microedition::rms
