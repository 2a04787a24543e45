#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "FacadeIds.h"
#include "engine/support/EngineBytes.h"
#include "engine/support/PackFolderTest.h"
#include "java/io/IOException.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "support/LangTestSupport.h"
#include "support/PngWriter.h"
#include "tq/Resources.h"
#include "tq/TqCanvas.h"

using tq::Resources;
using IntArray = VMArray<int32_t, 1>;

namespace {

// The pack the build made from engine/data/facade, copied into the
// application's rsc/ folder.
class ResourcesFacadeTest : public PackFolderTest {
protected:
    void SetUp() override
    {
        PackFolderTest::SetUp();
        for (const auto& file : std::filesystem::directory_iterator(VX_FACADE_PACK)) {
            std::ifstream in(file.path(), std::ios::binary);
            app.write("rsc/" + file.path().filename().string(),
                      std::string(std::istreambuf_iterator<char>(in), {}));
        }
    }
    void TearDown() override { Resources::closePack(); }

    static std::string text(int32_t id)
    {
        Bytes b = bytesOf(Resources::getResourceBytes(id));
        return std::string(b.begin(), b.end());
    }
    static uint32_t pixel(const VMPtr<javax::microedition::lcdui::Image>& image, int x, int y)
    {
        VMPtr<IntArray> rgb = IntArray::newArray(1);
        image->getRGB(rgb, 0, 1, x, y, 1, 1);
        return uint32_t((*rgb)[0]);
    }
    static uint32_t le32(const Bytes& b, size_t at)
    {
        return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
    }
};

TEST_F(ResourcesFacadeTest, AnswersBytesAcrossTheParts)
{
    EXPECT_EQ(text(facade::GREETING), "Hello from part one.\n");
    EXPECT_EQ(text(facade::SECOND), "Second part, plain.\n");
    // Back to the chunked part after the plain one.
    EXPECT_EQ(text(facade::SECOND_COPY), "Second part, plain.\n");
    EXPECT_EQ(Resources::getEntryInt(facade::GREETING), 21);
    EXPECT_EQ(Resources::getEntryByte(facade::GREETING), -7);
    EXPECT_EQ(Resources::getEntryByte(facade::WIDE), -3);
    // In memory, the plain part's entry lies in its shared block.
    VMPtr<VMByteArray> block = Resources::getResourceData(facade::SECOND);
    int32_t offset = Resources::getResourceOffset(facade::SECOND);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block->elements()) + offset, 20),
              "Second part, plain.\n");
}

TEST_F(ResourcesFacadeTest, AResourceStreamResetsToItsFirstByte)
{
    VMPtr<java::io::DataInputStream> in = Resources::openResourceStream(facade::SECOND);
    EXPECT_EQ(in->readUnsignedByte(), 'S');
    in->skipBytes(5);
    in->reset();
    EXPECT_EQ(in->readUnsignedByte(), 'S');
}

TEST_F(ResourcesFacadeTest, DecodesPicturesOfBothKindsOfPart)
{
    VMPtr<javax::microedition::lcdui::Image> stripes = Resources::loadImage(facade::PICTURE);
    ASSERT_EQ(stripes->getWidth(), 3);
    ASSERT_EQ(stripes->getHeight(), 2);
    EXPECT_EQ(pixel(stripes, 1, 0), 0xFF00FC00u); // green, through RGB565
    VMPtr<javax::microedition::lcdui::Image> wide = Resources::loadImage(facade::WIDE);
    EXPECT_EQ(wide->getWidth(), 5);
    VMPtr<VMByteArray> palette = Resources::getPalette(facade::WIDE);
    ASSERT_TRUE(palette);
    EXPECT_EQ(bytesOf(palette).size(), 10u); // two entries and the CRC
    EXPECT_EQ(Resources::getTransparentIndex(facade::WIDE), -1);
    // A replacement palette: white and black exchanged.
    Bytes swapped = bytesOf(palette);
    std::swap_ranges(swapped.begin(), swapped.begin() + 3, swapped.begin() + 3);
    EXPECT_EQ(pixel(Resources::loadImage(facade::WIDE, vmBytes(swapped)), 0, 0), 0xFF000000u);
    EXPECT_EQ(pixel(Resources::loadImage(facade::WIDE), 0, 0), 0xFFF8FCF8u);
}

TEST_F(ResourcesFacadeTest, BuildsBitmapsBottomRowFirst)
{
    struct Case {
        int32_t id;
        uint32_t width, height, row;
    };
    for (Case c : {Case{facade::PICTURE, 3, 2, 4}, Case{facade::SQUARE, 4, 4, 4}}) {
        SCOPED_TRACE(c.id);
        VMPtr<VMByteArray> saved = VMByteArray::newArray(3);
        tq::TqCanvas::staticOutput = saved;
        tq::TqCanvas::staticOutputPosition = 2;
        Bytes bmp = bytesOf(Resources::buildBitmap(c.id));
        EXPECT_EQ(VMPtr<VMByteArray>(tq::TqCanvas::staticOutput), saved);
        EXPECT_EQ(tq::TqCanvas::staticOutputPosition, 2);
        uint32_t size = 1078 + c.row * c.height;
        ASSERT_EQ(bmp.size(), size);
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(le32(bmp, 2), size);
        EXPECT_EQ(le32(bmp, 10), 1078u);
        EXPECT_EQ(le32(bmp, 18), c.width);
        EXPECT_EQ(le32(bmp, 22), c.height);
        EXPECT_EQ(bmp[28], 8);
        EXPECT_EQ(le32(bmp, 34), c.row * c.height);
        EXPECT_EQ(le32(bmp, 46), 256u);
        // Unused palette entries are opaque black.
        EXPECT_EQ(le32(bmp, 54 + 4 * 255), 0xFF000000u);
    }
    // Stripes: pixel i has colour i mod 3; the bottom row (3, 4, 5) comes
    // first, then its pad byte.
    Bytes bmp = bytesOf(Resources::buildBitmap(facade::PICTURE));
    EXPECT_EQ(Bytes(bmp.begin() + 1078, bmp.end()), (Bytes{0, 1, 2, 0, 0, 1, 2, 0}));
    EXPECT_EQ(le32(bmp, 54), 0xFFF80000u); // colours as decoded, through RGB565
    EXPECT_EQ(le32(bmp, 58), 0xFF00FC00u);
}

TEST_F(ResourcesFacadeTest, PacksBuiltInMemoryOpenAsPartZero)
{
    // 257 colours (distinct in RGB565) cannot become an 8-bit bitmap.
    std::vector<uint32_t> colours;
    for (uint32_t i = 0; i < 257; i++)
        colours.push_back(0xFF000000u | (i & 31) << 19 | (i >> 5) << 10);
    std::string many = vxtest::pngRgba(257, 1, colours);
    VMPtr<VMArray<int8_t, 2>> entries = VMArray<int8_t, 2>::newArray(2);
    entries->set(0, vmBytes(std::string("zero")));
    entries->set(1, vmBytes(many));
    VMPtr<VMByteArray> pack = Resources::buildPack(entries, vmBytes(Bytes{0xF9, 0xFD}));
    ASSERT_TRUE(Resources::openPack(vmDataStream(bytesOf(pack))));
    EXPECT_EQ(text(0), "zero");

    EXPECT_EQ(Resources::getEntryByte(1), -3);
    EXPECT_EQ(Resources::loadImage(1)->getWidth(), 257);
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [] { Resources::buildBitmap(1); }, "Array index out of range: 256"));
    // A null stream closes the pack.
    EXPECT_FALSE(Resources::openPack(nullptr));
    EXPECT_TRUE(vmThrows<java::io::IOException>([] { Resources::getResourceBytes(0); },
                                                "No pack entry 0"));
}

TEST_F(ResourcesFacadeTest, AMissingPartFileIsNamed)
{
    std::filesystem::remove(app.path() + "/rsc/RP8.rp");
    EXPECT_TRUE(vmThrows<java::io::IOException>([] { Resources::getResourceBytes(facade::SECOND); },
                                                "Missing resource pack file /RP8.rp"));
    EXPECT_EQ(text(facade::GREETING), "Hello from part one.\n");
}

} // namespace
