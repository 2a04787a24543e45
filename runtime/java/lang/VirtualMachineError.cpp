#include "java/lang/VirtualMachineError.h"

VM_REGISTER_CLASS(java::lang::VirtualMachineError, "java.lang.VirtualMachineError",
                  "java.lang.Error",
                  "target/winmo/pb_src/j2me/java_lang_VirtualMachineError", nullptr);
