#include <cstdint>
#include <deque>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "engine/support/TestGameCanvas.h"
#include "hal/hal.h"
#include "support/VMFixture.h"
#include "tq/input/PointerInputEventManager.h"
#include "vm/VMEventRegistry.h"

using tq::input::PointerInputEventManager;

namespace {

using M = PointerInputEventManager;

constexpr int8_t P = M::PRESSED;
constexpr int8_t D = M::DRAGGED;
constexpr int8_t R = M::RELEASED;

struct Ev {
    int8_t type;
    int32_t x;
    int32_t y;
    bool operator==(const Ev& o) const { return type == o.type && x == o.x && y == o.y; }
};

std::ostream& operator<<(std::ostream& os, const Ev& e)
{
    return os << "{" << int(e.type) << ", " << e.x << ", " << e.y << "}";
}

// An enabled, empty queue over the rectangle (10, 20, 200, 300), nothing
// held or blocked, every pointer up.
class PointerInputEventManagerTest : public VMFixture {
protected:
    void SetUp() override
    {
        M::setEnabled(false);
        M::setInputBlocked(false);
        M::setQueueHeld(false);
        M::init();
        M::setInputArea(10, 20, 200, 300);
        M::setEnabled(true);
    }
    // The area's origin outlives init: back to the whole viewport for the
    // tests that follow in the same process.
    void TearDown() override
    {
        M::setEnabled(false);
        M::setInputArea(0, 0, -1, -1);
    }

    static void add(int8_t type, int32_t x, int32_t y) { M::addEvent(0, x, y, type, 0); }

    static std::vector<Ev> drain()
    {
        std::vector<Ev> out;
        while (M::nextEvent())
            out.push_back({M::getType(), M::getX(), M::getY()});
        return out;
    }
};

TEST_F(PointerInputEventManagerTest, RepairsEverySequenceIntoPressDragsRelease)
{
    struct Case {
        const char* what;
        std::vector<Ev> in;
        std::vector<Ev> queued;
    } cases[] = {
        {"drag out ends the touch at the edge, drag in starts a new one",
         {{P, 50, 50}, {D, 5, 60}, {D, 0, 70}, {D, 60, 80}, {R, 60, 80}},
         {{P, 50, 50}, {R, 10, 60}, {P, 60, 80}, {R, 60, 80}}},
        {"a drag without a press is a press",
         {{D, 30, 40}}, {{P, 30, 40}}},
        {"a release without a press is dropped",
         {{R, 30, 40}}, {}},
        {"a second press releases the first at its last position",
         {{P, 30, 30}, {D, 40, 40}, {P, 50, 50}},
         {{P, 30, 30}, {D, 40, 40}, {R, 40, 40}, {P, 50, 50}}},
        {"right and bottom edges are out, left and top in",
         {{P, 210, 100}, {P, 100, 320}, {P, 10, 20}, {D, 209, 319}},
         {{P, 10, 20}, {D, 209, 319}}},
        {"a release outside a held touch is clamped to the far corner",
         {{P, 100, 100}, {R, 900, 900}}, {{P, 100, 100}, {R, 209, 319}}},
        {"outside events with the pointer up are dropped",
         {{P, -5, 30}, {D, 9, 30}, {R, 9, 30}}, {}},
    };
    for (const Case& c : cases) {
        SetUp();
        for (const Ev& e : c.in)
            add(e.type, e.x, e.y);
        EXPECT_EQ(drain(), c.queued) << c.what;
    }
}

TEST_F(PointerInputEventManagerTest, DropsOtherPointersAndBlockedInput)
{
    M::addEvent(1, 50, 50, P, 0);
    M::setInputBlocked(true);
    add(P, 50, 50);
    EXPECT_EQ(M::getEventCount(), 0);
    M::setInputBlocked(false);
    // The blocked press left the pointer up: this release has nothing to end.
    add(R, 50, 50);
    EXPECT_EQ(drain(), std::vector<Ev>{});
}

TEST_F(PointerInputEventManagerTest, TruncatesPositionsToSixteenBits)
{
    M::setInputArea(0, 0, 100000, 100000);
    add(P, 70000, 32768);
    EXPECT_EQ(drain(), (std::vector<Ev>{{P, 70000 - 65536, -32768}}));
}

TEST_F(PointerInputEventManagerTest, FullRingKeepsAPendingPressOrReleaseAtItsFront)
{
    // A press and 20 drags: the earliest drag goes, the press stays first.
    add(P, 50, 50);
    for (int32_t i = 1; i <= 20; ++i)
        add(D, 50, 50 + i);
    ASSERT_EQ(M::getEventCount(), 20);
    std::vector<Ev> got = drain();
    ASSERT_EQ(got.size(), 20u);
    EXPECT_EQ(got[0], (Ev{P, 50, 50}));
    EXPECT_EQ(got[1], (Ev{D, 50, 52}));
    EXPECT_EQ(got[19], (Ev{D, 50, 70}));
}

TEST_F(PointerInputEventManagerTest, FullRingDropsAFrontPressWithItsRelease)
{
    // P R P D*17 fills the ring; the next event drops the first pair.
    add(P, 50, 50);
    add(R, 50, 50);
    add(P, 60, 60);
    for (int32_t i = 1; i <= 17; ++i)
        add(D, 60, 60 + i);
    ASSERT_EQ(M::getEventCount(), 20);
    add(D, 60, 99);
    EXPECT_EQ(M::getEventCount(), 19);
    std::vector<Ev> got = drain();
    ASSERT_EQ(got.size(), 19u);
    EXPECT_EQ(got[0], (Ev{P, 60, 60}));
    EXPECT_EQ(got[18], (Ev{D, 60, 99}));
}

TEST_F(PointerInputEventManagerTest, FullRingKeepsAFrontReleaseAndThePressBehindIt)
{
    // R at the front (its press drained), then P and drags.
    add(P, 50, 50);
    ASSERT_TRUE(M::nextEvent());
    add(R, 50, 50);
    add(P, 70, 70);
    for (int32_t i = 1; i <= 18; ++i)
        add(D, 70, 70 + i);
    ASSERT_EQ(M::getEventCount(), 20);
    add(D, 70, 99);
    std::vector<Ev> got = drain();
    ASSERT_EQ(got.size(), 20u);
    EXPECT_EQ(got[0], (Ev{R, 50, 50}));
    EXPECT_EQ(got[1], (Ev{P, 70, 70}));
    EXPECT_EQ(got[2], (Ev{D, 70, 72})) << "the first drag behind the press is gone";
    EXPECT_EQ(got[19], (Ev{D, 70, 99}));
}

// The queue against a model written from the rules: inside events repaired
// per pointer, a full ring dropping by the front rule. Seeded.
TEST_F(PointerInputEventManagerTest, MatchesTheRulesOverRandomTouchesAndDrains)
{
    std::mt19937 rng(20261211);
    std::deque<Ev> model;
    bool down = false;
    Ev last{0, 0, 0};
    auto push = [&](Ev e) {
        if (model.size() == 20) {
            size_t c = model[0].type == R ? 1 : 0;
            if (model[c].type == P && model[c + 1].type == R)
                model.erase(model.begin() + long(c), model.begin() + long(c) + 2);
            else if (model[c].type == P)
                model.erase(model.begin() + long(c) + 1);
            else
                model.erase(model.begin() + long(c));
        }
        model.push_back(e);
        down = e.type != R;
        last = e;
    };
    for (int32_t step = 0; step < 20000; ++step) {
        int32_t roll = int32_t(rng() % 100);
        if (roll < 3) {
            std::vector<Ev> expected(model.begin(), model.end());
            model.clear();
            ASSERT_EQ(drain(), expected) << "step " << step;
            continue;
        }
        Ev e{int8_t(roll < 15 ? P : roll < 25 ? R : D), 10 + int32_t(rng() % 200),
             20 + int32_t(rng() % 300)};
        add(e.type, e.x, e.y);
        if (!down) {
            if (e.type == R)
                continue;
            e.type = P;
        } else if (e.type == P) {
            push({R, last.x, last.y});
        }
        push(e);
        ASSERT_EQ(M::getEventCount(), int32_t(model.size())) << "step " << step;
    }
}

TEST_F(PointerInputEventManagerTest, HeldQueueDeliversNothingButStillFills)
{
    add(P, 50, 50);
    M::setQueueHeld(true);
    add(D, 60, 60);
    EXPECT_EQ(M::getEventCount(), 2);
    EXPECT_FALSE(M::nextEvent());
    M::setQueueHeld(false);
    EXPECT_EQ(drain(), (std::vector<Ev>{{P, 50, 50}, {D, 60, 60}}));
}

TEST_F(PointerInputEventManagerTest, EnablingAgainKeepsTheRingDisablingEmptiesIt)
{
    add(P, 50, 50);
    EXPECT_TRUE(M::setEnabled(true));
    EXPECT_EQ(M::getEventCount(), 1);
    M::setEnabled(false);
    EXPECT_FALSE(M::nextEvent());
    // Tracking goes on while disabled: the pointer is still down, so a drag
    // after re-enabling is a drag, and a press releases first.
    add(D, 55, 55);
    M::setEnabled(true);
    EXPECT_EQ(M::getEventCount(), 0);
    add(D, 56, 56);
    add(P, 70, 70);
    EXPECT_EQ(drain(), (std::vector<Ev>{{D, 56, 56}, {R, 56, 56}, {P, 70, 70}}));
}

TEST_F(PointerInputEventManagerTest, ReleaseAllPointersEndsAHeldTouchEvenWhenBlocked)
{
    add(P, 50, 50);
    add(D, 80, 90);
    M::setInputBlocked(true);
    M::releaseAllPointers();
    M::releaseAllPointers(); // the pointer is up now: nothing more
    EXPECT_EQ(drain(), (std::vector<Ev>{{P, 50, 50}, {D, 80, 90}, {R, 80, 90}}));
}

TEST_F(PointerInputEventManagerTest, ResetEmptiesTheRingAndTheCurrentEvent)
{
    add(P, 50, 50);
    add(D, 60, 60);
    ASSERT_TRUE(M::nextEvent());
    M::reset();
    EXPECT_EQ(M::getEventCount(), 0);
    EXPECT_FALSE(M::nextEvent());
    EXPECT_EQ(M::getX(), 0);
    EXPECT_EQ(M::getType(), 0);
    // The next event lands in slot 0 again and is delivered normally.
    add(D, 61, 61);
    EXPECT_EQ(drain(), (std::vector<Ev>{{D, 61, 61}}));
}

TEST_F(PointerInputEventManagerTest, IsZeroAnswersOnlyFalse)
{
    EXPECT_TRUE(M::isZero(false));
    EXPECT_FALSE(M::isZero(true));
}

// ---- On a canvas: the viewport and the pause machine ----

// A canvas on the 240 x 400 screen with the managers set up as the loop's
// start does and the queue enabled.
class PointerQueueOnCanvasTest : public vxtest::GameCanvasFixture {
protected:
    void SetUp() override
    {
        GameCanvasFixture::SetUp();
        M::setEnabled(false);
        canvas->startPointerInput();
        M::setEnabled(true);
    }
    void TearDown() override
    {
        M::setEnabled(false);
        GameCanvasFixture::TearDown();
    }
    static std::vector<Ev> drain()
    {
        std::vector<Ev> out;
        while (M::nextEvent())
            out.push_back({M::getType(), M::getX(), M::getY()});
        return out;
    }
};

TEST_F(PointerQueueOnCanvasTest, InputAreaFollowsTheViewport)
{
    canvas->pointerPressed(239, 399); // the whole screen's last pixel
    canvas->setViewport(240, 320);    // offset y 40, area 240 x 320
    canvas->pointerDragged(239, 359); // viewport y 319: still inside
    canvas->pointerDragged(239, 360); // viewport y 320: outside
    EXPECT_EQ(drain(), (std::vector<Ev>{{P, 239, 399}, {D, 239, 319}, {R, 239, 319}}));
    // A rectangle of its own does not follow the viewport; only the offset.
    M::setInputArea(0, 0, 100, 100);
    canvas->setViewport(0, 0);
    canvas->pointerPressed(99, 99);
    canvas->pointerPressed(100, 99); // outside: ends the touch at the edge
    EXPECT_EQ(drain(), (std::vector<Ev>{{P, 99, 99}, {R, 99, 99}}));
}

TEST_F(PointerQueueOnCanvasTest, SuspendHoldsTheQueueThenReleasesAFingerThatWasDown)
{
    show();
    ASSERT_TRUE(runUntil([&] { return canvas->notices.size() >= 1; }));
    canvas->pointerPressed(50, 50);
    HAL_dispatchEvent(HAL_EVENT_INACTIVE, 0, nullptr);
    EXPECT_EQ(M::getEventCount(), 1);
    EXPECT_FALSE(M::nextEvent()) << "held until the suspension is carried out";
    ASSERT_TRUE(runUntil([&] { return canvas->notices.size() >= 2; }));
    canvas->pointerPressed(60, 60); // blocked while suspended
    EXPECT_EQ(drain(), (std::vector<Ev>{{P, 50, 50}, {R, 50, 50}}));
    HAL_dispatchEvent(HAL_EVENT_ACTIVE, 0, nullptr);
    ASSERT_TRUE(runUntil([&] { return canvas->notices.size() >= 4; }));
    canvas->pointerPressed(70, 70);
    EXPECT_EQ(drain(), (std::vector<Ev>{{P, 70, 70}}));
}

} // namespace
