#include "tq/TqCanvas.h"

#include <algorithm>
#include <unordered_map>

#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq {

using java::lang::Thread;
using javax::microedition::lcdui::Image;

namespace {

// Platform key code of each game key (others 0).
constexpr struct {
    int32_t key;
    int32_t code;
} kKeyBindings[] = {
    {1, -1},  {2, -3},  {3, '#'},  {5, -4},  {6, -2},
    {8, 13},  {9, -10}, {10, '*'}, {15, -9}, {26, -11},
};

} // namespace

void TqCanvas::staticInit()
{
    VMPtr<IntArray> codes = IntArray::newArray(64);
    for (auto binding : kKeyBindings)
        (*codes)[binding.key] = binding.code;
    for (int32_t digit = 0; digit <= 9; digit++)
        (*codes)[16 + digit] = '0' + digit;
    keyCodes = codes;
    countdownValue = 63;
}

VMPtr<TqCanvas> TqCanvas::init(VMPtr<MIDlet> owner)
{
    GameCanvas::init(false);
    keyLock = java::lang::Object::newInstance();
    collectingKeys = ByteArray::newArray(128);
    frameKeys = ByteArray::newArray(128);
    initNetwork();
    pressedMask = heldMask = releasedMask = MASK_UNKNOWN;
    frameTime = 10;
    minFrameTime = 10;
    maxFrameTime = 100;
    frameTimeBoundA = 10;
    frameTimeBoundB = 100;
    requestedViewportWidth = -1;
    requestedViewportHeight = -1;
    requestedActivity = ACTIVITY_NONE;
    activityState = ACTIVITY_RESUME;
    setFullScreenMode(true);
    instance = this;
    midlet = owner;
    applicationState = STATE_CREATED;
    started = false;
    VMPtr<Thread> thread = Thread::newInstance()->init(VMPtr<java::lang::Runnable>(this));
    canvasThread = thread;
    thread->start();
    recomputeFrameTimeBounds();
    refreshScreenSize();
    return VMPtr<TqCanvas>(this);
}

void TqCanvas::appendNumber(VMPtr<java::lang::StringBuffer> sb, int32_t value)
{
    vm_nonNull(sb)->append(value);
}

void TqCanvas::insertPaddedNumber(VMPtr<java::lang::StringBuffer> sb, int32_t value,
                                  int32_t minDigits, int32_t offset)
{
    // Digits of the magnitude, least significant first; the most negative
    // value keeps its sign through unsigned arithmetic.
    char digits[16];
    int32_t n = 0;
    uint32_t magnitude = value < 0 ? 0u - uint32_t(value) : uint32_t(value);
    // The padding rule looks at -value for a negative value (wrapping for the
    // most negative one, which is padded).
    bool padded = int32_t(magnitude) < 65536;
    do {
        digits[n++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    // Any padding fits: the text is made on the VM heap at its full length.
    int32_t pad = padded && minDigits > n ? minDigits - n : 0;
    int32_t sign = value < 0 ? 1 : 0;
    VMPtr<java::lang::String::CharArray> text =
        java::lang::String::CharArray::newArray(int32_t(int64_t(sign) + pad + n));
    char16_t* out = text->elements();
    if (sign)
        *out++ = u'-';
    out = std::fill_n(out, pad, u'0');
    while (n > 0)
        *out++ = char16_t(digits[--n]);
    vm_nonNull(sb)->insert(offset, java::lang::String::newInstance()->init(text, 0, text->length));
}

int32_t TqCanvas::readByte()
{
    int32_t b = (*VMPtr<ByteArray>(staticInput))[staticInputPosition];
    staticInputPosition++;
    return b;
}

int32_t TqCanvas::readInt()
{
    VMPtr<ByteArray> in(staticInput);
    uint32_t v = 0;
    for (int32_t i = 0; i < 4; i++)
        v = (v << 8) | uint8_t((*in)[staticInputPosition + i]);
    staticInputPosition += 4;
    return int32_t(v);
}

bool TqCanvas::readBoolean()
{
    return readByte() != 0;
}

void TqCanvas::writeLE(uint32_t v, int32_t count)
{
    VMPtr<ByteArray> out(staticOutput);
    // The last byte first: a write past the end stores nothing.
    (void)(*out)[staticOutputPosition + count - 1];
    for (int32_t i = 0; i < count; i++)
        (*out)[staticOutputPosition + i] = int8_t(v >> (8 * i));
    staticOutputPosition += count;
}

void TqCanvas::pngWriteByte(int32_t b)
{
    writeLE(uint32_t(b), 1);
}

void TqCanvas::writeShortLE(int32_t v)
{
    writeLE(uint32_t(v), 2);
}

void TqCanvas::writeIntLE(int32_t v)
{
    writeLE(uint32_t(v), 4);
}

VMPtr<Image> TqCanvas::createImageFrom(VMPtr<IntArray> argb, int32_t width, int32_t height,
                                       bool processAlpha)
{
    return createRGBImage(argb, width, height, processAlpha);
}

void TqCanvas::getRGB(VMPtr<Image> image, VMPtr<IntArray> rgb, int32_t offset,
                      int32_t scanlength, int32_t x, int32_t y, int32_t width, int32_t height)
{
    vm_nonNull(image)->getRGB(rgb, offset, scanlength, x, y, width, height);
}

int32_t TqCanvas::getTransparencyType(VMPtr<IntArray> argb, int32_t offset, int32_t scanlength,
                                      int32_t x, int32_t y, int32_t width, int32_t height)
{
    bool someClear = false;
    for (int32_t row = 0; row < height; row++) {
        int32_t start = offset + (y + row) * scanlength + x;
        for (int32_t i = 0; i < width; i++) {
            uint32_t top = uint32_t((*argb)[start + i]) >> 28;
            if (top == 0)
                someClear = true;
            else if (top != 0xF)
                return 3;
        }
    }
    return someClear ? 2 : 1;
}

bool TqCanvas::hasTranslucentPixels(VMPtr<IntArray> argb)
{
    const int32_t* pixels = vm_nonNull(argb)->elements();
    for (int32_t i = argb->length - 1; i >= 0; i--) {
        if ((uint32_t(pixels[i]) >> 28) != 0xF)
            return true;
    }
    return false;
}

VMPtr<TqCanvas::ByteArray> TqCanvas::toPalettedIndices(VMPtr<Image> image, VMPtr<IntArray> palette)
{
    int32_t width = vm_nonNull(image)->getWidth();
    int32_t height = image->getHeight();
    int32_t capacity = vm_nonNull(palette)->length;
    VMPtr<IntArray> pixels = IntArray::newArray(width * height);
    image->getRGB(pixels, 0, width, 0, 0, width, height);
    VMPtr<ByteArray> indices = ByteArray::newArray(width * height);
    std::unordered_map<uint32_t, int32_t> seen;
    int32_t used = 0;
    int32_t key = -1;
    const int32_t* p = pixels->elements();
    int8_t* out = indices->elements();
    for (int32_t i = 0; i < width * height; i++) {
        auto [it, added] = seen.try_emplace(uint32_t(p[i]), used);
        if (added) {
            if (used == capacity)
                _VM_throwArrayIndex(capacity); // as palette[capacity] would
            palette->elements()[used] = p[i];
            if ((uint32_t(p[i]) & 0xF0F0F0) == 0xF000F0)
                key = used;
            used++;
        }
        out[i] = int8_t(it->second);
    }
    if (key > 0) {
        std::swap(palette->elements()[0], palette->elements()[key]);
        for (int32_t i = 0; i < width * height; i++) {
            if (out[i] == 0)
                out[i] = int8_t(key);
            else if (out[i] == int8_t(key))
                out[i] = 0;
        }
    }
    return indices;
}

} // namespace tq

VM_REGISTER_ABSTRACT_CLASS(tq::TqCanvas, "tq.TqCanvas", "javax.microedition.lcdui.game.GameCanvas",
                           "..\\src\\tq_TqCanvas", &tq::TqCanvas::staticInit);
VM_IMPLEMENTS(tq::TqCanvas, "java.lang.Runnable");
