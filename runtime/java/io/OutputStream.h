#pragma once
// java.io.OutputStream: the byte-output base. Subclasses supply write(int);
// the array forms write byte by byte through it.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace java::io {

class OutputStream : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(OutputStream, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;

    VMPtr<OutputStream> init();

    // len bytes of b from off. A null b throws NullPointerException, a range
    // outside b IndexOutOfBoundsException (before anything is written).
    virtual void write(VMPtr<ByteArray> b, int32_t off, int32_t len);
    virtual void write(VMPtr<ByteArray> b);
    // The low 8 bits of b.
    virtual void write(int32_t b) = 0;
    virtual void flush();
    virtual void close();
};

} // namespace java::io
