#pragma once
// generated.AnimEnemyBullet: animation numbers of the AnimEnemyBullet animation set. Its constants
// are folded into the code that uses them; at run time it is a registered interface with nothing in
// it.

#include "java/lang/Object.h"

namespace generated {

class AnimEnemyBullet : public virtual java::lang::Object {
    VM_INTERFACE(AnimEnemyBullet)
};

} // namespace generated
