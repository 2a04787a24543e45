#include "generated/RP.h"

VM_REGISTER_INTERFACE(generated::RP, "generated.RP",
                      "..\\src\\generated_RP", nullptr);
