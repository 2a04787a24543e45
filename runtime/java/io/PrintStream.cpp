#include "java/io/PrintStream.h"

#include "java/io/IOException.h"
#include "java/io/OutputStreamWriter.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/String.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

namespace java::io {

using java::lang::String;

VMPtr<PrintStream> PrintStream::init(VMPtr<OutputStream> out)
{
    OutputStream::init();
    vm_nonNull(out);
    stream = out;
    writer = OutputStreamWriter::newInstance()->init(out);
    return VMPtr<PrintStream>(this);
}

template<class Body>
void PrintStream::guarded(Body body)
{
    VMSynchronized guard(this);
    if (!writer)
        vm_throwNew<java::lang::NullPointerException>();
    try {
        body();
    } catch (IOException* caught) {
        VMPtr<IOException> failure(caught);
        errorFlag = true;
    }
}

// ---- Bytes ------------------------------------------------------------------

void PrintStream::write(int32_t b)
{
    guarded([&] { stream->write(b); });
}

void PrintStream::write(VMPtr<ByteArray> b, int32_t off, int32_t len)
{
    guarded([&] { stream->write(b, off, len); });
}

void PrintStream::flush()
{
    guarded([&] { writer->flush(); });
}

void PrintStream::close()
{
    VMSynchronized guard(this);
    if (closing)
        return;
    closing = true;
    try {
        writer->close();
    } catch (IOException* caught) {
        VMPtr<IOException> failure(caught);
        errorFlag = true;
    }
    writer = nullptr;
    stream = nullptr;
}

bool PrintStream::checkError()
{
    if (writer)
        flush();
    return errorFlag;
}

// ---- Text -------------------------------------------------------------------

void PrintStream::writeText(VMPtr<String> s)
{
    guarded([&] { writer->write(s); });
}

void PrintStream::newLine()
{
    guarded([&] { writer->write(int32_t('\n')); });
}

void PrintStream::print(const char* text)
{
    guarded([&] {
        for (const char* at = text; *at; at++)
            stream->write(int32_t(*at));
    });
}

void PrintStream::print(VMPtr<String> s)
{
    writeText(s ? s : _VM_literal("null"));
}

void PrintStream::print(VMPtr<CharArray> chars)
{
    guarded([&] { writer->write(chars); });
}

void PrintStream::print(VMPtr<java::lang::Object> obj) { writeText(String::valueOf(obj)); }
void PrintStream::print(double d) { writeText(String::valueOf(d)); }
void PrintStream::print(float f) { writeText(String::valueOf(f)); }
void PrintStream::print(int64_t l) { writeText(String::valueOf(l)); }
void PrintStream::print(int32_t i) { writeText(String::valueOf(i)); }
void PrintStream::print(char16_t c) { writeText(String::valueOf(c)); }
void PrintStream::print(bool b) { writeText(String::valueOf(b)); }

// Each println holds the monitor across its print and the line end.
#define VX_PRINTLN_(Type)                                                                     \
    void PrintStream::println(Type value)                                                     \
    {                                                                                         \
        VMSynchronized guard(this);                                                           \
        print(value);                                                                         \
        newLine();                                                                            \
    }
VX_PRINTLN_(const char*)
VX_PRINTLN_(VMPtr<java::lang::Object>)
VX_PRINTLN_(VMPtr<String>)
VX_PRINTLN_(VMPtr<CharArray>)
VX_PRINTLN_(double)
VX_PRINTLN_(float)
VX_PRINTLN_(int64_t)
VX_PRINTLN_(int32_t)
VX_PRINTLN_(char16_t)
VX_PRINTLN_(bool)
#undef VX_PRINTLN_

void PrintStream::println()
{
    newLine();
}

} // namespace java::io

VM_REGISTER_CLASS_NO_CREATOR(java::io::PrintStream, "java.io.PrintStream", "java.io.OutputStream",
                             "target/winmo/pb_src/j2me/java_io_PrintStream", nullptr);
