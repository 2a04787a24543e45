#pragma once
// generated.AnimBoss02: animation numbers of the AnimBoss02 animation set. Its constants are folded
// into the code that uses them; at run time it is a registered interface with nothing in it.
// The constants are the set's animations, named as in its source, taken from
// the identifier header of its pack (rp::ANIM_BOSS02_<NAME>).

#include "generated/Constants.h"
#include "java/lang/Object.h"
#include "rp/Part6.h"

namespace generated {

class AnimBoss02 : public virtual java::lang::Object {
    VM_INTERFACE(AnimBoss02)

    RP_ANIM_BOSS02_CONSTANTS(VX_GENERATED_CONSTANT)
};

} // namespace generated
