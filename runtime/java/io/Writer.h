#pragma once
// java.io.Writer: the character-output base. Writes serialise on lock's
// monitor (the writer itself); Strings and single characters pass through a
// 1024-character buffer made on first use.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace java::lang { class String; }

namespace java::io {

class Writer : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(Writer, java::lang::Object)

    using CharArray = VMArray<char16_t, 1>;

    VMPtr<Writer> init();

    // A null s throws NullPointerException; a range outside s
    // StringIndexOutOfBoundsException.
    virtual void write(VMPtr<java::lang::String> s, int32_t off, int32_t len);
    virtual void write(VMPtr<java::lang::String> s);
    virtual void write(VMPtr<CharArray> a, int32_t off, int32_t len) = 0;
    virtual void write(VMPtr<CharArray> a);
    virtual void write(int32_t c);
    virtual void flush() = 0;
    virtual void close() = 0;


    VMField<java::lang::Object> lock;
    VMField<CharArray> charBuffer;

protected:
    static constexpr int32_t kBufferChars = 1024;
    CharArray* buffer();

    VM_FIELDS(lock, charBuffer)
};

} // namespace java::io
