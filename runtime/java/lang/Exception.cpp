#include "java/lang/Exception.h"

VM_REGISTER_CLASS(java::lang::Exception, "java.lang.Exception",
                  "java.lang.Throwable",
                  "target/winmo/pb_src/j2me/java_lang_Exception", nullptr);
