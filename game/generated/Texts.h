#pragma once
// generated.Texts: text identifiers of the game's translation table. Its constants are folded into
// the code that uses them; at run time it is a registered interface with nothing in it.

#include "java/lang/Object.h"

namespace generated {

class Texts : public virtual java::lang::Object {
    VM_INTERFACE(Texts)
};

} // namespace generated
