#include "java/lang/ArrayStoreException.h"

VM_REGISTER_CLASS(java::lang::ArrayStoreException, "java.lang.ArrayStoreException",
                  "java.lang.RuntimeException",
                  "target/winmo/pb_src/j2me/java_lang_ArrayStoreException", nullptr);
