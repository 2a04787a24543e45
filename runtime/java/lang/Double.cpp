#include "java/lang/Double.h"

#include <cstdio>

namespace java::lang {

VMPtr<String> Double::toString(double value)
{
    _VM_clinit();
    char text[32];
    std::snprintf(text, sizeof text, "%G", value);
    return String::newFromCString(text);
}

} // namespace java::lang

VM_REGISTER_CLASS_NO_CREATOR(java::lang::Double, "java.lang.Double", "java.lang.Object",
                             "target/winmo/pb_src/j2me/java_lang_Double", nullptr);
