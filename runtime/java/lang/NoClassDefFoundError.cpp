#include "java/lang/NoClassDefFoundError.h"

VM_REGISTER_CLASS(java::lang::NoClassDefFoundError, "java.lang.NoClassDefFoundError",
                  "java.lang.Error",
                  "target/winmo/pb_src/j2me/java_lang_NoClassDefFoundError", nullptr);
