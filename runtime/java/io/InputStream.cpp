#include "java/io/InputStream.h"

#include <algorithm>

#include "java/io/IOException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/NullPointerException.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

namespace java::io {

void _VM_checkRange(int32_t length, int32_t off, int32_t len)
{
    int32_t end = off + len; // wraps negative on overflow (-fwrapv)
    if (off < 0 || off > length || len < 0 || end > length || end < 0)
        vm_throwNew<java::lang::IndexOutOfBoundsException>();
}

VMPtr<InputStream> InputStream::init()
{
    Object::init();
    return VMPtr<InputStream>(this);
}

int32_t InputStream::read(VMPtr<ByteArray> b, int32_t off, int32_t len)
{
    _VM_checkRange(vm_nonNull(b)->length, off, len);
    if (len == 0)
        return 0;
    int32_t c = read();
    if (c == -1)
        return -1;
    (*b)[off] = static_cast<int8_t>(c);
    int32_t i = 1;
    try {
        for (; i < len; i++) {
            c = read();
            if (c == -1)
                break;
            (*b)[off + i] = static_cast<int8_t>(c);
        }
    } catch (IOException* caught) {
        VMPtr<IOException> ignored(caught);
    }
    return i;
}

int32_t InputStream::read(VMPtr<ByteArray> b)
{
    return read(b, 0, vm_nonNull(b)->length);
}

int64_t InputStream::skip(int64_t n)
{
    int64_t skipped = 0;
    while (skipped < n && read() >= 0)
        skipped++;
    return skipped;
}

int32_t InputStream::available()
{
    return 0;
}

void InputStream::close() {}

void InputStream::mark(int32_t) {}

void InputStream::reset()
{
    VMSynchronized guard(this);
    vm_throwNew<IOException>(_VM_literal("mark/reset not supported"));
}

bool InputStream::markSupported()
{
    return false;
}

int32_t InputStream::readBytes(uint8_t* to, int32_t count)
{
    int32_t got = count;
    for (int32_t i = 0; i < count; i++) {
        int32_t b = read();
        if (b < 0)
            got = std::min(got, i);
        else
            to[i] = uint8_t(b);
    }
    return got;
}

} // namespace java::io

VM_REGISTER_ABSTRACT_CLASS(java::io::InputStream, "java.io.InputStream", "java.lang.Object",
                           "target/winmo/pb_src/j2me/java_io_InputStream", nullptr);
