#include <string>

#include <gtest/gtest.h>

#include "java/io/IOException.h"
#include "java/lang/IllegalArgumentException.h"
#include "engine/support/EngineBytes.h"
#include "support/LangTestSupport.h"
#include "support/PngWriter.h"
#include "support/VMFixture.h"
#include "tq/Resources.h"

using tq::Resources;

namespace {

class ResourcesPaletteTest : public VMFixture {};

VMPtr<java::io::DataInputStream> streamOf(const std::string& png)
{
    return Resources::openDataStream(vmBytes(png), 0, int32_t(png.size()));
}

// A 2 x 1 paletted picture: red, then green.
std::string twoColours(const std::vector<uint32_t>& palette = {0xFFFF0000u, 0xFF00FF00u})
{
    return vxtest::pngPalette(2, 1, palette, {0, 1});
}

TEST_F(ResourcesPaletteTest, FindsThePaletteAfterIhdr)
{
    std::string png = twoColours();
    VMPtr<java::io::DataInputStream> in = streamOf(png);
    EXPECT_EQ(Resources::findPalette(in), 6);
    EXPECT_EQ(Resources::paletteOffset, 41);
    EXPECT_EQ(in->readUnsignedByte(), 0xFF); // red's first byte
    VMPtr<VMByteArray> palette = Resources::readPalette(streamOf(png));
    ASSERT_TRUE(palette);
    size_t plte = vxtest::pngChunk(png, "PLTE");
    EXPECT_EQ(bytesOf(palette), Bytes(png.begin() + long(plte) + 8, png.begin() + long(plte) + 18));
}

TEST_F(ResourcesPaletteTest, APictureWithoutPaletteHasNone)
{
    std::string png = vxtest::pngRgba(1, 1, {0xFF123456u});
    EXPECT_EQ(Resources::findPalette(streamOf(png)), -1);
    EXPECT_FALSE(Resources::readPalette(streamOf(png)));
    EXPECT_EQ(Resources::readTransparentIndex(streamOf(png)), -1);
    // Data ending before PLTE: null; ending inside it: the bytes so far.
    std::string paletted = twoColours();
    EXPECT_FALSE(Resources::readPalette(streamOf(paletted.substr(0, 30))));
    VMPtr<VMByteArray> part = Resources::readPalette(streamOf(paletted.substr(0, 44)));
    ASSERT_TRUE(part);
    EXPECT_EQ(bytesOf(part), (Bytes{0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ResourcesPaletteTest, TransparentIndexComesFromTrns)
{
    struct Case {
        std::vector<uint32_t> palette;
        int32_t expected;
    } cases[] = {
        {{0xFFFF0000u, 0x00000000u, 0xFF0000FFu}, 1},
        {{0x00FF0000u, 0x00000000u}, 0},
        {{0xFFFF0000u, 0x80000000u}, -1},
        {{0xFFFF0000u, 0xFF00FF00u}, -1}, // no tRNS at all
    };
    for (const Case& c : cases) {
        std::string png = vxtest::pngPalette(int(c.palette.size()), 1, c.palette,
                                             std::vector<uint8_t>(c.palette.size(), 0));
        EXPECT_EQ(Resources::readTransparentIndex(streamOf(png)), c.expected);
        EXPECT_EQ(Resources::readTransparentIndex(streamOf(png.substr(0, 50))), -1);
    }
}

TEST_F(ResourcesPaletteTest, SwappingTwiceRestoresBothArraysAndDecodesTheReplacement)
{
    std::string png = twoColours();
    std::string blue = twoColours({0xFF0000FFu, 0xFFFFFFFFu});
    VMPtr<VMByteArray> data = vmBytes("xyz" + png);
    VMPtr<VMByteArray> palette = Resources::readPalette(streamOf(blue));
    Bytes before = bytesOf(data);
    Bytes paletteBefore = bytesOf(palette);

    Resources::swapPalette(data, 3, palette);
    VMPtr<javax::microedition::lcdui::Image> image =
        Resources::createImage(data, 3, int32_t(png.size()));
    VMPtr<VMArray<int32_t, 1>> rgb = VMArray<int32_t, 1>::newArray(2);
    image->getRGB(rgb, 0, 2, 0, 0, 2, 1);
    EXPECT_EQ(uint32_t((*rgb)[0]), 0xFF0000F8u); // blue through RGB565
    EXPECT_EQ(uint32_t((*rgb)[1]), 0xFFF8FCF8u);
    Resources::swapPalette(data, 3, palette);
    EXPECT_EQ(bytesOf(data), before);
    EXPECT_EQ(bytesOf(palette), paletteBefore);

    Resources::swapPalette(data, 3, nullptr);
    EXPECT_EQ(bytesOf(data), before);
}

TEST_F(ResourcesPaletteTest, UnsafeSwapsChangeNothing)
{
    std::string png = twoColours();
    VMPtr<VMByteArray> data = vmBytes(png);
    Bytes before = bytesOf(data);
    // Longer than the picture's PLTE data and CRC.
    VMPtr<VMByteArray> longPalette = vmBytes(Bytes(11, 0x55));
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { Resources::swapPalette(data, 0, longPalette); },
        "Palette longer than the picture's"));
    EXPECT_EQ(bytesOf(data), before);
    EXPECT_EQ(bytesOf(longPalette), Bytes(11, 0x55));
    // No PLTE, or a truncated picture: nothing happens.
    VMPtr<VMByteArray> rgba = vmBytes(vxtest::pngRgba(1, 1, {0xFF000000u}));
    Bytes rgbaBefore = bytesOf(rgba);
    VMPtr<VMByteArray> palette = vmBytes(Bytes(10, 0x11));
    Resources::swapPalette(rgba, 0, palette);
    EXPECT_EQ(bytesOf(rgba), rgbaBefore);
    VMPtr<VMByteArray> cut = vmBytes(png.substr(0, 35));
    Resources::swapPalette(cut, 0, palette);
    EXPECT_EQ(bytesOf(palette), Bytes(10, 0x11));
    // A chunk with a negative length is refused by the scan.
    std::string bad = png;
    bad[33] = char(0x80);
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { Resources::findPalette(streamOf(bad)); },
                                                "Negative PNG chunk length"));
}

TEST_F(ResourcesPaletteTest, StreamsResetToTheStartOfTheirRange)
{
    VMPtr<java::io::DataInputStream> in = Resources::openDataStream(vmBytes(Bytes{1, 2, 3, 4, 5}), 2, 2);
    EXPECT_EQ(in->read(), 3);
    EXPECT_EQ(in->read(), 4);
    EXPECT_EQ(in->read(), -1);
    in->reset();
    EXPECT_EQ(in->read(), 3);
}

} // namespace
