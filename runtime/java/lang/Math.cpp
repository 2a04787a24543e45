#include "java/lang/Math.h"

VM_REGISTER_CLASS_NO_CREATOR(java::lang::Math, "java.lang.Math", "java.lang.Object",
                             "target/winmo/pb_src/j2me/java_lang_Math", nullptr);
