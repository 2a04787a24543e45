// Bitmap fonts: whatever glyph set the bytes make, RichFont refuses it with
// IllegalArgumentException or takes it with ascending codes, and then
// measures and draws any text under any anchor and transform without an
// exception.
//
// Byte 0: the glyph count (mod 24); then 8 bytes a glyph: xOffset, yOffset
// (the stored code difference, or the drawing offset when glyph 3's byte
// 7 is not 255), collisionX, collisionY, advance, image size (low and high
// nibble, 1 to 8 pixels), metric, and 1 spare; then the transform, the
// anchor and the text, two bytes a character.

#include <cstdint>

#include "FuzzSupport.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/Throwable.h"
#include "javax/microedition/lcdui/Image.h"
#include "tq/Gob.h"
#include "tq/util/text/RichFont.h"

namespace {

using tq::Gob;
using tq::util::text::RichFont;
using IntArray = VMArray<int32_t, 1>;
using CharArray = VMArray<char16_t, 1>;

constexpr size_t GLYPH_BYTES = 8;

VMPtr<Gob::GobArray> glyphsOf(const uint8_t* data, int32_t n)
{
    VMPtr<Gob::GobArray> set = Gob::GobArray::newArray(n);
    for (int32_t i = 0; i < n; i++) {
        const uint8_t* g = data + size_t(i) * GLYPH_BYTES;
        int32_t w = 1 + (g[5] & 7), h = 1 + (g[5] >> 4 & 7);
        VMPtr<IntArray> pixels = IntArray::newArray(w * h);
        for (int32_t p = 0; p < w * h; p++)
            (*pixels)[p] = int32_t(0xFF000000u | uint32_t(g[7]) << 8);
        VMPtr<Gob> glyph = Gob::create(pixels, w, h, true);
        glyph->xOffset = int8_t(g[0]);
        glyph->yOffset = int8_t(g[1]);
        glyph->collisionX = int8_t(g[2]);
        glyph->collisionY = int8_t(g[3]);
        glyph->collisionWidth = int16_t(g[4] & 0x3F);
        glyph->collisionHeight = int16_t(g[6]);
        set->set(i, glyph);
    }
    return set;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    int32_t n = data[0] % 24;
    size_t textAt = 1 + size_t(n) * GLYPH_BYTES + 2;
    if (size < textAt)
        return 0;
    VXFuzzVM vm;
    VMPtr<Gob::GobArray> set = glyphsOf(data + 1, n);
    VMPtr<RichFont> font = RichFont::newInstance()->initSystemFont();
    try {
        font->setGlyphs(set);
    } catch (java::lang::IllegalArgumentException* caught) {
        VMPtr<java::lang::IllegalArgumentException> keep(caught);
        VXFUZZ_CHECK(!font->isBitmapFont(), "a refused set was taken");
        return 0;
    } catch (java::lang::Throwable* caught) {
        vxfuzz_fail("setGlyphs threw " + vxfuzz_thrownClass(caught));
    }
    for (int32_t i = 1; i < n; i++) {
        VXFUZZ_CHECK(uint16_t(set->get(i - 1)->collisionX) < uint16_t(set->get(i)->collisionX),
                     "codes not ascending");
    }
    for (int32_t i = 0; i < n; i++)
        VXFUZZ_CHECK(font->getGlyph(char16_t(set->get(i)->collisionX)).get() == set->get(i).get(),
                     "a glyph not found by its code");

    int32_t transform = data[textAt - 2] & 7;
    int32_t anchor = data[textAt - 1];
    int32_t len = int32_t((size - textAt) / 2);
    VMPtr<CharArray> chars = CharArray::newArray(len);
    for (int32_t i = 0; i < len; i++)
        (*chars)[i] = char16_t(data[textAt + size_t(2 * i)] << 8 | data[textAt + size_t(2 * i) + 1]);
    try {
        font->setTransform(transform);
        font->charsWidth(chars, 0, len);
        font->setTrimTop(true);
        font->charsHeight(chars, 0, len);
        VMPtr<IntArray> bounds = IntArray::newArray(4);
        font->getCharsBounds(chars, 0, len, 32, 32, bounds, anchor);
        VMPtr<javax::microedition::lcdui::Image> image =
            javax::microedition::lcdui::Image::createImage(64, 64, false, -1);
        font->drawChars(image->getGraphics(), chars, 0, len, 32, 32, anchor);
    } catch (java::lang::Throwable* caught) {
        vxfuzz_fail("measuring or drawing threw " + vxfuzz_thrownClass(caught));
    }
    return 0;
}
