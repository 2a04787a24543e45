#include "generated/AnimDifficultlyStar.h"

VM_REGISTER_INTERFACE(generated::AnimDifficultlyStar, "generated.AnimDifficultlyStar",
                      "..\\src\\generated_AnimDifficultlyStar", nullptr);
