#include "java/lang/NegativeArraySizeException.h"

VM_REGISTER_CLASS(java::lang::NegativeArraySizeException, "java.lang.NegativeArraySizeException",
                  "java.lang.RuntimeException",
                  "target/winmo/pb_src/j2me/java_lang_NegativeArraySizeException", nullptr);
