#include "tq/io/FastInputStream.h"

#include <algorithm>

#include "java/io/IOException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/System.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

namespace tq::io {

VMPtr<FastInputStream> FastInputStream::init(VMPtr<java::io::InputStream> in)
{
    InputStream::init();
    source = in;
    buffer = ByteArray::newArray(BUFFER_SIZE);
    return VMPtr<FastInputStream>(this);
}

void FastInputStream::fill()
{
    if (closed)
        vm_throwNew<java::io::IOException>(_VM_literal("InputStream closed"));
    if (end)
        return;
    VMPtr<java::io::InputStream> in(source);
    VMPtr<ByteArray> block(buffer);
    while (count == 0) {
        position = 0;
        count = in->read(block, 0, BUFFER_SIZE);
        if (count == -1) {
            count = 0;
            end = true;
            return;
        }
    }
}

int32_t FastInputStream::read()
{
    fill();
    if (end && count == 0)
        return -1;
    int32_t b = uint8_t(buffer->elements()[position]);
    position++;
    count--;
    return b;
}

int32_t FastInputStream::read(VMPtr<ByteArray> b, int32_t off, int32_t len)
{
    fill();
    if (end && count == 0)
        return -1;
    int32_t k = std::min(len, count);
    java::lang::System::arraycopy(VMPtr<ByteArray>(buffer), position, b, off, k);
    position += k;
    count -= k;
    return k;
}

int64_t FastInputStream::skip(int64_t n)
{
    if (n <= 0)
        return 0;
    int64_t remaining = n;
    do {
        fill();
        int32_t k = int32_t(std::min<int64_t>(count, remaining));
        remaining -= k;
        position += k;
        count -= k;
    } while (!end && remaining > 0);
    return n - remaining;
}

int32_t FastInputStream::available()
{
    return count;
}

void FastInputStream::close()
{
    closed = true;
    if (source) {
        VMPtr<java::io::InputStream> in(source);
        source = nullptr;
        in->close();
    }
    buffer = nullptr;
}

void FastInputStream::mark(int32_t)
{
    VMSynchronized guard(this);
}

void FastInputStream::reset()
{
    VMSynchronized guard(this);
}

bool FastInputStream::markSupported()
{
    return false;
}

int32_t FastInputStream::drainTo(VMPtr<java::io::OutputStream> out)
{
    fill();
    if (end && count == 0)
        return -1;
    int32_t k = count;
    if (k > 0)
        out->write(VMPtr<ByteArray>(buffer), position, k);
    position = 0;
    count = 0;
    return k;
}

} // namespace tq::io

VM_REGISTER_CLASS_NO_CREATOR(tq::io::FastInputStream, "tq.io.FastInputStream",
                             "java.io.InputStream", "..\\src\\tq_io_FastInputStream", nullptr);
