#pragma once
// generated.AnimBossHp: animation numbers of the AnimBossHp animation set. Its constants are folded
// into the code that uses them; at run time it is a registered interface with nothing in it.
// The constants are the set's animations, named as in its source, taken from
// the identifier header of its pack (rp::ANIM_BOSS_HP_<NAME>).

#include "generated/Constants.h"
#include "java/lang/Object.h"
#include "rp/Part6.h"

namespace generated {

class AnimBossHp : public virtual java::lang::Object {
    VM_INTERFACE(AnimBossHp)

    RP_ANIM_BOSS_HP_CONSTANTS(VX_GENERATED_CONSTANT)
};

} // namespace generated
