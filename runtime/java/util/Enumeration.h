#pragma once
// java.util.Enumeration: the iteration interface of the class library.

#include "java/lang/Object.h"

namespace java::util {

class Enumeration : public virtual java::lang::Object {
    VM_INTERFACE(Enumeration)

    virtual bool hasMoreElements() = 0;
    virtual VMPtr<java::lang::Object> nextElement() = 0;
};

} // namespace java::util
