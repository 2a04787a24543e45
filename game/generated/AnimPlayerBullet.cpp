#include "generated/AnimPlayerBullet.h"

VM_REGISTER_INTERFACE(generated::AnimPlayerBullet, "generated.AnimPlayerBullet",
                      "..\\src\\generated_AnimPlayerBullet", nullptr);
