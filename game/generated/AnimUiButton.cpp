#include "generated/AnimUiButton.h"

VM_REGISTER_INTERFACE(generated::AnimUiButton, "generated.AnimUiButton",
                      "..\\src\\generated_AnimUiButton", nullptr);
