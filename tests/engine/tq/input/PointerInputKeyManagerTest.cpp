// Touches matched against key regions press and release the canvas's game
// keys at once; the region list and the pool of held keys.

#include <atomic>
#include <cstdint>
#include <tuple>

#include <gtest/gtest.h>

#include "engine/support/TestGameCanvas.h"
#include "tq/input/PointerInputEventManager.h"
#include "tq/input/PointerInputKeyManager.h"
#include "tq/input/PointerInputKeyRegion.h"
#include "vm/VMThread.h"
#include "wince/clock.h"

using tq::input::PointerInputEventManager;
using tq::input::PointerInputKeyManager;
using tq::input::PointerInputKeyRegion;
using vxtest::GameCanvasFixture;

namespace {

using M = PointerInputKeyManager;
using Region = PointerInputKeyRegion;

// A canvas (not shown) on the 240 x 400 screen, the managers set up as the
// loop's start does, no regions.
class PointerInputKeyManagerTest : public GameCanvasFixture {
protected:
    void SetUp() override
    {
        GameCanvasFixture::SetUp();
        canvas->startPointerInput();
        M::removeRegions(0);
        canvas->resetKeys();
        canvas->latchKeys();
    }
    void TearDown() override
    {
        M::resetAll();
        M::removeRegions(0);
        PointerInputEventManager::setEnabled(false);
        GameCanvasFixture::TearDown();
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

    void press(int32_t x, int32_t y) { canvas->pointerPressed(x, y); }
    void drag(int32_t x, int32_t y) { canvas->pointerDragged(x, y); }
    void release(int32_t x, int32_t y) { canvas->pointerReleased(x, y); }

    // (count, held, released) of key k in the frame latched now.
    std::tuple<int32_t, bool, bool> latched(int32_t k)
    {
        canvas->latchKeys();
        return {canvas->getPressCount(k), canvas->isHeld(k), canvas->wasReleased(k)};
    }
};

using Frame = std::tuple<int32_t, bool, bool>;
const Frame kPressed{1, true, false};
const Frame kStillHeld{0, true, false};
const Frame kReleased{0, false, true};
const Frame kTapped{1, true, true};
const Frame kNothing{0, false, false};

TEST_F(PointerInputKeyManagerTest, CaptureRegionHoldsItsKeyFromThePressWhereverTheTouchGoes)
{
    VMPtr<Region> up = Region::createKeyRegion(1, 10, 10, 40, 40);
    ASSERT_TRUE(M::addRegion(up));
    press(20, 20);
    EXPECT_FALSE(canvas->isHeld(1)) << "the frame still shows the last latch";
    EXPECT_EQ(latched(1), kPressed) << "pressed at once, before any frame work";
    drag(200, 300);
    EXPECT_EQ(latched(1), kStillHeld);
    release(200, 300);
    EXPECT_EQ(latched(1), kReleased);
    EXPECT_FALSE(up->touched) << "released outside: no tap";
    EXPECT_EQ(M::keyStateCount, 0);
}

TEST_F(PointerInputKeyManagerTest, CaptureRegionTappedInsideWithinOneFrame)
{
    VMPtr<Region> up = Region::createKeyRegion(1, 10, 10, 40, 40);
    M::addRegion(up);
    press(20, 20);
    release(25, 25);
    EXPECT_TRUE(up->tapped);
    EXPECT_EQ(latched(1), kTapped);
    EXPECT_TRUE(up->touched);
    EXPECT_FALSE(up->tapped);
    EXPECT_TRUE(up->wasPressed());
    EXPECT_TRUE(up->wasReleased());
    EXPECT_EQ(latched(1), kNothing);
    EXPECT_FALSE(up->touched);
}

TEST_F(PointerInputKeyManagerTest, DraggingIntoACaptureRegionPressesNothing)
{
    VMPtr<Region> up = Region::createKeyRegion(1, 10, 10, 40, 40);
    M::addRegion(up);
    press(100, 100);
    drag(20, 20);
    drag(25, 25);
    EXPECT_EQ(latched(1), kNothing);
    EXPECT_FALSE(up->touched);
    release(25, 25);
    EXPECT_EQ(latched(1), kNothing);
}

TEST_F(PointerInputKeyManagerTest, TwoCaptureRegionsOfOneKeyShareOneHold)
{
    M::addRegion(Region::createKeyRegion(6, 0, 100, 50, 50));
    M::addRegion(Region::createKeyRegion(6, 100, 100, 50, 50));
    press(10, 110);
    drag(110, 110);
    EXPECT_EQ(latched(6), kPressed);
    drag(120, 120);
    EXPECT_EQ(latched(6), kStillHeld);
    release(120, 120);
    EXPECT_EQ(latched(6), kReleased);
}

TEST_F(PointerInputKeyManagerTest, HoldRegionPressesOnEntryAndReleasesOnExit)
{
    M::addRegion(region(Region::TYPE_HOLD, 5, 0, 0, 50, 50));
    press(10, 10);
    EXPECT_EQ(latched(5), kPressed);
    drag(60, 10);
    EXPECT_EQ(latched(5), kReleased);
    drag(40, 10);
    EXPECT_EQ(latched(5), kPressed);
    release(40, 10);
    EXPECT_EQ(latched(5), kReleased);
}

TEST_F(PointerInputKeyManagerTest, TouchOnlyKeysArePressedByNumber)
{
    M::addRegion(region(Region::TYPE_HOLD, -1, 0, 0, 50, 50));
    M::addRegion(region(Region::TYPE_HOLD, -64, 0, 0, 50, 50));
    press(10, 10);
    EXPECT_EQ(latched(-1), kPressed);
    EXPECT_TRUE(canvas->isHeld(-64));
    EXPECT_FALSE(canvas->isHeld(1)) << "key -1 is not key 1";
    release(10, 10);
    EXPECT_EQ(latched(-64), kReleased);
}

TEST_F(PointerInputKeyManagerTest, SwipeRegionTapsItsKeyByItsSteps)
{
    VMPtr<Region> r = region(Region::TYPE_SWIPE, 6, 0, 0, 100, 100);
    r->direction = 1;
    r->stepsPerExtent = 10;
    r->lastCoord = -1;
    M::addRegion(r);
    press(50, 10);
    wince::advanceVirtualClock(20);
    drag(50, 15);
    EXPECT_EQ(latched(6), kNothing) << "half a step";
    wince::advanceVirtualClock(20);
    drag(50, 30);
    EXPECT_EQ(latched(6), std::make_tuple(2, true, true)) << "two complete taps";
    release(50, 30);
    EXPECT_EQ(r->lastCoord, -1);
    EXPECT_EQ(latched(6), kNothing);
}

TEST_F(PointerInputKeyManagerTest, TouchesArriveInViewportCoordinates)
{
    PointerInputEventManager::setEnabled(true);
    canvas->setViewport(240, 320); // on a 240 x 400 screen: offset y 40
    ASSERT_EQ(canvas->getViewportOffsetY(), 40);
    M::addRegion(Region::createKeyRegion(1, 0, 0, 50, 50));
    press(10, 30); // viewport y -10: outside both
    EXPECT_EQ(latched(1), kNothing);
    EXPECT_EQ(PointerInputEventManager::getEventCount(), 0);
    press(10, 45);
    EXPECT_EQ(latched(1), kPressed);
    drag(10, 395); // viewport y 355: beyond the area's bottom edge
    release(10, 395);
    ASSERT_TRUE(PointerInputEventManager::nextEvent());
    EXPECT_EQ(PointerInputEventManager::getType(), PointerInputEventManager::PRESSED);
    EXPECT_EQ(PointerInputEventManager::getY(), 5);
    ASSERT_TRUE(PointerInputEventManager::nextEvent());
    EXPECT_EQ(PointerInputEventManager::getType(), PointerInputEventManager::RELEASED);
    EXPECT_EQ(PointerInputEventManager::getY(), 319) << "clamped into the viewport";
    EXPECT_FALSE(PointerInputEventManager::nextEvent());
    EXPECT_EQ(latched(1), kReleased);
}

TEST_F(PointerInputKeyManagerTest, ResettingTheKeysReleasesATouchHoldAndForgetsIt)
{
    M::addRegion(region(Region::TYPE_HOLD, 8, 0, 0, 50, 50));
    press(10, 10);
    EXPECT_EQ(latched(8), kPressed);
    canvas->resetKeys();
    EXPECT_EQ(M::keyStateCount, 0);
    EXPECT_EQ(latched(8), kReleased);
    // The finger is still there: the next drag asks for the key afresh.
    drag(12, 12);
    EXPECT_EQ(latched(8), kPressed);
    release(12, 12);
    EXPECT_EQ(latched(8), kReleased);
}

TEST_F(PointerInputKeyManagerTest, ARemovedRegionsKeyIsReleasedByTheNextTouch)
{
    VMPtr<Region> r = region(Region::TYPE_HOLD, 2, 0, 0, 50, 50);
    M::addRegion(r);
    M::addRegion(region(Region::TYPE_HOLD, 3, 100, 0, 50, 50));
    press(10, 10);
    EXPECT_EQ(latched(2), kPressed);
    M::removeRegion(r);
    EXPECT_EQ(latched(2), kStillHeld);
    drag(11, 11);
    EXPECT_EQ(latched(2), kReleased);
}

// ---- The region list ----

// The UI thread's touches against the canvas thread's latches, resets and
// region changes (the tsan run checks the locking): every lock is taken in
// the written order, so nothing deadlocks, and once the last touch ends no
// key is left held.
TEST_F(PointerInputKeyManagerTest, TouchesOnOneThreadWhileAnotherLatchesAndRegisters)
{
    PointerInputEventManager::setEnabled(true);
    M::addRegion(region(Region::TYPE_HOLD, 5, 0, 0, 120, 400));
    M::addRegion(Region::createKeyRegion(1, 120, 0, 120, 400));
    M::addRegion(region(Region::TYPE_HOLD, Region::OWN_KEY, 0, 0, 240, 200));
    VMPtr<Region> swipe = region(Region::TYPE_SWIPE, -3, 0, 200, 240, 200);
    swipe->stepsPerExtent = 8;
    swipe->direction = 3;
    M::addRegion(swipe);
    VMPtr<Region> extra = Region::createKeyRegion(6, 60, 100, 100, 100);
    std::atomic<bool> go{false};
    VMTestThread ui([this, &go] {
        while (!go)
            VMThread::yield();
        for (int32_t i = 0; i < 3000; ++i) {
            int32_t x = (i * 37) % 260 - 10;
            int32_t y = (i * 91) % 420 - 10;
            if (i % 5 == 0)
                canvas->pointerPressed(x, y);
            else if (i % 5 == 4)
                canvas->pointerReleased(x, y);
            else
                canvas->pointerDragged(x, y);
            VMThread::yield();
        }
    });
    go = true;
    int32_t frame = 0;
    for (; !ui.finished(); ++frame) {
        canvas->latchKeys();
        if (frame % 3 == 0)
            M::addRegion(extra);
        else if (frame % 3 == 1)
            M::removeRegion(extra);
        if (frame % 7 == 0)
            canvas->resetKeys();
        while (PointerInputEventManager::nextEvent()) {
        }
        VMThread::yield();
    }
    ASSERT_TRUE(ui.join());
    EXPECT_GT(frame, 100) << "the two threads took turns";
    release(0, 0);
    canvas->latchKeys();
    canvas->latchKeys();
    EXPECT_EQ(M::keyStateCount, 0);
    EXPECT_EQ(canvas->getHeldMask(), 0);
    for (int32_t k : {-3, 5, 1, 6})
        EXPECT_FALSE(canvas->isHeld(k)) << k;
}

TEST_F(PointerInputKeyManagerTest, AddingGivesPerPointerArraysOnceRemovingTakesThem)
{
    VMPtr<Region> capture = Region::createKeyRegion(5, 0, 0, 10, 10);
    VMPtr<Region> hold = region(Region::TYPE_HOLD, 5, 0, 0, 10, 10);
    EXPECT_FALSE(M::addRegion(nullptr));
    ASSERT_TRUE(M::addRegion(capture));
    ASSERT_TRUE(M::addRegion(hold));
    EXPECT_EQ(VMPtr<Region::BoolArray>(capture->pressed)->length, 1);
    EXPECT_TRUE(capture->captured);
    EXPECT_FALSE(hold->captured) << "only capture regions track captures";
    press(5, 5);
    EXPECT_FALSE(M::addRegion(capture)) << "already registered";
    EXPECT_TRUE((*VMPtr<Region::BoolArray>(capture->captured))[0]) << "its flags stay";
    EXPECT_TRUE(M::removeRegion(hold));
    EXPECT_FALSE(hold->pressed);
    EXPECT_FALSE(M::removeRegion(hold));
    EXPECT_EQ(M::getRegionCount(0), 1);
    release(5, 5);
}

TEST_F(PointerInputKeyManagerTest, RemoveRegionsByKey)
{
    VMPtr<Region> a = Region::createKeyRegion(5, 0, 0, 10, 10);
    VMPtr<Region> b = Region::createKeyRegion(2, 0, 0, 10, 10);
    VMPtr<Region> c = Region::createKeyRegion(5, 0, 0, 10, 10);
    VMPtr<Region> d = Region::createKeyRegion(-64, 0, 0, 10, 10);
    for (const VMPtr<Region>& r : {a, b, c, d})
        M::addRegion(r);
    EXPECT_EQ(M::getRegionCount(5), 2);
    EXPECT_EQ(M::getRegionCount(0), 4);
    EXPECT_EQ(M::removeRegions(64), 0) << "no such key";
    EXPECT_EQ(M::removeRegions(5), 2);
    EXPECT_FALSE(a->pressed);
    EXPECT_FALSE(c->captured);
    EXPECT_EQ(M::removeRegions(-64), 1);

    VMPtr<M::RegionArray> out = M::RegionArray::newArray(3);
    M::addRegion(a);
    M::addRegion(c);
    EXPECT_EQ(M::getRegions(out, 0), 3);
    EXPECT_EQ(out->get(0), b);
    EXPECT_EQ(out->get(2), c);
    EXPECT_EQ(M::getRegions(M::RegionArray::newArray(1), 5), 1) << "stops when full";
    EXPECT_EQ(M::getRegions(nullptr, 0), 0);

    EXPECT_EQ(M::removeRegions(0), 0);
    EXPECT_EQ(M::getRegionCount(0), 0);
    EXPECT_TRUE(a->pressed) << "dropping the list leaves the regions' arrays";
}

TEST_F(PointerInputKeyManagerTest, TouchesWithoutAListDoNothing)
{
    press(5, 5);
    release(5, 5);
    EXPECT_EQ(M::keyStateCount, 0);
}

TEST_F(PointerInputKeyManagerTest, RegionsWithoutAKeyIndexMatchButHoldNothing)
{
    for (int8_t key : {int8_t(0), int8_t(64), int8_t(-65), int8_t(126)}) {
        VMPtr<Region> r = Region::createKeyRegion(key, 0, 0, 10, 10);
        M::addRegion(r);
        press(5, 5);
        EXPECT_EQ(M::keyStateCount, 0) << int(key);
        M::latchRegions();
        EXPECT_TRUE(r->touched) << int(key);
        release(5, 5);
        M::removeRegions(0);
    }
}

TEST_F(PointerInputKeyManagerTest, DisabledRegionIgnoresTouches)
{
    VMPtr<Region> r = region(Region::TYPE_HOLD, 3, 0, 0, 10, 10);
    r->enabled = false;
    M::addRegion(r);
    press(5, 5);
    EXPECT_EQ(M::keyStateCount, 0);
    M::latchRegions();
    EXPECT_FALSE(r->touched);
}

TEST_F(PointerInputKeyManagerTest, HeldKeysStayPackedAtTheFrontOfThePool)
{
    // Three hold regions side by side; a press holds the first, drags move
    // along and back so states are freed out of order.
    VMPtr<Region> a = region(Region::TYPE_HOLD, 3, 0, 0, 20, 10);
    VMPtr<Region> b = region(Region::TYPE_HOLD, -1, 10, 0, 20, 10);
    VMPtr<Region> c = region(Region::TYPE_HOLD, 9, 20, 0, 20, 10);
    for (const VMPtr<Region>& r : {a, b, c})
        M::addRegion(r);
    auto checkPool = [](std::initializer_list<int8_t> held) {
        ASSERT_EQ(M::keyStateCount, int32_t(held.size()));
        for (int8_t k : held) {
            int32_t slot = (*VMPtr<M::IntArray>(M::keyStateSlot))[tq::TqCanvas::keyCodeToIndex(k)];
            ASSERT_GE(slot, 0) << int(k);
            ASSERT_LT(slot, M::keyStateCount) << int(k);
            EXPECT_EQ(VMPtr<M::KeyStateArray>(M::keyStates)->get(slot)->key, k);
        }
    };
    press(15, 5); // a and b
    checkPool({3, -1});
    drag(25, 5); // b and c: a freed, c fills in
    checkPool({-1, 9});
    drag(35, 5); // c only
    checkPool({9});
    release(35, 5);
    checkPool({});
    EXPECT_EQ((*VMPtr<M::IntArray>(M::keyStateSlot))[tq::TqCanvas::keyCodeToIndex(9)], -1);
}

} // namespace
