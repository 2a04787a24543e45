#pragma once
// generated.AnimUiButton: animation numbers of the AnimUiButton animation set. Its constants are
// folded into the code that uses them; at run time it is a registered interface with nothing in it.

#include "java/lang/Object.h"

namespace generated {

class AnimUiButton : public virtual java::lang::Object {
    VM_INTERFACE(AnimUiButton)
};

} // namespace generated
