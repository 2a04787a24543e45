#include "java/lang/RuntimeException.h"

VM_REGISTER_CLASS(java::lang::RuntimeException, "java.lang.RuntimeException",
                  "java.lang.Exception",
                  "target/winmo/pb_src/j2me/java_lang_RuntimeException", nullptr);
