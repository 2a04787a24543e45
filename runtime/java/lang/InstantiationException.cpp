#include "java/lang/InstantiationException.h"

VM_REGISTER_CLASS(java::lang::InstantiationException, "java.lang.InstantiationException",
                  "java.lang.Exception",
                  "target/winmo/pb_src/j2me/java_lang_InstantiationException", nullptr);
