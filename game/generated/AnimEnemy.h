#pragma once
// generated.AnimEnemy: animation numbers of the AnimEnemy animation set. Its constants are folded
// into the code that uses them; at run time it is a registered interface with nothing in it.

#include "java/lang/Object.h"

namespace generated {

class AnimEnemy : public virtual java::lang::Object {
    VM_INTERFACE(AnimEnemy)
};

} // namespace generated
