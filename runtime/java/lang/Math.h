#pragma once
// java.lang.Math: registered as a class; it has no operations of its own.

#include "java/lang/Object.h"

namespace java::lang {

class Math : public virtual Object {
    VM_ABSTRACT_CLASS(Math, Object)
};

} // namespace java::lang
