#include <climits>

#include <gtest/gtest.h>

#include "engine/support/EngineBytes.h"
#include "engine/support/MovesSetTest.h"
#include "java/io/IOException.h"
#include "tq/Frame.h"
#include "tq/GobSet.h"
#include "tq/graphics/CollisionBox.h"
#include "tq/graphics/Rect.h"

using tq::AnimSet;
using tq::Frame;
using tq::Resources;
using tq::graphics::CollisionBox;
using javax::microedition::lcdui::Graphics;

namespace {

using AnimSetTest = MovesSetTest;
using Ints = std::vector<int32_t>;

constexpr int32_t MAX = INT_MAX;

TEST_F(AnimSetTest, RoundTripsCountsDurationsAndPlacements)
{
    VMPtr<AnimSet> set = moves();
    EXPECT_EQ(set->getResourceId(), animtest::MOVES);
    EXPECT_EQ(set->getAnimationCount(), 7);
    EXPECT_EQ(set->getFrameCount(), 3);
    const int steps[] = {3, 2, 6, 3, 2, 1, 2};
    const int durations[] = {900, 200, 60, 20, 0, 5, 200};
    for (int a = 0; a < 7; a++) {
        EXPECT_EQ(set->getStepCount(a), steps[a]) << a;
        EXPECT_EQ(set->getAnimationDuration(a), durations[a]) << a;
    }
    EXPECT_EQ(set->getPlacementCount(FAR), 5);
    EXPECT_EQ(set->getPlacementCount(PAIR), 2);
    EXPECT_EQ(set->getPlacementCount(EMPTY), 0);
    EXPECT_EQ(set->getCollisionBoxCount(FAR), 1);
    EXPECT_EQ(set->getCollisionBoxCount(PAIR), 2);

    // Escaped offsets and a mirror value of 255; a placement's mirror bits
    // also mirror its offset.
    VMPtr<IntArray> out = IntArray::newArray(20);
    EXPECT_EQ(set->getPlacements(FAR, 0, out), 5);
    EXPECT_EQ(ints(out, 20), (Ints{0, 300, -200, 3, 1, -300, 0, 3, 0, 0, 0, 3, 1, 0, 200, 3,
                                   1, 1, -2, 1}));
    EXPECT_EQ(set->getPlacements(PAIR, 0, out), 2);
    EXPECT_EQ(ints(out, 8), (Ints{0, 0, 0, 0, 1, -5, -3, 2}));
    // A mirrored frame flips a mirrored placement back.
    EXPECT_EQ(set->getPlacements(PAIR, 2, out), 2);
    EXPECT_EQ(ints(out, 8), (Ints{0, 0, 0, 2, 1, 5, -3, 0}));
    // Too short an array takes whole records only and still hears the count.
    VMPtr<IntArray> seven = IntArray::newArray(7);
    EXPECT_EQ(set->getPlacements(PAIR, 0, seven), 2);
    EXPECT_EQ(ints(seven, 7), (Ints{0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(AnimSetTest, BoundsOfFramesAndAnimationsUnderTransforms)
{
    VMPtr<AnimSet> set = moves();
    struct Case {
        int frame, transform;
        Ints bounds;
    };
    const Case cases[] = {
        {FAR, 0, {-302, -202, 604, 402}},
        {PAIR, 0, {-7, -3, 9, 5}},
        {PAIR, 2, {-2, -3, 9, 5}},
        {PAIR, 5, {-2, -7, 5, 9}},
        {EMPTY, 0, {MAX, MAX, 0, 0}},
        {EMPTY, 6, {MAX, MAX, 0, 0}},
    };
    VMPtr<IntArray> out = IntArray::newArray(4);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frame << " t" << c.transform);
        set->getFrameBounds(c.frame, c.transform, out);
        EXPECT_EQ(ints(out, 4), c.bounds);
        // The Frame gives the same from its untransformed rectangle.
        if (c.frame != EMPTY) {
            set->getFrame(c.frame)->getBounds(c.transform, out);
            EXPECT_EQ(ints(out, 4), c.bounds);
        }
    }
    // Frames are cached; an empty one keeps its bounds cut to 16 bits.
    VMPtr<Frame> pair = set->getFrame(PAIR);
    EXPECT_EQ(set->getFrame(PAIR).get(), pair.get());
    EXPECT_EQ(pair->getType(), 1);
    EXPECT_EQ(pair->getIndex(), PAIR);
    VMPtr<Frame> empty = set->getFrame(EMPTY);
    EXPECT_EQ(empty->x, -1);
    EXPECT_EQ(empty->width, 0);

    // WALK shows PAIR at x offsets 0, 4 and 10.
    set->getAnimationBounds(WALK, 0, out);
    EXPECT_EQ(ints(out, 4), (Ints{-7, -3, 19, 5}));
    set->getAnimationBounds(WALK, 2, out);
    EXPECT_EQ(ints(out, 4), (Ints{-12, -3, 19, 5}));
    // EMPTY steps add nothing to the union.
    set->getAnimationBounds(IDLE, 0, out);
    EXPECT_EQ(ints(out, 4), (Ints{-7 + 1, -3, 9, 5}));
    set->getAnimationBounds(STILL, 0, out);
    EXPECT_EQ(ints(out, 4), (Ints{-7, -3, 9, 5}));
}

TEST_F(AnimSetTest, WholeAnimationFrames)
{
    VMPtr<AnimSet> set = moves();
    // Animation 0's Frame stores index 0 and so answers with frame 0's data.
    VMPtr<Frame> walk = set->getAnimationFrame(WALK);
    EXPECT_EQ(set->getAnimationFrame(WALK).get(), walk.get());
    EXPECT_EQ(walk->getIndex(), 0);
    EXPECT_EQ(walk->getWidth(0), 19);
    EXPECT_EQ(walk->getPlacementCount(), 5);
    EXPECT_EQ(walk->getCollisionBoxCount(), 1);
    // Another's index is negative: an empty frame for every forwarded query.
    VMPtr<Frame> events = set->getAnimationFrame(EVENTS);
    EXPECT_EQ(events->index, -EVENTS);
    EXPECT_EQ(events->getIndex(), EVENTS);
    EXPECT_EQ(events->getCollisionBoxCount(), 0);
    EXPECT_EQ(events->getPlacementCount(), 0);
    VMPtr<IntArray> out = IntArray::newArray(8);
    EXPECT_EQ(events->getPlacements(0, out), 0);
    EXPECT_EQ(events->getCollisionRects(0, out, -1), 0);
    VMPtr<Image> target = picture(4, 4);
    events->paint(target->getGraphics(), 2, 2, 0);
    EXPECT_EQ(at(target, 2, 2), WHITE);
    // Its rectangle is still the animation's union.
    EXPECT_EQ(events->getWidth(0), 604);
    VMPtr<tq::graphics::Rect> rect = tq::graphics::Rect::newInstance()->init();
    // Its right edge is at 302: touching there is no intersection.
    rect->setBounds(302, 0, 5, 5);
    EXPECT_FALSE(events->intersects(rect, 0, 0));
    EXPECT_TRUE(events->intersects(rect, 1, 0));
}

TEST_F(AnimSetTest, CollisionBoxesAndRecords)
{
    VMPtr<AnimSet> set = moves();
    VMPtr<CollisionBox::BoxArray> boxes = CollisionBox::ensureCapacity(nullptr, 4);
    struct Case {
        int transform, id;
        std::vector<Ints> boxes; // x, y, w, h, id, type
    };
    const Case cases[] = {
        {0, -1, {{-2, -2, 4, 4, 1, 3}, {4, -4, 3, 3, 2, 4}}},
        {0, 2, {{4, -4, 3, 3, 2, 4}}},
        {0, 7, {}},
        {2, -1, {{-2, -2, 4, 4, 1, 3}, {-7, -4, 3, 3, 2, 4}}},
        {5, 2, {{1, 4, 3, 3, 2, 4}}},
    };
    VMPtr<IntArray> rects = IntArray::newArray(10);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "t" << c.transform << " id " << c.id);
        ASSERT_EQ(set->getCollisionBoxes(PAIR, c.transform, boxes, c.id), int32_t(c.boxes.size()));
        ASSERT_EQ(set->getCollisionRects(PAIR, c.transform, rects, c.id), int32_t(c.boxes.size()));
        for (size_t i = 0; i < c.boxes.size(); i++) {
            VMPtr<CollisionBox> b = boxes->get(int32_t(i));
            EXPECT_EQ((Ints{b->x, b->y, b->width, b->height, b->id, b->type}), c.boxes[i]);
            EXPECT_EQ(ints(rects, 10)[i * 5 + 4], c.boxes[i][4]);
            EXPECT_EQ(Ints(rects->elements() + i * 5, rects->elements() + i * 5 + 4),
                      Ints(c.boxes[i].begin(), c.boxes[i].begin() + 4));
        }
    }
    // Escaped box values at their fields' limits.
    ASSERT_EQ(set->getCollisionRects(FAR, 0, rects, -1), 1);
    EXPECT_EQ(ints(rects, 5), (Ints{-1000, 1000, 1023, 1023, 31}));
    // Output arrays too short for every box stop at the last whole one.
    VMPtr<CollisionBox::BoxArray> one = CollisionBox::BoxArray::newArray(1);
    one->set(0, CollisionBox::newInstance()->init());
    EXPECT_EQ(set->getCollisionBoxes(PAIR, 0, one), 1);
    EXPECT_EQ(set->getCollisionRects(PAIR, 0, IntArray::newArray(9)), 1);
}

TEST_F(AnimSetTest, IndexesOutsideTheTablesAreEmpty)
{
    VMPtr<AnimSet> set = moves();
    VMPtr<IntArray> out = IntArray::newArray(20);
    VMPtr<CollisionBox::BoxArray> boxes = CollisionBox::ensureCapacity(nullptr, 4);
    VMPtr<Image> target = picture(8, 8);
    VMPtr<Graphics> g = target->getGraphics();
    for (int32_t frame : {-1, -2, 3, 1023, 70000, INT_MIN}) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(set->getPlacementCount(frame), 0);
        EXPECT_EQ(set->getCollisionBoxCount(frame), 0);
        EXPECT_EQ(set->getPlacements(frame, 0, out), 0);
        EXPECT_EQ(set->getCollisionBoxes(frame, 0, boxes, -1), 0);
        EXPECT_EQ(set->getCollisionRects(frame, 0, out, -1), 0);
        set->getFrameBounds(frame, 0, out);
        EXPECT_EQ(ints(out, 4), (Ints{MAX, MAX, 0, 0}));
        set->paintFrame(g, frame, 4, 4, 0);
        VMPtr<Frame> made = set->getFrame(frame);
        EXPECT_EQ(made->getPlacementCount(), 0);
        EXPECT_EQ(made->width, 0);
    }
    EXPECT_EQ(at(target, 4, 4), WHITE);
    for (int32_t animation : {-1, 7, 65535, INT_MIN}) {
        SCOPED_TRACE(animation);
        EXPECT_EQ(set->getStepCount(animation), 0);
        EXPECT_EQ(set->getAnimationDuration(animation), 0);
        set->getAnimationBounds(animation, 0, out);
        EXPECT_EQ(ints(out, 4), (Ints{MAX, MAX, 0, 0}));
        EXPECT_EQ(set->getAnimationFrame(animation)->getPlacementCount(), 0);
    }
}

TEST_F(AnimSetTest, PaintsThePlacedGobs)
{
    VMPtr<AnimSet> set = moves();
    struct Case {
        int transform;
        int greenX;
    };
    for (Case c : {Case{0, 3}, Case{2, 15}}) {
        SCOPED_TRACE(c.transform);
        VMPtr<Image> target = picture(20, 20);
        set->paintFrame(target->getGraphics(), PAIR, 10, 10, c.transform);
        EXPECT_EQ(at(target, 8, 8), RED);
        EXPECT_EQ(at(target, 11, 11), RED);
        EXPECT_EQ(at(target, 12, 12), WHITE);
        EXPECT_EQ(at(target, c.greenX, 7), GREEN);
        EXPECT_EQ(at(target, c.greenX + 1, 9), GREEN);
        EXPECT_EQ(at(target, c.greenX + 2, 7), WHITE);
        EXPECT_EQ(at(target, c.greenX, 10), WHITE);
    }
    // The Gobs' own offsets are as they were.
    EXPECT_EQ(set->getGobs()->get(1)->xOffset, 0);
    EXPECT_EQ(set->getGobs()->get(0)->yOffset, -2);
}

TEST_F(AnimSetTest, CopiesWithOtherGobsShareTheTables)
{
    VMPtr<AnimSet> set = moves();
    VMPtr<VMArray<tq::Gob, 1>> wide = VMArray<tq::Gob, 1>::newArray(2);
    wide->set(0, solid(10, 4, RED, -5, -2));
    wide->set(1, solid(2, 3, GREEN, 0, 0));
    VMPtr<AnimSet> copy = set->withGobs(wide);
    EXPECT_EQ(copy->getResourceId(), set->getResourceId());
    EXPECT_EQ(copy->steps.get(), set->steps.get());
    EXPECT_EQ(copy->getGobs().get(), wide.get());
    // The duration totals are shared, the Frames are not.
    EXPECT_EQ(copy->getAnimationDuration(WALK), 900);
    EXPECT_EQ((*VMPtr<IntArray>(set->animationDurations))[WALK], 900);
    EXPECT_NE(copy->getFrame(PAIR).get(), set->getFrame(PAIR).get());
    EXPECT_EQ(copy->getFrame(PAIR)->getWidth(0), 12);
    EXPECT_EQ(set->getFrame(PAIR)->getWidth(0), 9);
}

TEST_F(AnimSetTest, GobSetHolderKeepsWhatItIsGiven)
{
    VMPtr<tq::GobSet> holder = tq::GobSet::newInstance()->init();
    EXPECT_EQ(holder->getIntA() | holder->getIntB() | holder->getIntC(), 0);
    EXPECT_FALSE(holder->getGobs());
    EXPECT_FALSE(holder->getAnimSet());
    VMPtr<AnimSet> set = moves();
    holder->setAnimSet(set);
    holder->setGobs(set->getGobs());
    holder->setIntA(1);
    holder->setIntB(-2);
    holder->setIntC(3);
    EXPECT_EQ(holder->getAnimSet().get(), set.get());
    EXPECT_EQ(holder->getGobs().get(), set->getGobs().get());
    EXPECT_EQ(holder->getIntA() * 100 + holder->getIntB() * 10 + holder->getIntC(), 83);
}

// ---- Damaged streams ----

class AnimSetStreamTest : public MovesSetTest {
protected:
    // One animation of one step (duration index 0, frame 0), one frame
    // without placements or boxes, one duration of 5.
    static Bytes smallest()
    {
        return {0, 0, 1, /* steps */ 1, /* loops */ 1, /* info */ 0, /* frame */ 0, /* x */ 0,
                /* y */ 0, 0, 1, /* placements */ 0, /* boxes */ 0, 0, 1, /* duration */ 5};
    }
    static constexpr size_t STEP_COUNT = 3, STEP_INFO = 5, STEP_FRAME = 6, PLACEMENTS = 11,
                            BOXES = 12, DURATION = 15;

    // The bytes as entry 0 of an in-memory pack, loaded.
    static VMPtr<AnimSet> load(const Bytes& bytes)
    {
        VMPtr<VMArray<int8_t, 2>> entries = VMArray<int8_t, 2>::newArray(1);
        entries->set(0, vmBytes(bytes));
        VMPtr<VMByteArray> types = VMByteArray::newArray(1);
        (*types)[0] = -1;
        Resources::openPack(vmDataStream(bytesOf(Resources::buildPack(entries, types))));
        return AnimSet::load(0);
    }
    static bool refused(const Bytes& bytes)
    {
        try {
            load(bytes);
        } catch (java::io::IOException* caught) {
            VMPtr<java::io::IOException> e(caught);
            EXPECT_FALSE(AnimSet::loadingStream);
            return true;
        }
        return false;
    }
    static Bytes replaced(Bytes bytes, size_t at, const Bytes& with)
    {
        bytes.erase(bytes.begin() + long(at));
        bytes.insert(bytes.begin() + long(at), with.begin(), with.end());
        return bytes;
    }
};

TEST_F(AnimSetStreamTest, EveryCutIsRefused)
{
    ASSERT_FALSE(refused(smallest()));
    Bytes good = bytesOf(Resources::getResourceBytes(animtest::MOVES));
    ASSERT_FALSE(refused(good));
    for (const Bytes& whole : {smallest(), good}) {
        for (size_t cut = 0; cut < whole.size(); cut++)
            EXPECT_TRUE(refused(Bytes(whole.begin(), whole.begin() + long(cut)))) << cut;
    }
}

TEST_F(AnimSetStreamTest, ValuesBeyondTheirFieldsAreRefused)
{
    const Bytes escape1024 = {255, 0x04, 0x00};
    // One box after the frame's box count of 1: x, y, width, height, id.
    Bytes boxed = replaced(smallest(), BOXES, {1, 0, 0, 3, 4, 33});
    ASSERT_FALSE(refused(boxed));
    VMPtr<AnimSet> set = load(boxed);
    VMPtr<IntArray> rects = IntArray::newArray(5);
    ASSERT_EQ(set->getCollisionRects(0, 0, rects, -1), 1);
    EXPECT_EQ(ints(rects, 5), (Ints{0, 0, 3, 4, 1}));
    struct Case {
        const char* what;
        Bytes bytes;
    };
    const Case cases[] = {
        {"1024 steps in an animation", replaced(smallest(), STEP_COUNT, escape1024)},
        {"a step value beyond 10 bits", replaced(smallest(), STEP_INFO, escape1024)},
        {"a frame index beyond 10 bits", replaced(smallest(), STEP_FRAME, escape1024)},
        {"a duration index beyond the table", replaced(smallest(), STEP_INFO, {1})},
        {"256 placements in a frame", replaced(smallest(), PLACEMENTS, {255, 0x01, 0x00})},
        {"256 boxes in a frame", replaced(smallest(), BOXES, {255, 0x01, 0x00})},
        {"a box width beyond 10 bits", replaced(boxed, BOXES + 3, escape1024)},
        {"a box height beyond 10 bits", replaced(boxed, BOXES + 4, escape1024)},
        {"a box id beyond 6 bits", replaced(boxed, BOXES + 5, {64})},
        {"an escape without its value", replaced(smallest(), DURATION, {255})},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(refused(c.bytes)) << c.what;
}

} // namespace
