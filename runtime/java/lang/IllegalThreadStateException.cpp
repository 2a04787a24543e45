#include "java/lang/IllegalThreadStateException.h"

VM_REGISTER_CLASS(java::lang::IllegalThreadStateException, "java.lang.IllegalThreadStateException",
                  "java.lang.IllegalArgumentException",
                  "target/winmo/pb_src/j2me/java_lang_IllegalThreadStateException", nullptr);
