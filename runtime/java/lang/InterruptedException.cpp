#include "java/lang/InterruptedException.h"

VM_REGISTER_CLASS(java::lang::InterruptedException, "java.lang.InterruptedException",
                  "java.lang.Exception",
                  "target/winmo/pb_src/j2me/java_lang_InterruptedException", nullptr);
