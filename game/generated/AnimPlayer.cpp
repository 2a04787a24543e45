#include "generated/AnimPlayer.h"

VM_REGISTER_INTERFACE(generated::AnimPlayer, "generated.AnimPlayer",
                      "..\\src\\generated_AnimPlayer", nullptr);
