#include <cstdint>

#include <gtest/gtest.h>

#include "hal/device.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "javax/microedition/lcdui/Image.h"
#include "support/VMFixture.h"
#include "tq/input/PointerInputKeyManager.h"
#include "tq/input/PointerInputKeyRegion.h"
#include "wince/clock.h"

using tq::input::PointerInputKeyManager;
using tq::input::PointerInputKeyRegion;

namespace {

using M = PointerInputKeyManager;
using Region = PointerInputKeyRegion;

// Virtual time, no regions, no held keys.
class PointerInputKeyRegionTest : public VMFixture {
protected:
    void SetUp() override
    {
        wince::useVirtualClock(100000, nullptr);
        HAL_resetClock();
        M::init();
        M::resetAll();
        M::removeRegions(0);
    }
    void TearDown() override
    {
        M::resetAll();
        M::removeRegions(0);
        wince::useRealClock();
        HAL_resetClock();
    }

    static VMPtr<Region> region(int8_t type, int8_t key, int32_t x, int32_t y, int32_t w,
                                int32_t h)
    {
        VMPtr<Region> r = Region::newInstance()->init(type, key);
        r->x = x;
        r->y = y;
        r->width = w;
        r->height = h;
        return r;
    }

    static void press(int32_t x, int32_t y) { M::onPointerEvent(0, x, y, true, true); }
    static void drag(int32_t x, int32_t y) { M::onPointerEvent(0, x, y, true, false); }
    static void release(int32_t x, int32_t y) { M::onPointerEvent(0, x, y, false, true); }
};

TEST_F(PointerInputKeyRegionTest, ContainsTakesTheLeftAndTopEdgesOnly)
{
    VMPtr<Region> r = Region::createKeyRegion(1, 10, 20, 30, 40);
    EXPECT_EQ(r->type, Region::TYPE_CAPTURE);
    EXPECT_TRUE(r->enabled);
    EXPECT_TRUE(r->contains(10, 20));
    EXPECT_TRUE(r->contains(39, 59));
    EXPECT_FALSE(r->contains(40, 20));
    EXPECT_FALSE(r->contains(10, 60));
    EXPECT_FALSE(r->contains(9, 20));
    EXPECT_FALSE(Region::createKeyRegion(1, 10, 20, 0, 40)->contains(10, 20));
}

// The own key state of a region bound to key 127, frame by frame.
TEST_F(PointerInputKeyRegionTest, OwnKeyCountsPressesHoldsAndReleasesPerFrame)
{
    VMPtr<Region> r = region(Region::TYPE_HOLD, Region::OWN_KEY, 0, 0, 50, 50);
    ASSERT_TRUE(M::addRegion(r));
    struct Frame {
        const char* what;
        void (*touches)();
        int32_t presses;
        bool held;
        bool released;
    } frames[] = {
        {"press and release inside within a frame", [] { press(10, 10); release(10, 10); }, 1,
         false, true},
        {"nothing", [] {}, 0, false, false},
        {"press inside", [] { press(10, 10); }, 1, true, false},
        {"drag inside", [] { drag(20, 20); }, 0, true, false},
        {"release outside", [] { release(90, 90); }, 0, false, true},
        // The own state's down carries over: the first drag out keeps the
        // hold, the second ends it.
        {"press inside, drag out once", [] { press(10, 10); drag(90, 90); }, 1, true, false},
        {"drag out again", [] { drag(95, 95); }, 0, false, true},
    };
    for (const Frame& f : frames) {
        f.touches();
        M::latchRegions();
        EXPECT_EQ(r->getPressCount(), f.presses) << f.what;
        EXPECT_EQ(r->wasPressed(), f.presses > 0) << f.what;
        EXPECT_EQ(r->isHeld(), f.held) << f.what;
        EXPECT_EQ(r->wasReleased(), f.released) << f.what;
    }
    EXPECT_EQ(M::keyStateCount, 0) << "an own key never enters the pool";
}

TEST_F(PointerInputKeyRegionTest, OwnKeyPressesSaturateAt127)
{
    VMPtr<Region> r = region(Region::TYPE_HOLD, Region::OWN_KEY, 0, 0, 50, 50);
    M::addRegion(r);
    for (int32_t i = 0; i < 200; ++i) {
        press(10, 10);
        release(10, 10);
    }
    M::latchRegions();
    EXPECT_EQ(r->getPressCount(), 127);
}

TEST_F(PointerInputKeyRegionTest, ResetAllForgetsTheOwnKeyAndReportsAHoldAsReleased)
{
    VMPtr<Region> r = region(Region::TYPE_HOLD, Region::OWN_KEY, 0, 0, 50, 50);
    M::addRegion(r);
    press(10, 10);
    M::latchRegions();
    ASSERT_TRUE(r->isHeld());
    M::resetAll();
    EXPECT_FALSE(r->isHeld());
    EXPECT_EQ(r->getPressCount(), 0);
    M::latchRegions();
    EXPECT_TRUE(r->wasReleased());
    EXPECT_FALSE(r->isHeld());
}

TEST_F(PointerInputKeyRegionTest, SwipeStepsFollowMotionAndCarryTheRemainder)
{
    VMPtr<Region> r = region(Region::TYPE_SWIPE, 1, 0, 0, 100, 100);
    r->direction = 1; // down
    r->stepsPerExtent = 10;
    r->lastCoord = -1;
    struct Sample {
        int32_t afterMs;
        int32_t y;
        int32_t steps;
        int16_t remainder;
    } samples[] = {
        {0, 10, 0, 0},    // the first sample only records its place
        {20, 15, 0, 512}, // half a step
        {20, 30, 2, 102}, // 1.5 steps plus the carried half, rounded up
        {20, 20, 0, 0},   // motion against the direction clears the carry
        {20, 20, 0, 0},   // no motion
        {51, 90, 0, 0},   // too late: starts afresh
        {50, 100, 1, 0},  // exactly 50 ms still continues
    };
    for (const Sample& s : samples) {
        wince::advanceVirtualClock(DWORD(s.afterMs));
        EXPECT_EQ(r->swipeSteps(5, s.y), s.steps) << "y " << s.y;
        EXPECT_EQ(r->swipeRemainder, s.remainder) << "y " << s.y;
        EXPECT_EQ(r->lastCoord, s.y);
    }
}

TEST_F(PointerInputKeyRegionTest, SwipeDirectionsPickTheirAxisAndSense)
{
    struct Case {
        int8_t direction;
        int32_t fromX, fromY, toX, toY;
        int32_t steps;
    } cases[] = {
        {0, 0, 60, 0, 40, 4},  // up, 20 px of a 50 px height at 10 per extent
        {0, 0, 40, 0, 60, 0},  // down motion in an up region
        {1, 0, 40, 0, 60, 4},  // down
        {2, 60, 0, 40, 0, 2},  // left, 20 px of a 100 px width
        {3, 40, 0, 60, 0, 2},  // right
        {3, 40, 0, 40, 90, 0}, // vertical motion in a horizontal region
    };
    for (const Case& c : cases) {
        VMPtr<Region> r = region(Region::TYPE_SWIPE, 1, 0, 0, 100, 50);
        r->direction = c.direction;
        r->stepsPerExtent = 10;
        r->swipeSteps(c.fromX, c.fromY);
        EXPECT_EQ(r->swipeSteps(c.toX, c.toY), c.steps) << int(c.direction);
    }
}

TEST_F(PointerInputKeyRegionTest, SwipeWithoutStepsOrAfterAReleaseOnlyRecords)
{
    VMPtr<Region> r = region(Region::TYPE_SWIPE, 1, 0, 0, 100, 100);
    r->direction = 1;
    r->swipeSteps(0, 0);
    EXPECT_EQ(r->swipeSteps(0, 90), 0) << "stepsPerExtent 0 turns the swipe off";
    r->stepsPerExtent = 10;
    M::addRegion(r);
    press(5, 10);
    release(5, 20);
    EXPECT_EQ(r->lastCoord, -1);
    EXPECT_EQ(r->swipeSteps(0, 90), 0);
    EXPECT_EQ(r->lastCoord, 90);
    r->height = 0; // an empty extent has no steps to divide into
    EXPECT_EQ(r->swipeSteps(0, 99), 0);
}

TEST_F(PointerInputKeyRegionTest, PaintDrawsTheOutlineWhereTheRegionIsOnTheScreen)
{
    using javax::microedition::lcdui::Graphics;
    using javax::microedition::lcdui::Image;
    M::offsetX = 0;
    M::offsetY = 40;
    VMPtr<Region> r = Region::createKeyRegion(1, 10, 20, 5, 6);
    VMPtr<Image> image = Image::createImage(40, 80, false, 0xFFFFFF);
    VMPtr<Graphics> g = image->getGraphics();
    g->translate(5, 7);
    g->setColor(0x000000);
    r->paint(g);
    M::offsetY = 0;
    VMPtr<VMArray<int32_t, 1>> rgb = VMArray<int32_t, 1>::newArray(40 * 80);
    image->getRGB(rgb, 0, 40, 0, 0, 40, 80);
    auto dark = [&](int32_t x, int32_t y) { return ((*rgb)[y * 40 + x] & 0xFFFFFF) == 0; };
    // drawRect covers width + 1 by height + 1 pixels.
    EXPECT_TRUE(dark(10, 60));
    EXPECT_TRUE(dark(15, 60));
    EXPECT_TRUE(dark(10, 66));
    EXPECT_TRUE(dark(15, 66));
    EXPECT_FALSE(dark(12, 63)) << "an outline, not a fill";
    EXPECT_FALSE(dark(15, 67));
    EXPECT_FALSE(dark(16, 60));
}

} // namespace
