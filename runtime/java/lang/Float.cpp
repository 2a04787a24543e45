#include "java/lang/Float.h"

#include "java/lang/Double.h"

namespace java::lang {

// Widened to double, then the same conversion.
VMPtr<String> Float::toString(float value)
{
    _VM_clinit();
    return Double::toString(double(value));
}

} // namespace java::lang

VM_REGISTER_CLASS_NO_CREATOR(java::lang::Float, "java.lang.Float", "java.lang.Object",
                             "target/winmo/pb_src/j2me/java_lang_Float", nullptr);
