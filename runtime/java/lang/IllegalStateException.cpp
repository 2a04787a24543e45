#include "java/lang/IllegalStateException.h"

VM_REGISTER_CLASS(java::lang::IllegalStateException, "java.lang.IllegalStateException",
                  "java.lang.RuntimeException",
                  "target/winmo/pb_src/j2me/java_lang_IllegalStateException", nullptr);
