// Big-endian writers of the static output buffer and the range check shared
// by the canvas's byte-array services.
#include "tq/TqCanvas.h"

#include <climits>

#include "java/lang/NullPointerException.h"
#include "vm/VMException.h"

namespace tq {

void TqCanvas::writeBE(uint32_t v, int32_t count)
{
    // The low `count` bytes reversed, then stored low byte first.
    uint32_t reversed = __builtin_bswap32(v) >> (32 - 8 * count);
    writeLE(reversed, count);
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
