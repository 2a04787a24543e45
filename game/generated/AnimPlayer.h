#pragma once
// generated.AnimPlayer: animation numbers of the AnimPlayer animation set. Its constants are folded
// into the code that uses them; at run time it is a registered interface with nothing in it.
// The constants are the set's animations, named as in its source, taken from
// the identifier header of its pack (rp::PLAYER_ANIMS_<NAME>).

#include "generated/Constants.h"
#include "java/lang/Object.h"
#include "rp/Part4.h"

namespace generated {

class AnimPlayer : public virtual java::lang::Object {
    VM_INTERFACE(AnimPlayer)

    RP_PLAYER_ANIMS_CONSTANTS(VX_GENERATED_CONSTANT)
};

} // namespace generated
