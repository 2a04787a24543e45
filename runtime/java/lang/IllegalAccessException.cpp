#include "java/lang/IllegalAccessException.h"

VM_REGISTER_CLASS(java::lang::IllegalAccessException, "java.lang.IllegalAccessException",
                  "java.lang.Exception",
                  "target/winmo/pb_src/j2me/java_lang_IllegalAccessException", nullptr);
