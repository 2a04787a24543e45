#pragma once
// generated.AnimEnemyExplosion: animation numbers of the AnimEnemyExplosion animation set. Its
// constants are folded into the code that uses them; at run time it is a registered interface with
// nothing in it.

#include "java/lang/Object.h"

namespace generated {

class AnimEnemyExplosion : public virtual java::lang::Object {
    VM_INTERFACE(AnimEnemyExplosion)
};

} // namespace generated
