#pragma once
// java.util.VectorEnumerator: the Vector's own enumeration. It reads the
// Vector live: elements added behind the position are returned, and a removal
// in front of it makes it skip one.

#include <cstdint>

#include "java/util/Enumeration.h"
#include "java/util/Vector.h"

namespace java::util {

class VectorEnumerator : public virtual java::lang::Object, public virtual Enumeration {
    VM_CLASS(VectorEnumerator, java::lang::Object)

    VMPtr<VectorEnumerator> init(VMPtr<Vector> v);

    bool hasMoreElements() override;
    // Under the Vector's monitor; past the end NoSuchElementException
    // "VectorEnumerator".
    VMPtr<java::lang::Object> nextElement() override;


    VMField<Vector> vector;
    int32_t count = 0;

    VM_FIELDS(vector)
};

} // namespace java::util
