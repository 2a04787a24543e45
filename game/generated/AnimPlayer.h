#pragma once
// generated.AnimPlayer: animation numbers of the AnimPlayer animation set. Its constants are folded
// into the code that uses them; at run time it is a registered interface with nothing in it.

#include "java/lang/Object.h"

namespace generated {

class AnimPlayer : public virtual java::lang::Object {
    VM_INTERFACE(AnimPlayer)
};

} // namespace generated
