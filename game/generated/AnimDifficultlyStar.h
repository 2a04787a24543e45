#pragma once
// generated.AnimDifficultlyStar: animation numbers of the AnimDifficultlyStar animation set. Its
// constants are folded into the code that uses them; at run time it is a registered interface with
// nothing in it.
// The constants are the set's animations, named as in its source, taken from
// the identifier header of its pack (rp::ANIM_DIFFICULTY_STAR_<NAME>).

#include "generated/Constants.h"
#include "java/lang/Object.h"
#include "rp/Part1.h"

namespace generated {

class AnimDifficultlyStar : public virtual java::lang::Object {
    VM_INTERFACE(AnimDifficultlyStar)

    RP_ANIM_DIFFICULTY_STAR_CONSTANTS(VX_GENERATED_CONSTANT)
};

} // namespace generated
