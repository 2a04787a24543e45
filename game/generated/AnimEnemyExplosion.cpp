#include "generated/AnimEnemyExplosion.h"

namespace generated {

// The animation numbers the game's code names are fixed; data that moves one
// fails the build here.
static_assert(AnimEnemyExplosion::FREE == 2);

} // namespace generated

VM_REGISTER_INTERFACE(generated::AnimEnemyExplosion, "generated.AnimEnemyExplosion",
                      "..\\src\\generated_AnimEnemyExplosion", nullptr);
