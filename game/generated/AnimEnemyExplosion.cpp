#include "generated/AnimEnemyExplosion.h"

VM_REGISTER_INTERFACE(generated::AnimEnemyExplosion, "generated.AnimEnemyExplosion",
                      "..\\src\\generated_AnimEnemyExplosion", nullptr);
