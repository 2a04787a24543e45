// Big-endian writers of the static output buffer and the range check shared
// by the canvas's byte-array services.
#include "tq/TqCanvas.h"

#include <climits>

#include "java/lang/NullPointerException.h"
#include "vm/VMException.h"

namespace tq {

void TqCanvas::writeBE(uint32_t v, int32_t count)
{
    VMPtr<ByteArray> out(staticOutput);
    // The last byte first: a write past the end stores nothing.
    (void)(*out)[staticOutputPosition + count - 1];
    for (int32_t i = 0; i < count; i++)
        (*out)[staticOutputPosition + i] = int8_t(v >> (8 * (count - 1 - i)));
    staticOutputPosition += count;
}

void TqCanvas::pngWriteShort(int32_t v)
{
    writeBE(uint32_t(v), 2);
}

void TqCanvas::pngWriteInt(int32_t v)
{
    writeBE(uint32_t(v), 4);
}

void TqCanvas::writeBoolean(bool b)
{
    pngWriteByte(b ? 1 : 0);
}

void TqCanvas::checkRange(VMPtr<ByteArray> a, int32_t offset, int32_t length)
{
    if (length <= 0)
        return;
    vm_nonNull(a)->checkIndex(offset);
    // offset + length - 1 in 64 bits: a huge length must not wrap into range.
    int64_t last = int64_t(offset) + length - 1;
    a->checkIndex(last > INT32_MAX ? INT32_MAX : int32_t(last));
}

} // namespace tq
