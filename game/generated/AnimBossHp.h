#pragma once
// generated.AnimBossHp: animation numbers of the AnimBossHp animation set. Its constants are folded
// into the code that uses them; at run time it is a registered interface with nothing in it.

#include "java/lang/Object.h"

namespace generated {

class AnimBossHp : public virtual java::lang::Object {
    VM_INTERFACE(AnimBossHp)
};

} // namespace generated
