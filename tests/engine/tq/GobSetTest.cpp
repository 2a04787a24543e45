#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "FacadeIds.h"
#include "engine/support/EngineBytes.h"
#include "engine/support/PackFolderTest.h"
#include "engine/support/TightHeap.h"
#include "tq/Resources.h"
#include "tq/ResourcesExt.h"

using tq::Gob;
using tq::Resources;
using tq::ResourcesExt;
using IntArray = VMArray<int32_t, 1>;

namespace {

// Gob sets written by the pack builder (engine/data/facade/sheet.gobs, cut
// from an 8 x 4 sheet whose pixel i has colour i mod 4) and read back.
class GobSetTest : public PackFolderTest {
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

    static uint32_t sheetColour(int x, int y)
    {
        static const uint32_t colours[] = {0xFFF80000u, 0xFF00FC00u, 0xFF0000F8u, 0xFFF8FCF8u};
        return colours[(y * 8 + x) % 4];
    }
    static uint32_t pixel(const VMPtr<Gob>& gob, int x, int y)
    {
        VMPtr<IntArray> rgb = IntArray::newArray(1);
        VMPtr<javax::microedition::lcdui::Image>(gob->image)->getRGB(rgb, 0, 1, x, y, 1, 1);
        return uint32_t((*rgb)[0]);
    }
    static VMPtr<Gob::GobArray> fromBytes(const Bytes& bytes)
    {
        return Resources::loadGobSet(facade::SHEET_GOBS, nullptr, vmDataStream(bytes), nullptr);
    }
};

TEST_F(GobSetTest, RoundTripsGeometryAndPixels)
{
    VMPtr<Gob::GobArray> gobs = ResourcesExt::loadGobs(facade::SHEET_GOBS);
    ASSERT_TRUE(gobs);
    ASSERT_EQ(gobs->length, 3);
    struct Expect {
        int ox, oy, sx, sy, w, h, cx, cy, cw, ch;
        bool round;
        int transparency;
    };
    const Expect expected[] = {{-2, -1, 0, 0, 4, 2, 1, 0, 2, 2, false, 0},
                               {0, 0, 4, 2, 4, 2, 0, 0, 4, 4, true, 1},
                               {-200, 0, 2, 1, 3, 3, 0, 0, 0, 0, false, 0}};
    for (int i = 0; i < 3; i++) {
        SCOPED_TRACE(i);
        VMPtr<Gob> gob = gobs->get(i);
        const Expect& e = expected[i];
        EXPECT_EQ(gob->xOffset, e.ox);
        EXPECT_EQ(gob->yOffset, e.oy);
        EXPECT_EQ(gob->width, e.w);
        EXPECT_EQ(gob->height, e.h);
        EXPECT_EQ(gob->collisionX, e.cx);
        EXPECT_EQ(gob->collisionY, e.cy);
        EXPECT_EQ(gob->collisionWidth, e.cw);
        EXPECT_EQ(gob->collisionHeight, e.ch);
        EXPECT_EQ(gob->roundCollision, e.round);
        EXPECT_EQ(gob->transparency, e.transparency);
        // Each Gob has its own image of its own pixels.
        VMPtr<javax::microedition::lcdui::Image> image(gob->image);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->getWidth(), e.w);
        for (int y = 0; y < e.h; y++) {
            for (int x = 0; x < e.w; x++)
                EXPECT_EQ(pixel(gob, x, y), sheetColour(e.sx + x, e.sy + y)) << x << "," << y;
        }
    }
    EXPECT_FALSE(Gob::pixelStore);
}

TEST_F(GobSetTest, DamagedSetsGiveNull)
{
    Bytes good = bytesOf(Resources::getResourceBytes(facade::SHEET_GOBS));
    ASSERT_TRUE(fromBytes(good));
    // Cut anywhere before the end: null, never a partial array.
    for (size_t cut = 0; cut < good.size(); cut++)
        EXPECT_FALSE(fromBytes(Bytes(good.begin(), good.begin() + long(cut)))) << cut;
    struct Case {
        const char* what;
        size_t at;
        uint8_t value;
    };
    const Case cases[] = {
        {"negative column length", 3, 0x80},
        {"column length below 4", 4, 0x02},
        {"more Gobs than the columns hold", 8, 0x0F},
        {"an image id beyond the part", 0, 0x03},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bad = good;
        bad[c.at] = c.value;
        EXPECT_FALSE(fromBytes(bad));
        // Pixels captured before the failure are not kept.
        EXPECT_FALSE(Gob::pixelStore);
    }
    // An attribute table shorter than the Gobs it must cover: the set ends
    // in M, 5 reserved bytes and one byte of attributes; M = 5 leaves none.
    Bytes shortTable = good;
    size_t table = shortTable.size() - 8;
    ASSERT_EQ(shortTable[table + 1], 6);
    shortTable[table + 1] = 5;
    shortTable.pop_back();
    EXPECT_FALSE(fromBytes(shortTable));
}

// One Gob, every field two bytes wide, cut from the 8 x 4 sheet: a region
// beyond the sheet gives null, without making room for its pixels first.
TEST_F(GobSetTest, GobsOutsideTheirImageGiveNull)
{
    Bytes good = bytesOf(Resources::getResourceBytes(facade::SHEET_GOBS));
    auto set = [&](int x, int y, int w, int h) {
        Bytes b = {good[0], good[1], 0, 0, 24, 0, 0, 0, 1};
        for (int value : {0, 0, x, y, w, h, 0, 0, 0, 0}) {
            b.push_back(uint8_t(value >> 8));
            b.push_back(uint8_t(value));
        }
        return b;
    };
    ASSERT_EQ(set(0, 0, 8, 4).size(), 29u);
    VMPtr<Gob::GobArray> whole = fromBytes(set(0, 0, 8, 4));
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->get(0)->width, 8);
    const int regions[][4] = {
        {0, 0, 0x7FFF, 0x7FFF}, {0, 0, 0x1000, 0x1000}, {1, 0, 8, 4},
        {0, 1, 8, 4},           {0x8000, 0, 1, 1},
    };
    for (const auto& r : regions) {
        SCOPED_TRACE(std::to_string(r[0]) + "," + std::to_string(r[1]) + " " +
                     std::to_string(r[2]) + "x" + std::to_string(r[3]));
        TightHeap heap;
        EXPECT_FALSE(fromBytes(set(r[0], r[1], r[2], r[3])));
        EXPECT_FALSE(Gob::pixelStore);
    }
}

} // namespace
