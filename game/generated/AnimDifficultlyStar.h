#pragma once
// generated.AnimDifficultlyStar: animation numbers of the AnimDifficultlyStar animation set. Its
// constants are folded into the code that uses them; at run time it is a registered interface with
// nothing in it.

#include "java/lang/Object.h"

namespace generated {

class AnimDifficultlyStar : public virtual java::lang::Object {
    VM_INTERFACE(AnimDifficultlyStar)
};

} // namespace generated
