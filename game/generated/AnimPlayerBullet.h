#pragma once
// generated.AnimPlayerBullet: animation numbers of the AnimPlayerBullet animation set. Its
// constants are folded into the code that uses them; at run time it is a registered interface with
// nothing in it.

#include "java/lang/Object.h"

namespace generated {

class AnimPlayerBullet : public virtual java::lang::Object {
    VM_INTERFACE(AnimPlayerBullet)
};

} // namespace generated
