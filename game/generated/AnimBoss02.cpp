#include "generated/AnimBoss02.h"

VM_REGISTER_INTERFACE(generated::AnimBoss02, "generated.AnimBoss02",
                      "..\\src\\generated_AnimBoss02", nullptr);
