#include "generated/Texts.h"

VM_REGISTER_INTERFACE(generated::Texts, "generated.Texts",
                      "..\\src\\generated_Texts", nullptr);
