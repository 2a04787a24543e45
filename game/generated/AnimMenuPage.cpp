#include "generated/AnimMenuPage.h"

VM_REGISTER_INTERFACE(generated::AnimMenuPage, "generated.AnimMenuPage",
                      "..\\src\\generated_AnimMenuPage", nullptr);
