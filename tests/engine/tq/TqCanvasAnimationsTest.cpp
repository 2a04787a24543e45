#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/support/AnimationSetBytes.h"
#include "engine/support/EngineBytes.h"
#include "java/io/EOFException.h"
#include "java/io/IOException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/TqCanvasAnimations.h"

using tq::TqCanvasAnimations;
using ShortArray = TqCanvasAnimations::ShortArray;

namespace {

using namespace vxtest::anim;

class TqCanvasAnimationsTest : public VMFixture {};

// Three keys 100 ms each at x 0, 10, 30 (y 0, -4, 300); frames 0..2.
Set walk(int loops, int interpolation = 0, int middleKind = 0)
{
    return Set{{Animation{loops,
                          {{0, 0, 0, 0, 0, interpolation},
                           {1, 10, -4, middleKind, 0, interpolation},
                           {2, 30, 300, 0, 0, interpolation}}}},
               {Frame{}, Frame{}, Frame{}},
               {100}};
}

VMPtr<TqCanvasAnimations> storeWith(int id, const Set& s)
{
    VMPtr<TqCanvasAnimations> store = TqCanvasAnimations::newInstance()->init();
    store->loadAnimationSet(id, vmDataStream(encode(s)));
    return store;
}

std::vector<int> shortsOf(const VMPtr<ShortArray>& a, int n)
{
    return std::vector<int>(a->elements(), a->elements() + n);
}

TEST_F(TqCanvasAnimationsTest, FramesKeepTheirPartsAndBoxesUnderEachTransform)
{
    Set s{{Animation{-1, {{1, 0, 0, 0, 0, 0}}}},
          {Frame{{}, {}},
           Frame{{{3, 5, -6, 0}, {700, -300, 2, 2}, {1, 0, 0, 1}},
                 {{-2, 3, 10, 20, 1}, {1000, -1000, 1023, 1023, 2}, {4, 5, 6, 7, 1}}}},
          {50}};
    VMPtr<TqCanvasAnimations> store = storeWith(7, s);
    EXPECT_EQ(store->getFrameCount(7), 2);
    EXPECT_EQ(store->getFrameBoxCount(7, 1), 3);
    EXPECT_EQ(store->getFrameBoxCount(7, 0), 0);

    struct Case {
        int transform;
        bool filter;
        int type;
        std::vector<int> boxes;
    } cases[] = {
        {0, false, 0, {-2, 3, 10, 20, 1, 1000, -1000, 1023, 1023, 2, 4, 5, 6, 7, 1}},
        {2, true, 1, {-8, 3, 10, 20, 1, -10, 5, 6, 7, 1}},
        {1, true, 2, {1000, -23, 1023, 1023, 2}},
        {5, true, 1, {-23, -2, 20, 10, 1, -12, 4, 7, 6, 1}},
        {6, true, 1, {3, -8, 20, 10, 1, 5, -10, 7, 6, 1}},
    };
    for (const Case& c : cases) {
        VMPtr<ShortArray> out = ShortArray::newArray(20);
        int n = store->getFrameBoxes(out, 1, c.transform, c.filter, c.type);
        EXPECT_EQ(shortsOf(out, n * 5), c.boxes) << c.transform;
    }
    // Room for one box only (length 9 <= 4 + 5).
    VMPtr<ShortArray> small = ShortArray::newArray(9);
    EXPECT_EQ(store->getFrameBoxes(small, 1, 0, false, 0), 1);

    VMPtr<ShortArray> parts = ShortArray::newArray(12);
    EXPECT_EQ(store->getFrameParts(parts, 1, 2), 3);
    EXPECT_EQ(shortsOf(parts, 12), (std::vector<int>{3, -5, -6, 2, 700, -300, 2, 0, 1, 0, 0, 3}));
    // Seven shorts hold one part; the count is still the frame's.
    VMPtr<ShortArray> seven = ShortArray::newArray(7);
    EXPECT_EQ(store->getFrameParts(seven, 1, 0), 3);
    EXPECT_EQ(shortsOf(seven, 7), (std::vector<int>{3, 5, -6, 0, 0, 0, 0}));
}

TEST_F(TqCanvasAnimationsTest, EscapedValuesReadTheirSixteenBitForms)
{
    // Frame index 256 (255, 1, 0) and x -2 (0x80, 0xFF, 0xFE).
    Set s{{Animation{-1, {{256, -2, -200, 0, 0, 0}}}}, {}, {10}};
    Bytes b = encode(s);
    VMPtr<TqCanvasAnimations> store = storeWith(3, s);
    store->startAnimation(0, 3, 0);
    EXPECT_EQ(store->getCurrentFrame(0), 256);
    store->setAnimationKey(0, 0);
    EXPECT_EQ(store->getMotionX(0), -2);
    EXPECT_EQ(store->getMotionY(0), -200);
}

TEST_F(TqCanvasAnimationsTest, LoopsEndOnTheLastKeyOrWrapForEver)
{
    VMPtr<TqCanvasAnimations> store = storeWith(1, walk(1));
    store->startAnimation(0, 1, 0);
    EXPECT_TRUE(store->updateAnimation(0, 150));
    EXPECT_EQ(store->getAnimationKey(0), 1);
    EXPECT_EQ(store->getAnimationTime(0), 150);
    EXPECT_EQ(store->getMotionX(0), 10);
    EXPECT_FALSE(store->updateAnimation(0, 1000));
    EXPECT_EQ(store->getAnimationKey(0), 2);
    EXPECT_EQ(store->getAnimationTime(0), 300); // clamped to the last key's end
    EXPECT_EQ(store->getMotionX(0), 20);
    EXPECT_FALSE(store->updateAnimation(0, 10));
    EXPECT_EQ(store->getMotionX(0), 0);

    store->loadAnimationSet(2, vmDataStream(encode(walk(-1))));
    store->startAnimation(1, 2, 0);
    // 350 ms: through key 2 and back to key 0 plus 50 ms.
    EXPECT_TRUE(store->updateAnimation(1, 350));
    EXPECT_EQ(store->getAnimationKey(1), 0);
    // The motion goes on past the end: to x 30, then 0 more from key 0.
    EXPECT_EQ(store->getMotionX(0), 30);
    EXPECT_EQ(store->getMotionY(0), 300);
    for (int i = 0; i < 50; i++)
        EXPECT_TRUE(store->updateAnimation(1, 97));
}

TEST_F(TqCanvasAnimationsTest, AKindThreeKeyStopsTheAdvance)
{
    VMPtr<TqCanvasAnimations> store = storeWith(1, walk(-1, 0, 3));
    store->startAnimation(0, 1, 0);
    EXPECT_TRUE(store->updateAnimation(0, 250));
    EXPECT_EQ(store->getAnimationKey(0), 1);
    EXPECT_EQ(store->getAnimationFrameKey(0), 1);
    EXPECT_EQ(store->getCurrentFrame(0), 1);
    EXPECT_EQ(store->getAnimationTime(0), 250);
}

TEST_F(TqCanvasAnimationsTest, InterpolatedKeysMoveTowardTheNextKey)
{
    struct Case {
        int loops, elapsed, x, y;
    } cases[] = {
        {-1, 50, 5, -2},    // half way from key 0 to key 1
        {-1, 125, 15, 72},  // a quarter from key 1 to key 2
        {-1, 250, 30, 300}, // toward key 0 moved to the last key's place: (30, 300)
        {1, 250, 30, 300},  // the last play: no target after the last key
    };
    for (const Case& c : cases) {
        VMPtr<TqCanvasAnimations> store = storeWith(1, walk(c.loops, 1));
        store->startAnimation(0, 1, 0);
        store->updateAnimation(0, c.elapsed);
        EXPECT_EQ(store->getMotionX(0), c.x) << c.elapsed;
        EXPECT_EQ(store->getMotionY(0), c.y) << c.elapsed;
    }
}

TEST_F(TqCanvasAnimationsTest, AnEndlessAnimationOfZeroLengthDoesNotSpin)
{
    Set s = walk(-1);
    s.durations = {0};
    VMPtr<TqCanvasAnimations> store = storeWith(1, s);
    store->startAnimation(0, 1, 0);
    EXPECT_TRUE(store->updateAnimation(0, 40));
    EXPECT_EQ(store->getAnimationKey(0), 2);
}

TEST_F(TqCanvasAnimationsTest, MotionTransformsAndSlotCopies)
{
    VMPtr<TqCanvasAnimations> store = storeWith(1, walk(-1));
    store->startAnimation(4, 1, 0);
    store->setAnimationKey(4, 1);
    struct Case {
        int transform, x, y;
    } cases[] = {{0, 10, -4}, {2, -10, -4}, {1, 10, 4}, {4, -4, 10}, {7, 4, -10}};
    for (const Case& c : cases) {
        EXPECT_EQ(store->getMotionX(c.transform), c.x) << c.transform;
        EXPECT_EQ(store->getMotionY(c.transform), c.y) << c.transform;
    }
    store->copyAnimationSlot(4, 9);
    EXPECT_EQ(store->getAnimationKey(9), 1);
    EXPECT_EQ(store->getAnimationKeyCount(9), 3);
    EXPECT_EQ(store->getAnimationIndex(9), 0);
    store->setAnimationSlotCount(2);
    EXPECT_EQ(store->slots->length, 10);
}

TEST_F(TqCanvasAnimationsTest, ADamagedStreamLeavesTheStoreAsItWas)
{
    Set s{{Animation{2, {{0, 1, 2, 0, 0, 0}, {1, 3, 4, 1, 1, 0}}}},
          {Frame{{{1, 2, 3, 1}}, {{1, 2, 3, 4, 5}}}, Frame{{{0, 0, 0, 0}}, {}}},
          {10, 20}};
    Bytes full = encode(s);
    VMPtr<TqCanvasAnimations> store = storeWith(1, walk(1));
    for (size_t cut = 0; cut < full.size(); cut++) {
        EXPECT_TRUE(vmThrows<java::io::EOFException>(
            [&] {
                store->loadAnimationSet(2, vmDataStream(Bytes(full.begin(),
                                                              full.begin() + long(cut))));
            }))
            << cut;
        ASSERT_EQ(store->findAnimationSet(2), -1);
        ASSERT_EQ(store->identifiers->length, 1);
        ASSERT_EQ(store->frames->length, 1);
    }
    // A part count beyond its eight bits.
    Set big{{}, {Frame{std::vector<Part>(300, Part{0, 0, 0, 0}), {}}}, {}};
    EXPECT_TRUE(vmThrows<java::io::IOException>(
        [&] { store->loadAnimationSet(2, vmDataStream(encode(big))); }, "Damaged animation set"));
    EXPECT_EQ(store->findAnimationSet(2), -1);

    store->loadAnimationSet(2, vmDataStream(full));
    EXPECT_EQ(store->findAnimationSet(2), 1);
    EXPECT_EQ(store->getFrameCount(2), 2);
}

TEST_F(TqCanvasAnimationsTest, CompactingKeepsTheMarkedSetsInOrder)
{
    VMPtr<TqCanvasAnimations> store = storeWith(10, walk(1));
    Set two = walk(1);
    two.frames.push_back(Frame{});
    store->loadAnimationSet(20, vmDataStream(encode(two)));
    store->loadAnimationSet(30, vmDataStream(encode(walk(1))));
    store->loadAnimationSet(20, vmDataStream(Bytes{})); // loaded: nothing read
    store->markAnimationSet(30, true);
    store->markAnimationSet(20, true);
    store->markAnimationSet(30, false);
    store->startAnimation(0, 10, 0);
    store->compactAnimationSets();
    EXPECT_EQ(store->findAnimationSet(20), 0);
    EXPECT_EQ(store->findAnimationSet(10), -1);
    EXPECT_EQ(store->getFrameCount(20), 4);
    EXPECT_EQ(store->identifiers->length, 1);
    EXPECT_NE(store->slots.get(), nullptr);

    store->markAnimationSet(20, false);
    store->compactAnimationSets();
    EXPECT_EQ(store->identifiers.get(), nullptr);
    EXPECT_EQ(store->frames.get(), nullptr);
    EXPECT_EQ(store->slots.get(), nullptr);
    EXPECT_EQ(store->findAnimationSet(20), -1);
}

} // namespace
