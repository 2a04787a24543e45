#include "generated/AnimEnemyBullet.h"

namespace generated {

// The animation numbers the game's code names are fixed; data that moves one
// fails the build here.
static_assert(AnimEnemyBullet::SHOT == 0);
static_assert(AnimEnemyBullet::COIN == 1);

} // namespace generated

VM_REGISTER_INTERFACE(generated::AnimEnemyBullet, "generated.AnimEnemyBullet",
                      "..\\src\\generated_AnimEnemyBullet", nullptr);
