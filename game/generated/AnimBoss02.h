#pragma once
// generated.AnimBoss02: animation numbers of the AnimBoss02 animation set. Its constants are folded
// into the code that uses them; at run time it is a registered interface with nothing in it.

#include "java/lang/Object.h"

namespace generated {

class AnimBoss02 : public virtual java::lang::Object {
    VM_INTERFACE(AnimBoss02)
};

} // namespace generated
