// The star field: how far a star falls in a frame, the twinkle of its grey
// level at both ends, the pause (the fall stops, the twinkle goes on) and
// the stars' places drawn from the shared random source.

#include <vector>

#include <gtest/gtest.h>

#include "game/support/ScriptedRandom.h"
#include "main/Main.h"
#include "scene/mainGame/ClsBgSpace.h"
#include "scene/mainGame/StructStar.h"
#include "support/VMFixture.h"
#include "tq/util/FastRandom.h"

using scene::mainGame::ClsBgSpace;
using scene::mainGame::StructStar;

namespace {

// Writes down the grey level of every pixel drawn and the fills.
class PixelGraphics : public javax::microedition::lcdui::Graphics {
    VM_CLASS(PixelGraphics, javax::microedition::lcdui::Graphics)

    void fillRect(int32_t x, int32_t y, int32_t w, int32_t h) override
    {
        fills.push_back({getColor(), x, y, w, h});
    }
    void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override
    {
        EXPECT_EQ(x1, x2);
        EXPECT_EQ(y1, y2);
        int32_t c = getColor();
        EXPECT_EQ(c >> 16, c & 0xFF) << "a star is grey";
        greys.push_back(c & 0xFF);
    }
    int32_t getClipWidth() override { return 240; }
    int32_t getClipHeight() override { return 320; }

    std::vector<std::vector<int32_t>> fills;
    std::vector<int32_t> greys;
};

class ClsBgSpaceTest : public VMFixture {
protected:
    void SetUp() override
    {
        VMFixture::SetUp();
        main::Main::random = tq::util::FastRandom::newInstance()->init(int64_t(1234));
        ui::MyObject::frameTime = 40;
    }
    void TearDown() override
    {
        main::Main::random = nullptr;
        VMFixture::TearDown();
    }

    // A field whose first star has this grey level and row; the others
    // are left as drawn.
    static VMPtr<ClsBgSpace> fieldWithStar(int32_t grey, int32_t row, bool rising = false)
    {
        VMPtr<ClsBgSpace> field = ClsBgSpace::newInstance()->init(true);
        VMPtr<StructStar> star = StructStar::newInstance()->init(grey, 5, row, 1);
        star->setBrightening(rising);
        field->stars->set(0, star);
        return field;
    }
};

TEST_F(ClsBgSpaceTest, StarFallsByWholePixelsAndWrapsToTheTop)
{
    const struct {
        int32_t y;
        int64_t dt;
        int32_t after;
    } cases[] = {
        {100, 40, 101}, // (1 * 40) >> 5
        {100, 20, 100}, // the remainder is dropped every frame
        {100, 64, 102},
        {318, 160, 0},  // 5 pixels: the overshoot is dropped
        {319, 32, 0},
        {0, 0, 0},
    };
    for (const auto& c : cases) {
        VMPtr<StructStar> s = StructStar::newInstance()->init(0, 7, c.y, 1);
        s->move(c.dt);
        EXPECT_EQ(s->y, c.after) << c.y << " " << c.dt;
        EXPECT_EQ(s->x, 7);
    }
}

TEST_F(ClsBgSpaceTest, TwinkleTurnsAtBothEnds)
{
    const struct {
        int32_t grey;
        bool rising;
        std::vector<int32_t> drawn;
    } cases[] = {
        {0, false, {8, 16, 24}},  // rises at once (0 - 8 < 1)
        {250, true, {242, 234}},  // turns (250 + 8 >= 255)
        {247, true, {239}},       // 255 is already too bright
        {246, true, {254, 246}},
        {9, false, {1, 9, 17}},   // falls to 1, then rises
        {100, false, {92, 84}},   // a star starts falling
    };
    for (const auto& c : cases) {
        VMPtr<ClsBgSpace> field = fieldWithStar(c.grey, 10, c.rising);
        VMPtr<PixelGraphics> g = PixelGraphics::newInstance();
        std::vector<int32_t> drawn;
        for (size_t frame = 0; frame < c.drawn.size(); frame++) {
            g->greys.clear();
            field->paint(g);
            ASSERT_EQ(g->greys.size(), 30u);
            drawn.push_back(g->greys[0]);
        }
        EXPECT_EQ(drawn, c.drawn) << c.grey;
    }
}

TEST_F(ClsBgSpaceTest, PaintFillsTheClipInDarkBlueBeforeTheStars)
{
    VMPtr<ClsBgSpace> field = ClsBgSpace::newInstance()->init(true);
    VMPtr<PixelGraphics> g = PixelGraphics::newInstance();
    field->paint(g);
    EXPECT_EQ(g->fills, (std::vector<std::vector<int32_t>>{{0x000914, 0, 0, 240, 320}}));
}

TEST_F(ClsBgSpaceTest, PauseStopsTheFallButNotTheTwinkle)
{
    VMPtr<ClsBgSpace> field = fieldWithStar(100, 50);
    field->setPaused(true);
    field->update();
    EXPECT_EQ(field->stars->get(0)->y, 50);
    VMPtr<PixelGraphics> g = PixelGraphics::newInstance();
    field->paint(g);
    EXPECT_EQ(g->greys[0], 92);
    field->setPaused(false);
    field->update();
    EXPECT_EQ(field->stars->get(0)->y, 51);
}

TEST_F(ClsBgSpaceTest, StarsAreDrawnFromTheSharedRandomSourceInPlace)
{
    VMPtr<ClsBgSpace> field = ClsBgSpace::newInstance()->init(true);
    ASSERT_EQ(field->stars->length, 30);
    // The same seed, drawn as grey, column, row for each star in turn.
    VMPtr<tq::util::FastRandom> again = tq::util::FastRandom::newInstance()->init(int64_t(1234));
    auto next = [&](int32_t n) {
        int32_t r = again->nextInt();
        return (r < 0 ? -r : r) % n;
    };
    for (int32_t i = 0; i < 30; i++) {
        VMPtr<StructStar> s = field->stars->get(i);
        EXPECT_EQ(s->brightness, next(255)) << i;
        EXPECT_EQ(s->x, next(240)) << i;
        EXPECT_EQ(s->y, next(320)) << i;
        EXPECT_EQ(s->speed, 1);
        EXPECT_FALSE(s->brightening);
    }
}

TEST_F(ClsBgSpaceTest, TheSmallestIntDrawnStillGivesAGreyThatCanBePainted)
{
    // That draw has no absolute value: its remainder is negative.
    VMPtr<vxtest::ScriptedRandom> scripted = vxtest::ScriptedRandom::newInstance()->init();
    scripted->fallback = INT32_MIN;
    main::Main::random = scripted;
    VMPtr<ClsBgSpace> field = ClsBgSpace::newInstance()->init(true);
    EXPECT_EQ(field->stars->get(0)->brightness, 128);
    VMPtr<PixelGraphics> g = PixelGraphics::newInstance();
    field->paint(g);
    EXPECT_EQ(g->greys.size(), 30u);
}

TEST_F(ClsBgSpaceTest, ReleaseLeavesTheStarsInPlace)
{
    VMPtr<ClsBgSpace> field = ClsBgSpace::newInstance()->init(true);
    VMPtr<ClsBgSpace::StarArray> stars = field->stars;
    field->release();
    EXPECT_EQ(field->stars.get(), stars.get());
    VMPtr<PixelGraphics> g = PixelGraphics::newInstance();
    field->paint(g);
    EXPECT_EQ(g->greys.size(), 30u);
}

} // namespace

VM_REGISTER_CLASS_NO_CREATOR(PixelGraphics, "tests.mainGame.PixelGraphics",
                             "javax.microedition.lcdui.Graphics", "tests_mainGame_PixelGraphics",
                             nullptr);
