// The canvas's scene layers, checked by pixels: the tile map against a
// per-pixel reference over many windows, scenery and sprites against
// painting every placement in order, the window moved back inside the map,
// and the int-array helpers.

#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "support/VMFixture.h"
#include "tq/TqCanvasLayers.h"

using tq::Gob;
using tq::TqCanvasLayers;
using IntArray = VMArray<int32_t, 1>;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;

namespace {

// White as 16-bit pixels keep it.
constexpr uint32_t kPaper = 0xFFF8FCF8u;

// Tile n's pixel (x, y), in steps that survive 16-bit pixels.
uint32_t tileColour(int n, int x, int y)
{
    return 0xFF000000u | uint32_t(n * 64) << 16 | uint32_t(x * 64) << 8 | uint32_t(y * 64);
}

class TqCanvasLayersTest : public VMFixture {
protected:
    void SetUp() override { layers = TqCanvasLayers::newInstance()->init(); }

    // A sheet of `count` 4 x 4 tiles in one row.
    static VMPtr<Image> sheet(int count)
    {
        VMPtr<IntArray> rgb = IntArray::newArray(count * 16);
        for (int n = 0; n < count; n++)
            for (int y = 0; y < 4; y++)
                for (int x = 0; x < 4; x++)
                    (*rgb)[y * count * 4 + n * 4 + x] = int32_t(tileColour(n + 1, x, y));
        return Image::createRGBImage(rgb, count * 4, 4, false);
    }
    static VMPtr<Gob> solid(int w, int h, uint32_t argb)
    {
        VMPtr<IntArray> pixels = IntArray::newArray(w * h);
        for (int i = 0; i < w * h; i++)
            (*pixels)[i] = int32_t(argb);
        return Gob::create(pixels, w, h, true);
    }
    static VMPtr<Image> paper(int w, int h) { return Image::createImage(w, h, false, int32_t(kPaper)); }
    static std::vector<uint32_t> pixels(const VMPtr<Image>& image)
    {
        int w = image->getWidth(), h = image->getHeight();
        VMPtr<IntArray> rgb = IntArray::newArray(w * h);
        image->getRGB(rgb, 0, w, 0, 0, w, h);
        std::vector<uint32_t> out(size_t(w * h));
        for (int i = 0; i < w * h; i++)
            out[size_t(i)] = uint32_t((*rgb)[i]);
        return out;
    }
    // The colour the map shows at world (x, y).
    uint32_t mapColour(int x, int y)
    {
        int tile = layers->getCell(x / 4, y / 4);
        if (tile < 0)
            tile = layers->getAnimatedTile(tile);
        return tile > 0 ? tileColour(tile, x % 4, y % 4) : kPaper;
    }

    VMPtr<TqCanvasLayers> layers;
};

TEST_F(TqCanvasLayersTest, TheTileMapPaintsEveryWindowLikeItsCells)
{
    layers->createTileMap(6, 5, sheet(3), 4, 4);
    std::mt19937 random(17);
    for (int r = 0; r < 5; r++)
        for (int c = 0; c < 6; c++)
            layers->setCell(c, r, int(random() % 4));
    EXPECT_EQ(layers->createAnimatedTile(2), -1);
    EXPECT_EQ(layers->createAnimatedTile(3), -2);
    layers->setCell(1, 1, -2);
    layers->setCell(4, 3, -1);
    layers->setAnimatedTile(-2, 1);
    EXPECT_EQ(layers->getAnimatedTile(-2), 1);

    struct Window {
        int x, y, w, h;
    };
    // Partial and whole first tiles, windows narrower than a tile, the
    // whole map.
    for (Window win : {Window{0, 0, 24, 20}, Window{4, 8, 12, 8}, Window{1, 3, 9, 7},
                       Window{5, 2, 2, 1}, Window{7, 7, 17, 13}, Window{3, 0, 1, 20},
                       Window{0, 19, 24, 1}}) {
        SCOPED_TRACE(::testing::Message() << win.x << "," << win.y << " " << win.w << "x" << win.h);
        VMPtr<Image> out = paper(win.w + 2, win.h + 3);
        VMPtr<Graphics> g = out->getGraphics();
        g->translate(2, 3);
        g->setClip(0, 0, win.w, win.h);
        layers->paintScene(g, win.x, win.y, win.w, win.h);
        std::vector<uint32_t> got = pixels(out);
        int errors = 0;
        for (int y = 0; y < win.h + 3; y++)
            for (int x = 0; x < win.w + 2; x++) {
                uint32_t want = x < 2 || y < 3 ? kPaper : mapColour(win.x + x - 2, win.y + y - 3);
                if (got[size_t(y * (win.w + 2) + x)] != want && errors++ < 3)
                    ADD_FAILURE() << "pixel " << x << "," << y << std::hex << " is "
                                  << got[size_t(y * (win.w + 2) + x)] << ", not " << want;
            }
    }
}

TEST_F(TqCanvasLayersTest, TileSetsAndCells)
{
    layers->createTileMap(3, 2, sheet(3), 4, 4);
    EXPECT_EQ(layers->getColumns(), 3);
    EXPECT_EQ(layers->getRows(), 2);
    EXPECT_EQ(layers->getTileWidth(), 4);
    EXPECT_EQ(layers->getTileHeight(), 4);
    EXPECT_EQ(layers->tileSourceX->length, 3);
    EXPECT_EQ((*layers->tileSourceX)[2], 8);
    layers->fillCells(0, 0, 3, 2, 3);
    layers->fillCells(0, 0, 3, 0, 1);
    layers->fillCells(0, 0, -1, 2, 1);
    layers->fillCells(1, 1, 2, 1, 2);
    const int want[2][3] = {{3, 3, 3}, {3, 2, 2}};
    for (int r = 0; r < 2; r++)
        for (int c = 0; c < 3; c++)
            EXPECT_EQ(layers->getCell(c, r), want[r][c]);
    layers->createAnimatedTile(3);
    // As many tiles or more keep the map; fewer empty it.
    EXPECT_FALSE(layers->setTileSet(sheet(3), 4, 4));
    EXPECT_FALSE(layers->setTileSet(sheet(5), 4, 4));
    EXPECT_EQ(layers->getCell(0, 0), 3);
    EXPECT_EQ(layers->animatedTiles->length, 1);
    EXPECT_TRUE(layers->setTileSet(sheet(2), 4, 4));
    EXPECT_EQ(layers->getCell(0, 0), 0);
    EXPECT_EQ(layers->animatedTiles->length, 0);
    // A sheet cut into 2 x 2 tiles, row by row.
    EXPECT_FALSE(layers->setTileSet(sheet(1), 2, 2));
    EXPECT_EQ(layers->tileSourceX->length, 4);
    const int corners[4][2] = {{0, 0}, {2, 0}, {0, 2}, {2, 2}};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ((*layers->tileSourceX)[i], corners[i][0]);
        EXPECT_EQ((*layers->tileSourceY)[i], corners[i][1]);
    }
    layers->releaseTileMap();
    EXPECT_EQ(layers->cells.get(), nullptr);
    EXPECT_EQ(layers->tileImage.get(), nullptr);
}

TEST_F(TqCanvasLayersTest, AWindowPastTheMapIsMovedBackInside)
{
    // A 16 x 12 map of tile 1 in a 20 x 16 picture.
    layers->createTileMap(4, 3, sheet(1), 4, 4);
    layers->fillCells(0, 0, 4, 3, 1);
    struct Case {
        int mapX, mapY;
    };
    for (Case c : {Case{3, 2}, Case{-5, 0}, Case{0, -4}, Case{2, -3}}) {
        SCOPED_TRACE(::testing::Message() << c.mapX << "," << c.mapY);
        VMPtr<Image> out = paper(20, 16);
        VMPtr<Graphics> g = out->getGraphics();
        layers->paintScene(g, -c.mapX, -c.mapY, 16, 12);
        EXPECT_EQ(g->getTranslateX(), 0);
        EXPECT_EQ(g->getTranslateY(), 0);
        std::vector<uint32_t> got = pixels(out);
        // The map's top-left corner lands at the map position.
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 20; x++) {
                int wx = x - c.mapX, wy = y - c.mapY;
                bool onMap = wx >= 0 && wx < 16 && wy >= 0 && wy < 12;
                ASSERT_EQ(got[size_t(y * 20 + x)], onMap ? tileColour(1, wx % 4, wy % 4) : kPaper)
                    << x << "," << y;
            }
    }
}

TEST_F(TqCanvasLayersTest, SceneryAndSpritesPaintAsIfEveryPlacementWerePainted)
{
    // Wide and tall maps index along x and along y.
    for (int tall = 0; tall < 2; tall++) {
        SCOPED_TRACE(tall ? "tall" : "wide");
        int mapW = tall ? 40 : 160, mapH = tall ? 160 : 40;
        layers->createTileMap(mapW / 4, mapH / 4, sheet(1), 4, 4);
        layers->initScenery(60);
        layers->initSprites(20);
        EXPECT_EQ(layers->vertical, tall == 1);
        std::mt19937 random(99 + tall);
        struct Placement {
            VMPtr<Gob> gob;
            int x, y, t;
        };
        std::vector<Placement> scenery, sprites;
        for (int i = 0; i < 80; i++) {
            VMPtr<Gob> gob = solid(1 + int(random() % 9), 1 + int(random() % 5),
                                   0xFF000000u | uint32_t(random() & 0xF8FCF8));
            gob->xOffset = int16_t(int(random() % 5) - 2);
            gob->yOffset = int16_t(int(random() % 5) - 2);
            Placement p{gob, int(random() % uint32_t(mapW)), int(random() % uint32_t(mapH)),
                        int(random() % 8)};
            if (i < 60) {
                layers->addScenery(p.gob, p.x, p.y, p.t);
                scenery.push_back(p);
            } else {
                layers->addSprite(p.gob, p.x, p.y, p.t);
                sprites.push_back(p);
            }
        }
        EXPECT_EQ(layers->sceneryCount, 60);
        for (int win = 0; win < 12; win++) {
            int w = 4 + int(random() % 30), h = 4 + int(random() % 30);
            int x = int(random() % uint32_t(mapW - w)), y = int(random() % uint32_t(mapH - h));
            SCOPED_TRACE(::testing::Message() << "window " << x << "," << y << " " << w << "x" << h);
            VMPtr<Image> got = paper(w + 6, h + 6);
            VMPtr<Graphics> g = got->getGraphics();
            layers->sceneGraphics = g;
            layers->paintScenery(x, y, 3, 3, w, h);
            layers->paintSprites(x, y, 3, 3, w, h);
            layers->sceneGraphics = nullptr;
            EXPECT_EQ(g->getClipWidth(), w + 6);

            VMPtr<Image> want = paper(w + 6, h + 6);
            VMPtr<Graphics> r = want->getGraphics();
            r->setClip(3, 3, w, h);
            for (const auto* list : {&scenery, &sprites})
                for (const Placement& p : *list)
                    p.gob->paint(r, p.x - x + 3, p.y - y + 3, p.t);
            ASSERT_EQ(pixels(got), pixels(want));
        }
    }
}

TEST_F(TqCanvasLayersTest, ASceneWithoutATileMapPaintsItsSprites)
{
    layers->initSprites(2);
    VMPtr<Gob> gob = solid(3, 2, 0xFF00FF00u);
    layers->addSprite(gob, 5, 4, 0);
    VMPtr<Image> got = paper(20, 16);
    layers->paintScene(got->getGraphics(), 2, 1, 20, 16);
    VMPtr<Image> want = paper(20, 16);
    gob->paint(want->getGraphics(), 3, 3, 0);
    EXPECT_EQ(pixels(got), pixels(want));
}

TEST_F(TqCanvasLayersTest, PlacementsOnOneEdgePaintInTheOrderAdded)
{
    layers->createTileMap(10, 2, sheet(1), 4, 4);
    layers->initScenery(3);
    layers->addScenery(solid(4, 4, 0xFFF80000u), 6, 1, 0);
    layers->addScenery(solid(4, 4, 0xFF0000F8u), 6, 1, 0);
    layers->addScenery(solid(2, 2, 0xFF00FC00u), 2, 0, 0);
    VMPtr<Image> out = paper(12, 8);
    layers->sceneGraphics = out->getGraphics();
    layers->paintScenery(0, 0, 0, 0, 12, 8);
    std::vector<uint32_t> got = pixels(out);
    EXPECT_EQ(got[1 * 12 + 7], 0xFF0000F8u);
    EXPECT_EQ(got[0 * 12 + 2], 0xFF00FC00u);
    // A full list refuses the next placement and keeps its count.
    EXPECT_ANY_THROW(layers->addScenery(solid(1, 1, 0xFF000000u), 0, 0, 0));
    EXPECT_EQ(layers->sceneryCount, 3);
}

TEST_F(TqCanvasLayersTest, CombSortAndBinarySearch)
{
    std::mt19937 random(5);
    for (int n : {0, 1, 2, 3, 10, 257}) {
        SCOPED_TRACE(n);
        VMPtr<IntArray> a = IntArray::newArray(n + 2);
        std::vector<int32_t> want;
        for (int i = 0; i < n + 2; i++) {
            (*a)[i] = int32_t(random());
            if (i < n)
                want.push_back((*a)[i]);
        }
        int32_t tail0 = (*a)[n], tail1 = (*a)[n + 1];
        TqCanvasLayers::sortInts(a, n);
        std::sort(want.begin(), want.end());
        for (int i = 0; i < n; i++)
            ASSERT_EQ((*a)[i], want[size_t(i)]);
        EXPECT_EQ((*a)[n], tail0);
        EXPECT_EQ((*a)[n + 1], tail1);
    }
    VMPtr<IntArray> keys = IntArray::newArray(5);
    const int32_t sorted[] = {-7, 0, 3, 3 << 16, 9 << 16};
    std::copy(sorted, sorted + 5, keys->elements());
    const int32_t searches[][2] = {{-8, 0}, {-7, 0}, {1, 2}, {3, 2}, {4, 3}, {9 << 16, 4}, {1 << 30, 5}};
    for (const auto& s : searches)
        EXPECT_EQ(TqCanvasLayers::binarySearchInts(keys, 4, s[0]), s[1]) << s[0];
    EXPECT_EQ(TqCanvasLayers::binarySearchInts(keys, -1, 3), 0);
    // Touching rectangles do not intersect.
    EXPECT_FALSE(TqCanvasLayers::rectanglesIntersect(0, 0, 4, 4, 4, 0, 4, 4));
    EXPECT_FALSE(TqCanvasLayers::rectanglesIntersect(0, 0, 4, 4, 0, -4, 4, 4));
    EXPECT_TRUE(TqCanvasLayers::rectanglesIntersect(0, 0, 4, 4, 3, 3, 4, 4));
    EXPECT_FALSE(TqCanvasLayers::rectanglesIntersect(0, 0, 0, 4, 0, 0, 4, 4));
}

} // namespace
