// Keys and touches given to the window, as the runtime receives them:
// events 8 to 13 with the canvas's rules. The virtual clock stands still
// between steps, so time-dependent rules are exact.

#include <gtest/gtest.h>

#include "hal/hal.h"
#include "support/AppFolder.h"
#include "support/RecordingRuntime.h"
#include "wince/clock.h"
#include "wince/testing.h"

namespace {

using vxtest::AppFolder;
using vxtest::RecordedEvent;
using vxtest::RecordingRuntime;

constexpr intptr_t kCanvasObject = 0x5A;

// One step of input: what to inject, then how far the clock moves on.
struct Step {
    enum Kind { KeyDown, KeyRepeat, KeyUp, StylusDown, StylusUp, StylusDrag } kind;
    int a;  // virtual key, or x
    int b;  // y
    DWORD advance;
};

// Boots with a canvas as the current displayable, plays the steps (each
// handled before the clock moves), closes, and answers the input events.
std::vector<RecordedEvent> play(const std::vector<Step>& steps)
{
    RecordingRuntime runtime;
    HALCanvas* canvas = nullptr;
    runtime.onBoot([&] {
        EXPECT_EQ(HAL_createCanvas(&canvas, kCanvasObject), 0);
        HAL_setCurrentDisplayable(canvas);
    });
    wince::useVirtualClock(10000, nullptr);
    int result = runtime.run([&] {
        EXPECT_TRUE(runtime.waitForBoot());
        for (const Step& s : steps) {
            switch (s.kind) {
            case Step::KeyDown:
            case Step::KeyRepeat:
            case Step::KeyUp:
                EXPECT_TRUE(wince::injectKey(s.a, s.kind != Step::KeyUp, s.kind == Step::KeyRepeat));
                break;
            case Step::StylusDown:
                EXPECT_TRUE(wince::injectStylus(WM_LBUTTONDOWN, s.a, s.b));
                break;
            case Step::StylusUp:
                EXPECT_TRUE(wince::injectStylus(WM_LBUTTONUP, s.a, s.b));
                break;
            case Step::StylusDrag:
                EXPECT_TRUE(wince::injectStylus(WM_MOUSEMOVE, s.a, s.b));
                break;
            }
            EXPECT_TRUE(runtime.settle());
            wince::advanceVirtualClock(s.advance);
        }
        wince::injectWindowEvent(wince::WindowEvent::Close);
    });
    wince::useRealClock();
    EXPECT_EQ(result, 0);
    std::vector<RecordedEvent> all = runtime.events();
    EXPECT_FALSE(all.empty());
    if (!all.empty()) {
        EXPECT_EQ(all.front(), (RecordedEvent{HAL_EVENT_DISPLAYABLE_CHANGED, {kCanvasObject}}));
    }
    HAL_deleteCanvas(canvas);
    return runtime.events({8, 9, 10, 11, 12, 13});
}

RecordedEvent key(int32_t type, intptr_t code)
{
    return {type, {code}};
}

RecordedEvent point(int32_t type, intptr_t x, intptr_t y)
{
    return {type, {x, y}};
}

TEST(Keys, CharactersNavigationKeysAndShift)
{
    AppFolder app;
    std::vector<Step> steps = {
        {Step::KeyDown, 'A', 0, 10},       {Step::KeyUp, 'A', 0, 10},
        {Step::KeyDown, VK_SHIFT, 0, 10},  {Step::KeyDown, 'A', 0, 10},
        {Step::KeyUp, 'A', 0, 10},         {Step::KeyUp, VK_SHIFT, 0, 10},
        {Step::KeyDown, '5', 0, 10},       {Step::KeyUp, '5', 0, 10},
        {Step::KeyDown, VK_RETURN, 0, 10}, {Step::KeyUp, VK_RETURN, 0, 10},
        {Step::KeyDown, VK_F1, 0, 10},     {Step::KeyUp, VK_F1, 0, 10},
    };
    std::vector<RecordedEvent> expected = {
        key(8, 'a'), key(9, 'a'),
        key(8, VK_SHIFT - 1500), key(8, 'A'), key(9, 'A'), key(9, VK_SHIFT - 1500),
        key(8, '5'), key(9, '5'),
        key(8, -5), key(9, -5),  // Return types no character: it is the action key
        key(8, -6), key(9, -6),  // first soft key
    };
    EXPECT_EQ(play(steps), expected);
}

TEST(Keys, HeldKeyRepeatsOnceThenOnlyFromAHundredMillisecondsOn)
{
    AppFolder app;
    std::vector<Step> steps = {
        {Step::KeyDown, VK_UP, 0, 30},
        {Step::KeyRepeat, VK_UP, 0, 30},  // first repeat at +30: delivered
        {Step::KeyRepeat, VK_UP, 0, 30},  // +60: dropped
        {Step::KeyRepeat, VK_UP, 0, 39},  // +90: dropped
        {Step::KeyRepeat, VK_UP, 0, 1},   // +129: dropped, one short of the hold
        {Step::KeyRepeat, VK_UP, 0, 30},  // +130: delivered
        {Step::KeyUp, VK_UP, 0, 10},
        {Step::KeyDown, VK_DOWN, 0, 30},  // another key starts afresh
        {Step::KeyRepeat, VK_DOWN, 0, 10},
        {Step::KeyUp, VK_DOWN, 0, 10},
    };
    std::vector<RecordedEvent> expected = {
        key(8, -1), key(10, -1), key(10, -1), key(9, -1), key(8, -2), key(10, -2), key(9, -2),
    };
    EXPECT_EQ(play(steps), expected);
}

TEST(Keys, ReleaseWithoutPressDeliversThePressFirst)
{
    AppFolder app;
    std::vector<Step> steps = {{Step::KeyUp, VK_LEFT, 0, 10}};
    EXPECT_EQ(play(steps), (std::vector<RecordedEvent>{key(8, -3), key(9, -3)}));
}

TEST(Pointer, TapsDragsAndDuplicates)
{
    AppFolder app;
    std::vector<Step> steps = {
        {Step::StylusDown, 100, 100, 10},
        {Step::StylusDown, 102, 101, 10},  // same type, close, 10 ms later: dropped
        {Step::StylusUp, 102, 101, 100},
        {Step::StylusDrag, 50, 60, 100},   // a drag without a press presses first
        {Step::StylusDrag, 52, 61, 5},
        {Step::StylusDrag, 53, 62, 100},   // 5 ms after the last: dropped
        {Step::StylusUp, 53, 62, 100},
        {Step::StylusUp, 10, 10, 100},     // a release without a press
        {Step::StylusDown, 200, 200, 10},
        {Step::StylusDown, 205, 200, 100}, // as far as 5 pixels: delivered
    };
    std::vector<RecordedEvent> expected = {
        point(11, 100, 100), point(12, 102, 101), point(11, 50, 60), point(13, 50, 60),
        point(13, 52, 61),   point(12, 53, 62),   point(11, 10, 10), point(12, 10, 10),
        point(11, 200, 200), point(11, 205, 200),
    };
    EXPECT_EQ(play(steps), expected);
}

TEST(Pointer, KnownDeviceIgnoresItsFaultyPoints)
{
    AppFolder app;
    wince::setDeviceTexts(u"HTC Touch Diamond P3700", nullptr, nullptr);
    std::vector<Step> steps = {
        {Step::StylusDown, 407, 26, 100},
        {Step::StylusUp, 407, 26, 100},
        {Step::StylusDown, 407, 27, 100},
        {Step::StylusUp, 407, 27, 100},
    };
    std::vector<RecordedEvent> events = play(steps);
    wince::resetDevice();
    EXPECT_EQ(events, (std::vector<RecordedEvent>{point(11, 407, 27), point(12, 407, 27)}));
}

TEST(Pointer, UnknownDeviceIgnoresNothing)
{
    AppFolder app;
    std::vector<Step> steps = {{Step::StylusDown, 407, 26, 100}, {Step::StylusUp, 407, 26, 100}};
    EXPECT_EQ(play(steps), (std::vector<RecordedEvent>{point(11, 407, 26), point(12, 407, 26)}));
}

}  // namespace

namespace {

TEST(KeyTables, CodesActionsAndNames)
{
    EXPECT_EQ(HAL_getKeyCode(HAL_ACTION_FIRE), -5);
    EXPECT_EQ(HAL_getKeyCode(3), 0);
    EXPECT_EQ(HAL_getGameAction(-2), HAL_ACTION_DOWN);
    EXPECT_EQ(HAL_getGameAction(-24), HAL_ACTION_NONE);  // the wheel's up is no game key
    struct Name {
        int32_t code;
        const char16_t* name;
    };
    const Name names[] = {
        {-5, u"Action"}, {-28, u"Action"},   {-1, u"Up"}, {-6, u"Softkey 1"}, {35, u"#"},
        {42, u"*"},      {-12, u"Home screen"}, {65, u""}, {-1500 + 129, u"Power"},
    };
    for (const Name& n : names) {
        char16_t buffer[16];
        int32_t length = 16;
        EXPECT_EQ(HAL_getKeyName(n.code, buffer, &length), 1);
        EXPECT_EQ(std::u16string(buffer, static_cast<size_t>(length)), n.name) << n.code;
    }
    char16_t small[3];
    int32_t length = 3;
    EXPECT_EQ(HAL_getKeyName(-3, small, &length), 1);
    EXPECT_EQ(std::u16string(small, static_cast<size_t>(length)), u"Lef");
    EXPECT_EQ(HAL_getKeyName(-3, nullptr, &length), 0);
}

TEST(KeyTables, VirtualKeysToKeyCodes)
{
    struct Case {
        uint32_t vk;
        bool wheel;
        int32_t code;
    };
    const Case cases[] = {
        {VK_UP, false, -1},   {VK_UP, true, -24},  {VK_RETURN, true, -28}, {'7', false, '7'},
        {103, false, '7'},    {'Q', false, 'Q'},   {VK_SPACE, false, 32},  {VK_BACK, false, -9},
        {VK_SHIFT, false, 16 - 1500}, {0, false, 0}, {219, false, 91},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HAL_keyCodeFromVirtualKey(c.vk, c.wheel), c.code) << c.vk;
    }
}

TEST(KeyTables, StatesReportAKeyPressedAndReleasedBetweenReadsOnce)
{
    HAL_getKeyStates();
    HAL_latchGameAction(HAL_ACTION_LEFT, true);
    HAL_latchGameAction(HAL_ACTION_LEFT, false);
    HAL_latchGameAction(HAL_ACTION_FIRE, true);  // still held
    EXPECT_EQ(HAL_getKeyStates(), (1 << HAL_ACTION_LEFT) | (1 << HAL_ACTION_FIRE));
    EXPECT_EQ(HAL_getKeyStates(), 1 << HAL_ACTION_FIRE);
    HAL_latchGameAction(HAL_ACTION_FIRE, false);
    EXPECT_EQ(HAL_getKeyStates(), 1 << HAL_ACTION_FIRE);
    EXPECT_EQ(HAL_getKeyStates(), 0);
}

}  // namespace
