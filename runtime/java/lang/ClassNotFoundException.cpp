#include "java/lang/ClassNotFoundException.h"

VM_REGISTER_CLASS(java::lang::ClassNotFoundException, "java.lang.ClassNotFoundException",
                  "java.lang.Exception",
                  "target/winmo/pb_src/j2me/java_lang_ClassNotFoundException", nullptr);
