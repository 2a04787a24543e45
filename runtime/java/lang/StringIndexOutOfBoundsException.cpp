#include "java/lang/StringIndexOutOfBoundsException.h"

#include "java/lang/StringBuffer.h"

namespace java::lang {

VMPtr<StringIndexOutOfBoundsException> StringIndexOutOfBoundsException::init(int32_t index)
{
    VMPtr<StringBuffer> text = StringBuffer::newInstance();
    text->init("String index out of range: ");
    text->append(index);
    return init(text->toString());
}

} // namespace java::lang

VM_REGISTER_CLASS(java::lang::StringIndexOutOfBoundsException, "java.lang.StringIndexOutOfBoundsException",
                  "java.lang.IndexOutOfBoundsException",
                  "target/winmo/pb_src/j2me/java_lang_StringIndexOutOfBoundsException", nullptr);
