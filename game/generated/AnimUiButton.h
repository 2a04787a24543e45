#pragma once
// generated.AnimUiButton: animation numbers of the AnimUiButton animation set. Its constants are
// folded into the code that uses them; at run time it is a registered interface with nothing in it.
// The constants are the set's animations, named as in its source, taken from
// the identifier header of its pack (rp::ANIM_UI_BUTTON_<NAME>).

#include "generated/Constants.h"
#include "java/lang/Object.h"
#include "rp/Part1.h"

namespace generated {

class AnimUiButton : public virtual java::lang::Object {
    VM_INTERFACE(AnimUiButton)

    RP_ANIM_UI_BUTTON_CONSTANTS(VX_GENERATED_CONSTANT)
};

} // namespace generated
