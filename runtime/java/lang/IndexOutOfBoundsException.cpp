#include "java/lang/IndexOutOfBoundsException.h"

#include "java/lang/StringBuffer.h"

namespace java::lang {

VMPtr<String> IndexOutOfBoundsException::indexMessage(const char* prefix, int32_t index)
{
    VMPtr<StringBuffer> text = StringBuffer::newInstance();
    text->init(prefix);
    text->append(index);
    return text->toString();
}

} // namespace java::lang

VM_REGISTER_CLASS(java::lang::IndexOutOfBoundsException, "java.lang.IndexOutOfBoundsException",
                  "java.lang.RuntimeException",
                  "target/winmo/pb_src/j2me/java_lang_IndexOutOfBoundsException", nullptr);
