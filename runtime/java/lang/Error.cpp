#include "java/lang/Error.h"

VM_REGISTER_CLASS(java::lang::Error, "java.lang.Error",
                  "java.lang.Throwable",
                  "target/winmo/pb_src/j2me/java_lang_Error", nullptr);
