#include "java/lang/NumberFormatException.h"

VM_REGISTER_CLASS(java::lang::NumberFormatException, "java.lang.NumberFormatException",
                  "java.lang.IllegalArgumentException",
                  "target/winmo/pb_src/j2me/java_lang_NumberFormatException", nullptr);
