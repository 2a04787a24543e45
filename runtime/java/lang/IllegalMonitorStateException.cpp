#include "java/lang/IllegalMonitorStateException.h"

VM_REGISTER_CLASS(java::lang::IllegalMonitorStateException,
                  "java.lang.IllegalMonitorStateException",
                  "java.lang.RuntimeException",
                  "target/winmo/pb_src/j2me/java_lang_IllegalMonitorStateException", nullptr);
