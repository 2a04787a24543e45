#pragma once
// java.io.PrintStream: text and bytes to an OutputStream, characters as
// UTF-8 through an OutputStreamWriter. Every operation holds the stream's
// monitor, so one println is never interleaved with other output. An
// IOException from below sets the error flag and is not passed on; after
// close() every operation throws NullPointerException.

#include <cstdint>

#include "java/io/OutputStream.h"
#include "java/io/OutputStreamWriter.h"

namespace java::lang { class String; }

namespace java::io {

class PrintStream : public OutputStream {
    VM_CLASS(PrintStream, OutputStream)

    using CharArray = VMArray<char16_t, 1>;

    // A null out throws NullPointerException.
    VMPtr<PrintStream> init(VMPtr<OutputStream> out);

    using OutputStream::write;
    void write(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    void write(int32_t b) override;
    void flush() override;
    // A second close does nothing.
    void close() override;
    // Flushes an open stream; true once a write failed.
    virtual bool checkError();

    // A NUL-terminated 8-bit text, byte by byte, not through the writer.
    virtual void print(const char* text);
    // String.valueOf of the value; null prints "null".
    virtual void print(VMPtr<java::lang::Object> obj);
    virtual void print(VMPtr<java::lang::String> s);
    virtual void print(VMPtr<CharArray> chars);
    virtual void print(double d);
    virtual void print(float f);
    virtual void print(int64_t l);
    virtual void print(int32_t i);
    virtual void print(char16_t c);
    virtual void print(bool b);
    // A plain char is neither a Java char nor an int: write u'x' or a number.
    void print(char) = delete;

    // The matching print, then a line end ('\n'), under one hold of the
    // monitor.
    virtual void println(const char* text);
    virtual void println(VMPtr<java::lang::Object> obj);
    virtual void println(VMPtr<java::lang::String> s);
    virtual void println(VMPtr<CharArray> chars);
    virtual void println(double d);
    virtual void println(float f);
    virtual void println(int64_t l);
    virtual void println(int32_t i);
    virtual void println(char16_t c);
    virtual void println(bool b);
    void println(char) = delete;
    virtual void println();
    virtual void setError() { errorFlag = true; }


    bool errorFlag = false;
    bool closing = false;
    VMField<OutputStreamWriter> writer;
    VMField<OutputStream> stream;

private:
    // Runs body under the monitor on an open stream; an IOException sets
    // the error flag.
    template<class Body>
    void guarded(Body body);
    void writeText(VMPtr<java::lang::String> s);
    void newLine();

    VM_FIELDS(writer, stream)
};

} // namespace java::io
