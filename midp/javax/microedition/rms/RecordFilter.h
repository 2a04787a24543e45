#pragma once
// javax.microedition.rms.RecordFilter: picks the records an enumeration
// holds. A reference type only: it has no class registration.

#include "java/lang/String.h"

namespace javax::microedition::rms {

class RecordFilter : public virtual java::lang::Object {
public:
    using ByteArray = java::lang::String::ByteArray;

    virtual bool matches(VMPtr<ByteArray> candidate) = 0;
};

} // namespace javax::microedition::rms
