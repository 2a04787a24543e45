#include "java/lang/NullPointerException.h"

void _VM_throwNullPointer()
{
    vm_throwNew<java::lang::NullPointerException>();
}

VM_REGISTER_CLASS(java::lang::NullPointerException, "java.lang.NullPointerException",
                  "java.lang.RuntimeException",
                  "target/winmo/pb_src/j2me/java_lang_NullPointerException", nullptr);
