#include "java/lang/Runnable.h"

VM_REGISTER_INTERFACE(java::lang::Runnable, "java.lang.Runnable",
                      "target/winmo/pb_src/j2me/java_lang_Runnable", nullptr);
