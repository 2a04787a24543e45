#include "generated/AnimBoss02.h"

namespace generated {

// The animation numbers the game's code names are fixed; data that moves one
// fails the build here.
static_assert(AnimBoss02::CORE_REST == 0);
static_assert(AnimBoss02::CORE == 1);
static_assert(AnimBoss02::DRONE_HIT == 2);
static_assert(AnimBoss02::DRONE == 3);
static_assert(AnimBoss02::TURRET_HIT == 4);
static_assert(AnimBoss02::TURRET == 5);
static_assert(AnimBoss02::TURRET_WRECK == 6);
static_assert(AnimBoss02::CORE_WRECK == 8);
static_assert(AnimBoss02::DRONE_WRECK == 10);

} // namespace generated

VM_REGISTER_INTERFACE(generated::AnimBoss02, "generated.AnimBoss02",
                      "..\\src\\generated_AnimBoss02", nullptr);
