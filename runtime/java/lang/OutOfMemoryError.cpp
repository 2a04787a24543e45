#include "java/lang/OutOfMemoryError.h"

VM_REGISTER_CLASS(java::lang::OutOfMemoryError, "java.lang.OutOfMemoryError",
                  "java.lang.VirtualMachineError",
                  "target/winmo/pb_src/j2me/java_lang_OutOfMemoryError", nullptr);
