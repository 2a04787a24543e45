#include "java/lang/Throwable.h"

#include "java/io/PrintStream.h"
#include "java/lang/StringBuffer.h"
#include "java/lang/System.h"
#include "java/lang/Thread.h"
#include "vm/VMStringLiterals.h"

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
    VMPtr<StringBuffer> line = StringBuffer::newInstance();
    line->init();
    VMPtr<Thread> thread = Thread::currentThread();
    if (thread) {
        line->append("Exception in thread \"");
        VMPtr<String> name = thread->getName();
        if (name)
            line->append(name);
        line->append("\" ");
    } else {
        line->append("Exception ");
    }
    VMPtr<String> text = getMessage();
    line->append(getClass()->getName());
    if (text) {
        line->append(": ");
        line->append(text);
    }
    _VM_printStackTraceText(line->toString());
    _VM_printStackTraceText(_VM_literal("    at <unknown>"));
}

} // namespace java::lang

// One line on the system error stream.
void _VM_printStackTraceText(VMPtr<java::lang::String> line)
{
    java::lang::System::err()->println(line);
}

VM_REGISTER_CLASS(java::lang::Throwable, "java.lang.Throwable",
                  "java.lang.Object",
                  "target/winmo/pb_src/j2me/java_lang_Throwable", nullptr);
