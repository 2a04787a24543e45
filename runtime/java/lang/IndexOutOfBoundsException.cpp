#include "java/lang/IndexOutOfBoundsException.h"

VM_REGISTER_CLASS(java::lang::IndexOutOfBoundsException, "java.lang.IndexOutOfBoundsException",
                  "java.lang.RuntimeException",
                  "target/winmo/pb_src/j2me/java_lang_IndexOutOfBoundsException", nullptr);
