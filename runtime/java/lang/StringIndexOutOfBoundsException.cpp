#include "java/lang/StringIndexOutOfBoundsException.h"

namespace java::lang {

VMPtr<StringIndexOutOfBoundsException> StringIndexOutOfBoundsException::init(int32_t index)
{
    return init(indexMessage("String index out of range: ", index));
}

} // namespace java::lang

VM_REGISTER_CLASS(java::lang::StringIndexOutOfBoundsException,
                  "java.lang.StringIndexOutOfBoundsException",
                  "java.lang.IndexOutOfBoundsException",
                  "target/winmo/pb_src/j2me/java_lang_StringIndexOutOfBoundsException", nullptr);
