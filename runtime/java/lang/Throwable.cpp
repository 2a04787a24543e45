#include "java/lang/Throwable.h"

#include <cstdio>

#include "java/lang/StringBuffer.h"
#include "vm/VMCString.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMUtf8.h"

namespace java::lang {

VMPtr<Throwable> Throwable::init()
{
    Object::init();
    return VMPtr<Throwable>(this);
}

VMPtr<Throwable> Throwable::init(VMPtr<String> message)
{
    Object::init();
    this->message = message;
    return VMPtr<Throwable>(this);
}

VMPtr<String> Throwable::getMessage()
{
    return VMPtr<String>(message.get());
}

VMPtr<String> Throwable::toString()
{
    VMPtr<String> name = getClass()->getName();
    VMPtr<String> text = getMessage();
    if (!text)
        return name;
    VMPtr<StringBuffer> buffer = StringBuffer::newInstance();
    buffer->init();
    buffer->append(name);
    buffer->append(": ");
    buffer->append(text);
    return buffer->toString();
}

void Throwable::printStackTrace()
{
    VMPtr<String> text = getMessage();
    VMPtr<StringBuffer> line = StringBuffer::newInstance();
    line->init("Exception ");
    line->append(getClass()->getName());
    if (text) {
        line->append(": ");
        line->append(text);
    }
    _VM_printStackTraceText(line->toString());
    _VM_printStackTraceText(_VM_literal("    at <unknown>"));
}

void Throwable::markReferences(uint32_t bits)
{
    Object::markReferences(bits);
    _VM_markField(message, bits);
}

} // namespace java::lang

// Until the console streams exist the trace goes to standard output, one
// UTF-8 line at a time.
void _VM_printStackTraceText(VMPtr<java::lang::String> line)
{
    VMCString text;
    _VM_stringToCString(line, &text);
    std::fputs(text.text() ? text.text() : "", stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

VM_REGISTER_CLASS(java::lang::Throwable, "java.lang.Throwable",
                  "java.lang.Object",
                  "target/winmo/pb_src/j2me/java_lang_Throwable", nullptr);
