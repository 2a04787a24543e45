#include "java/lang/IllegalArgumentException.h"

VM_REGISTER_CLASS(java::lang::IllegalArgumentException, "java.lang.IllegalArgumentException",
                  "java.lang.RuntimeException",
                  "target/winmo/pb_src/j2me/java_lang_IllegalArgumentException", nullptr);
