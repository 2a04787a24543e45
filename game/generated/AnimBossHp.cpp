#include "generated/AnimBossHp.h"

VM_REGISTER_INTERFACE(generated::AnimBossHp, "generated.AnimBossHp",
                      "..\\src\\generated_AnimBossHp", nullptr);
