#include "java/lang/ArrayIndexOutOfBoundsException.h"

namespace java::lang {

VMPtr<ArrayIndexOutOfBoundsException> ArrayIndexOutOfBoundsException::init(int32_t index)
{
    return init(indexMessage("Array index out of range: ", index));
}

} // namespace java::lang

VM_REGISTER_CLASS(java::lang::ArrayIndexOutOfBoundsException,
                  "java.lang.ArrayIndexOutOfBoundsException",
                  "java.lang.IndexOutOfBoundsException",
                  "target/winmo/pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException", nullptr);
