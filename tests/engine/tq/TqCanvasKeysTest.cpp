// Game keys: platform codes folded and bound to game keys, press counts,
// held and released bits latched once a frame, touch-only key states.

#include <gtest/gtest.h>

#include "engine/support/TestGameCanvas.h"

using tq::TqCanvas;
using vxtest::GameCanvasFixture;

namespace {

class TqCanvasKeysTest : public GameCanvasFixture {
protected:
    void tap(int32_t code)
    {
        canvas->keyPressed(code);
        canvas->keyReleased(code);
    }
    // (count, held, released) of key k in the frame.
    std::tuple<int32_t, bool, bool> frame(int32_t k)
    {
        return {canvas->getPressCount(k), canvas->isHeld(k), canvas->wasReleased(k)};
    }
};

constexpr int32_t kFire = 8;
constexpr int32_t kEnter = 13;

TEST_F(TqCanvasKeysTest, ATapBetweenFramesShowsPressedHeldAndReleasedForOneFrame)
{
    tap(kEnter);
    canvas->latchKeys();
    EXPECT_EQ(frame(kFire), std::make_tuple(1, true, true));
    EXPECT_TRUE(canvas->wasPressed(kFire));
    EXPECT_TRUE(canvas->getStatusByte());
    canvas->latchKeys();
    EXPECT_EQ(frame(kFire), std::make_tuple(0, false, false));
    EXPECT_FALSE(canvas->wasPressed(kFire));
    EXPECT_FALSE(canvas->getStatusByte());
}

TEST_F(TqCanvasKeysTest, AHeldKeyCountsOnceAndStaysHeldUntilReleased)
{
    canvas->keyPressed(-1);
    canvas->latchKeys();
    EXPECT_EQ(frame(1), std::make_tuple(1, true, false));
    canvas->keyPressed(-1); // already down: not counted again
    canvas->latchKeys();
    EXPECT_EQ(frame(1), std::make_tuple(0, true, false));
    canvas->latchKeys();
    EXPECT_EQ(frame(1), std::make_tuple(0, true, false));
    canvas->keyReleased(-1);
    canvas->latchKeys();
    EXPECT_EQ(frame(1), std::make_tuple(0, false, true));
    canvas->keyReleased(-1); // not down: nothing
    canvas->latchKeys();
    EXPECT_EQ(frame(1), std::make_tuple(0, false, false));
}

TEST_F(TqCanvasKeysTest, PressCountsSaturateAtSixtyThree)
{
    for (int i = 0; i < 64; i++)
        tap('5');
    canvas->latchKeys();
    EXPECT_EQ(frame(16 + 5), std::make_tuple(63, true, true));
    EXPECT_EQ(canvas->getKeyState(16 + 5), int8_t(0xC0 | 63));
}

TEST_F(TqCanvasKeysTest, CodesAreFoldedAndBoundByTheKeyTable)
{
    struct Case {
        int32_t code;
        int32_t gameKey;
    } cases[] = {
        {-1, 1},  {-3, 2},  {'#', 3}, {-4, 5}, {-2, 6},   {13, 8},   {-10, 9},  {'*', 10},
        {-9, 15}, {'0', 16}, {'9', 25}, {-11, 26}, {'u', 17}, {'1', 17}, {',', 10}, {'.', 16},
        {'m', 23}, {0xF6, 24}, {0xE4, 25}, {0xE5, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        canvas->keyPressed(c.code);
        canvas->latchKeys();
        EXPECT_EQ(canvas->getFirstPressedKey(), c.gameKey);
        EXPECT_EQ(canvas->getPressedMask(), c.gameKey < 32 ? int32_t(1u << c.gameKey) : 0);
        canvas->keyReleased(c.code);
        canvas->latchKeys();
        EXPECT_EQ(canvas->getFirstReleasedKey(), c.gameKey);
        canvas->latchKeys();
    }
}

TEST_F(TqCanvasKeysTest, UnboundCodesAndOtherEventTypesChangeNothing)
{
    for (int32_t code : std::initializer_list<int32_t>{0, 'z', 'U', -5, -64, 999, INT32_MIN})
        tap(code);
    canvas->handleKey(13, 0);
    canvas->handleKey(13, 3);
    canvas->keyRepeated(13);
    canvas->latchKeys();
    for (int32_t k = -64; k < 64; k++)
        EXPECT_EQ(canvas->getKeyState(k), 0) << k;
    EXPECT_EQ(canvas->getPressedMask(), 0);
    // Unbound presses still count as some key pressed.
    EXPECT_TRUE(canvas->getStatusByte());
}

TEST_F(TqCanvasKeysTest, TouchOnlyKeysAreReachedByNegativeNumbers)
{
    canvas->pressKey(-1);
    canvas->pressKey(-64);
    canvas->pressKey(0);
    canvas->pressKey(64);
    canvas->pressKey(-65);
    canvas->latchKeys();
    EXPECT_TRUE(canvas->isHeld(-1));
    EXPECT_TRUE(canvas->isHeld(-64));
    EXPECT_EQ(canvas->getPressCount(-1), 1);
    EXPECT_EQ(canvas->getHeldMask(), 0);
    // Out-of-range numbers read index 0, which no key reaches.
    EXPECT_EQ(canvas->getKeyState(64), 0);
    EXPECT_EQ(canvas->getKeyState(0), 0);
    canvas->releaseKey(-1);
    canvas->latchKeys();
    EXPECT_TRUE(canvas->wasReleased(-1));
    EXPECT_FALSE(canvas->isHeld(-1));
    EXPECT_TRUE(canvas->isHeld(-64));
}

TEST_F(TqCanvasKeysTest, MasksCoverGameKeysOneToThirtyOne)
{
    canvas->pressKey(1);
    canvas->pressKey(8);
    canvas->pressKey(40);
    canvas->pressKey(31);
    canvas->latchKeys();
    EXPECT_EQ(uint32_t(canvas->getHeldMask()), 0x80000102u);
    EXPECT_EQ(canvas->getFirstHeldKey(), 1);
    canvas->releaseKey(1);
    canvas->releaseKey(31);
    canvas->latchKeys();
    EXPECT_EQ(canvas->getHeldMask(), 0x100);
    EXPECT_EQ(canvas->getPressedMask(), 0);
    EXPECT_EQ(uint32_t(canvas->getReleasedMask()), 0x80000002u);
    EXPECT_EQ(canvas->getFirstReleasedKey(), 1);
    EXPECT_EQ(canvas->getFirstPressedKey(), 0);
}

TEST_F(TqCanvasKeysTest, ResetTurnsHeldKeysIntoReleasesAtTheNextLatch)
{
    canvas->keyPressed(kEnter);
    canvas->latchKeys();
    ASSERT_TRUE(canvas->isHeld(kFire));
    canvas->resetKeys();
    EXPECT_EQ(canvas->getKeyState(kFire), 0);
    EXPECT_EQ(canvas->getHeldMask(), 0);
    canvas->latchKeys();
    EXPECT_EQ(frame(kFire), std::make_tuple(0, false, true));
    // The key is up for the canvas now: its platform release changes nothing.
    canvas->keyReleased(kEnter);
    canvas->latchKeys();
    EXPECT_EQ(frame(kFire), std::make_tuple(0, false, false));
}

TEST_F(TqCanvasKeysTest, KeyNumbersMapToTheirIndexes)
{
    const std::pair<int32_t, int32_t> cases[] = {
        {0, -1}, {1, 1}, {63, 63}, {64, -1}, {-1, 64}, {-64, 127}, {-65, -1}, {INT32_MIN, -1},
    };
    for (auto [code, index] : cases)
        EXPECT_EQ(TqCanvas::keyCodeToIndex(code), index) << code;
}

} // namespace
