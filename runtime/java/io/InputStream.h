#pragma once
// java.io.InputStream: the byte-input base. Subclasses supply read(); the
// other operations have defaults built on it.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace java::io {

class InputStream : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(InputStream, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;

    VMPtr<InputStream> init();

    // Up to len bytes into b from off; the count read, or -1 at the end. A
    // null b throws NullPointerException, a range outside b
    // IndexOutOfBoundsException. An IOException after the first byte ends the
    // read with the bytes so far.
    virtual int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len);
    virtual int32_t read(VMPtr<ByteArray> b);
    // The next byte as 0 .. 255, or -1 at the end.
    virtual int32_t read() = 0;
    // Reads and drops up to n bytes; returns how many.
    virtual int64_t skip(int64_t n);
    virtual int32_t available();
    virtual void close();
    virtual void mark(int32_t readlimit);
    // Throws IOException("mark/reset not supported").
    virtual void reset();
    virtual bool markSupported();

    // Makes count calls of read() into to; returns how many bytes came before
    // the end. The streams over memory and files copy at once instead, but
    // only while read() is their own (a subclass that overrides read() is
    // called byte by byte).
    virtual int32_t readBytes(uint8_t* to, int32_t count);
};

// Throws IndexOutOfBoundsException unless off .. off + len lies within an
// array of length elements (an overflowing sum fails too).
void _VM_checkRange(int32_t length, int32_t off, int32_t len);

} // namespace java::io
