#include "generated/AnimEnemyBullet.h"

VM_REGISTER_INTERFACE(generated::AnimEnemyBullet, "generated.AnimEnemyBullet",
                      "..\\src\\generated_AnimEnemyBullet", nullptr);
