#include "java/lang/ClassCastException.h"

VM_REGISTER_CLASS(java::lang::ClassCastException, "java.lang.ClassCastException",
                  "java.lang.RuntimeException",
                  "target/winmo/pb_src/j2me/java_lang_ClassCastException", nullptr);
