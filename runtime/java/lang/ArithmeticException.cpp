#include "java/lang/ArithmeticException.h"

VM_REGISTER_CLASS(java::lang::ArithmeticException, "java.lang.ArithmeticException",
                  "java.lang.RuntimeException",
                  "target/winmo/pb_src/j2me/java_lang_ArithmeticException", nullptr);
