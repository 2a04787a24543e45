#include "java/lang/SecurityException.h"

VM_REGISTER_CLASS(java::lang::SecurityException, "java.lang.SecurityException",
                  "java.lang.RuntimeException",
                  "target/winmo/pb_src/j2me/java_lang_SecurityException", nullptr);
