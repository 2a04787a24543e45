#pragma once
// generated.RP: resource identifiers, (part << 10) | index. Its constants are folded into the code
// that uses them; at run time it is a registered interface with nothing in it.

#include "java/lang/Object.h"

namespace generated {

class RP : public virtual java::lang::Object {
    VM_INTERFACE(RP)
};

} // namespace generated
