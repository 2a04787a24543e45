#include <vector>

#include <gtest/gtest.h>

#include "engine/support/EngineBytes.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/TqCanvas.h"

using java::lang::StringBuffer;
using tq::TqCanvas;
using IntArray = TqCanvas::IntArray;

namespace {

class TqCanvasStaticsTest : public VMFixture {};

VMPtr<IntArray> ints(const std::vector<uint32_t>& v)
{
    VMPtr<IntArray> a = IntArray::newArray(int32_t(v.size()));
    for (size_t i = 0; i < v.size(); i++)
        (*a)[int32_t(i)] = int32_t(v[i]);
    return a;
}

TEST_F(TqCanvasStaticsTest, NumbersAreAppendedAndInsertedPadded)
{
    struct Case {
        int32_t value;
        int32_t minDigits;
        const char* expected;
    } cases[] = {
        {7, 3, "ab007c"},          {-7, 3, "ab-007c"},     {1234, 2, "ab1234c"},
        {65535, 7, "ab0065535c"},  {65536, 7, "ab65536c"}, {0, 0, "ab0c"},
        {-70000, 8, "ab-70000c"},   {-65535, 6, "ab-065535c"},
        {INT32_MIN, 1, "ab-2147483648c"},
        {5, 40, "ab0000000000000000000000000000000000000005c"},
    };
    for (const Case& c : cases) {
        VMPtr<StringBuffer> sb = StringBuffer::newInstance()->init("abc");
        TqCanvas::insertPaddedNumber(sb, c.value, c.minDigits, 2);
        EXPECT_EQ(vmText(sb->toString()), c.expected) << c.value;
    }
    VMPtr<StringBuffer> sb = StringBuffer::newInstance()->init("/RP");
    TqCanvas::appendNumber(sb, 12);
    EXPECT_EQ(vmText(sb->toString()), "/RP12");
}

TEST_F(TqCanvasStaticsTest, StaticBuffersReadAndWriteInTheirByteOrders)
{
    TqCanvas::staticInput = vmBytes(Bytes{0x80, 0x12, 0x34, 0x56, 0x78, 0, 2});
    TqCanvas::staticInputPosition = 0;
    EXPECT_EQ(TqCanvas::readByte(), -128);
    EXPECT_EQ(TqCanvas::readInt(), 0x12345678);
    EXPECT_FALSE(TqCanvas::readBoolean());
    EXPECT_TRUE(TqCanvas::readBoolean());
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [] { TqCanvas::readByte(); }, "Array index out of range: 7"));

    TqCanvas::staticOutput = VMByteArray::newArray(8);
    TqCanvas::staticOutputPosition = 0;
    TqCanvas::pngWriteByte(0x1FF);
    TqCanvas::writeShortLE(0x0102);
    TqCanvas::writeIntLE(int32_t(0xA1B2C3D4u));
    EXPECT_EQ(TqCanvas::staticOutputPosition, 7);
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [] { TqCanvas::writeShortLE(0x7777); }, "Array index out of range: 8"));
    EXPECT_EQ(bytesOf(VMPtr<VMByteArray>(TqCanvas::staticOutput)),
              (Bytes{0xFF, 0x02, 0x01, 0xD4, 0xC3, 0xB2, 0xA1, 0}));
    EXPECT_EQ(TqCanvas::staticOutputPosition, 7);
}

TEST_F(TqCanvasStaticsTest, TransparencyClassesFromTheTopAlphaBits)
{
    struct Case {
        std::vector<uint32_t> pixels;
        int32_t type;
        bool translucent;
    } cases[] = {
        {{0xFF000000u, 0xF0123456u}, 1, false},
        {{0xFF000000u, 0x0FFFFFFFu}, 2, true},
        {{0x00000000u, 0x80FFFFFFu, 0x00000000u}, 3, true},
        {{}, 1, false},
    };
    for (const Case& c : cases) {
        VMPtr<IntArray> a = ints(c.pixels);
        EXPECT_EQ(TqCanvas::getTransparencyType(a, 0, a->length, 0, 0, a->length, 1), c.type);
        EXPECT_EQ(TqCanvas::hasTranslucentPixels(a), c.translucent);
    }
    // A 2 x 2 region of a 3-wide array from offset 1, at (1, 0): only
    // elements 2, 3, 5 and 6 are looked at.
    VMPtr<IntArray> grid = ints({0, 0, 0xFF000000u, 0xFF000000u, 0, 0xFF000000u, 0xFF000000u});
    EXPECT_EQ(TqCanvas::getTransparencyType(grid, 1, 3, 1, 0, 2, 2), 1);
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { TqCanvas::getTransparencyType(grid, 1, 3, 1, 1, 2, 2); },
        "Array index out of range: 8"));
}

TEST_F(TqCanvasStaticsTest, PalettedIndicesPutTheMagentaKeyFirst)
{
    // red, key, green, red, key-like (last distinct key), blue
    std::vector<uint32_t> pixels = {0xFFFF0000u, 0xFFFF00FFu, 0xFF00FF00u,
                                    0xFFFF0000u, 0xFFF808F8u, 0xFF0000FFu};
    VMPtr<javax::microedition::lcdui::Image> image =
        TqCanvas::createImageFrom(ints(pixels), 3, 2, false);
    VMPtr<IntArray> palette = IntArray::newArray(256);
    VMPtr<VMByteArray> indices = TqCanvas::toPalettedIndices(image, palette);
    // The image holds RGB565 colours: compare through its own pixels.
    VMPtr<IntArray> seen = IntArray::newArray(6);
    TqCanvas::getRGB(image, seen, 0, 3, 0, 0, 3, 2);
    for (int32_t i = 0; i < 6; i++)
        EXPECT_EQ((*palette)[(*indices)[i]], (*seen)[i]) << i;
    EXPECT_EQ(uint32_t((*palette)[0]) & 0xF0F0F0u, 0xF000F0u);
    EXPECT_EQ((*indices)[4], 0);
    EXPECT_EQ((*indices)[0], 3);

    VMPtr<IntArray> tooSmall = IntArray::newArray(3);
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { TqCanvas::toPalettedIndices(image, tooSmall); }, "Array index out of range: 3"));
}

} // namespace
