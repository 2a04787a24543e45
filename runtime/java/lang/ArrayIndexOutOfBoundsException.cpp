#include "java/lang/ArrayIndexOutOfBoundsException.h"

#include "java/lang/StringBuffer.h"

namespace java::lang {

VMPtr<ArrayIndexOutOfBoundsException> ArrayIndexOutOfBoundsException::init(int32_t index)
{
    VMPtr<StringBuffer> text = StringBuffer::newInstance();
    text->init("Array index out of range: ");
    text->append(index);
    return init(text->toString());
}

} // namespace java::lang

VM_REGISTER_CLASS(java::lang::ArrayIndexOutOfBoundsException, "java.lang.ArrayIndexOutOfBoundsException",
                  "java.lang.IndexOutOfBoundsException",
                  "target/winmo/pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException", nullptr);
