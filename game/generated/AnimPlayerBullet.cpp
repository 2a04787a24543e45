#include "generated/AnimPlayerBullet.h"

namespace generated {

// The animation numbers the game's code names are fixed; data that moves one
// fails the build here.
static_assert(AnimPlayerBullet::SHOT == 0);
static_assert(AnimPlayerBullet::HOMING == 1);
static_assert(AnimPlayerBullet::FLAME == 2);

} // namespace generated

VM_REGISTER_INTERFACE(generated::AnimPlayerBullet, "generated.AnimPlayerBullet",
                      "..\\src\\generated_AnimPlayerBullet", nullptr);
