#pragma once
// generated.AnimMenuPage: animation numbers of the AnimMenuPage animation set. Its constants are
// folded into the code that uses them; at run time it is a registered interface with nothing in it.

#include "java/lang/Object.h"

namespace generated {

class AnimMenuPage : public virtual java::lang::Object {
    VM_INTERFACE(AnimMenuPage)
};

} // namespace generated
