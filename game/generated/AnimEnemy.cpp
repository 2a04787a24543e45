#include "generated/AnimEnemy.h"

VM_REGISTER_INTERFACE(generated::AnimEnemy, "generated.AnimEnemy",
                      "..\\src\\generated_AnimEnemy", nullptr);
