#pragma once
// java.lang.System: array copying (the rest of the class comes with the
// console streams and properties).

#include <cstdint>

#include "java/lang/Object.h"

namespace java::lang {

class System : public virtual Object {
    VM_ABSTRACT_CLASS(System)

    // Copies length elements of src from srcPos to dest from destPos, as if
    // through a temporary array. Null arrays throw NullPointerException; a
    // non-array or arrays of different element types throw
    // ArrayStoreException, as does a reference element that the destination
    // cannot hold (the elements before it stay copied); negative or too long
    // ranges throw ArrayIndexOutOfBoundsException.
    static void arraycopy(VMPtr<Object> src, int32_t srcPos, VMPtr<Object> dest, int32_t destPos,
                          int32_t length);
};

} // namespace java::lang
