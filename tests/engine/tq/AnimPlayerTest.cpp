#include <algorithm>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "engine/support/MovesSetTest.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/System.h"
#include "tq/AnimPlayer.h"
#include "tq/graphics/CollisionBox.h"
#include "wince/clock.h"

using tq::AnimPlayer;
using tq::graphics::CollisionBox;
using javax::microedition::lcdui::Graphics;

namespace {

class AnimPlayerTest : public MovesSetTest {
protected:
    static VMPtr<AnimPlayer> player(int animation, int x, int y)
    {
        VMPtr<AnimPlayer> p = AnimPlayer::create()->init();
        p->setAnimSet(moves());
        p->setAnimation(animation);
        p->setPosX(x);
        p->setPosY(y);
        return p;
    }
};

// WALK: three steps of 300 at x offsets 0, 4 and 10, looping for ever, so
// each pass moves the player 10 along; driven frame by frame from the
// platform clock, as a game loop would.
TEST_F(AnimPlayerTest, WalksThroughItsStepsOnTheVirtualClock)
{
    struct Check {
        int at, x, step;
    };
    const Check checks[] = {{100, 100, 0}, {299, 100, 0}, {300, 104, 1}, {600, 110, 2},
                            {900, 110, 0}, {1200, 114, 1}, {2700, 130, 0}};
    for (int transform : {0, 2}) {
        SCOPED_TRACE(transform);
        wince::useVirtualClock(5000, nullptr);
        VMPtr<AnimPlayer> p = player(WALK, 100, 50);
        p->setTransform(transform);
        int64_t last = java::lang::System::currentTimeMillis();
        int elapsed = 0;
        for (const Check& c : checks) {
            while (elapsed < c.at) {
                int frame = std::min(33, c.at - elapsed);
                wince::advanceVirtualClock(DWORD(frame));
                elapsed += frame;
                int64_t now = java::lang::System::currentTimeMillis();
                EXPECT_TRUE(p->update(int32_t(now - last)));
                last = now;
            }
            // Mirrored, the player walks to the left.
            EXPECT_EQ(p->getPosX(), transform ? 200 - c.x : c.x) << c.at;
            EXPECT_EQ(p->getPosY(), 50);
            EXPECT_EQ(p->getStep(), c.step) << c.at;
        }
        EXPECT_EQ(p->getLoopsLeft(), -1);
        EXPECT_EQ(p->getElapsedTime(), 0);
        wince::useRealClock();
    }
}

// A huge or negative frame time: whole passes of the endless WALK are
// skipped at once, each still moving the player 10 along.
TEST_F(AnimPlayerTest, HugeAndNegativeTimesOnAnEndlessLoop)
{
    struct Case {
        int32_t first, dt;
        int32_t step, elapsed;
        int64_t passes;
    };
    const Case cases[] = {
        {0, INT32_MAX - 5, 2, 842, 2386092},
        // The step's time plus dt is beyond an int.
        {299, INT32_MAX, 0, 246, 2386093},
        {0, -50, 0, 0, 0},
        {299, INT32_MIN, 0, 299, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dt);
        VMPtr<AnimPlayer> p = player(WALK, 100, 50);
        EXPECT_TRUE(p->update(c.first));
        EXPECT_TRUE(p->update(c.dt));
        EXPECT_EQ(p->getStep(), c.step);
        EXPECT_EQ(p->getElapsedTime(), c.elapsed);
        int32_t offset = c.step == 0 ? 0 : c.step == 1 ? 4 : 10;
        EXPECT_EQ(p->getPosX(), int16_t(100 + 10 * c.passes + offset));
        EXPECT_EQ(p->getPosY(), 50);
    }
}

// One long update ends where the same time in small updates ends: passes it
// skips still count as loops and move the player once each.
TEST_F(AnimPlayerTest, OneLongUpdateEndsAsManyShortOnes)
{
    struct Case {
        int animation;
        int32_t total, piece;
        bool playing;
        int32_t x, loops;
    };
    const Case cases[] = {
        {LAPS, 150, 50, true, 10, 3},     {LAPS, 300, 100, true, 20, 2},
        {LAPS, 400, 100, true, 20, 1},    {LAPS, 500, 100, true, 30, 1},
        {LAPS, 600, 100, false, 30, 0},   {LAPS, 10000, 100, false, 30, 0},
        {WALK, 10000, 33, true, 110, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.animation) + " " + std::to_string(c.total));
        VMPtr<AnimPlayer> once = player(c.animation, 0, 0);
        VMPtr<AnimPlayer> steps = player(c.animation, 0, 0);
        EXPECT_EQ(once->update(c.total), c.playing);
        bool playing = true;
        for (int32_t done = 0; done < c.total; done += c.piece)
            playing = steps->update(std::min(c.piece, c.total - done));
        EXPECT_EQ(playing, c.playing);
        for (const VMPtr<AnimPlayer>& p : {once, steps}) {
            EXPECT_EQ(p->getPosX(), c.x);
            EXPECT_EQ(p->getLoopsLeft(), c.loops);
        }
        EXPECT_EQ(once->getStep(), steps->getStep());
        EXPECT_EQ(once->getElapsedTime(), steps->getElapsedTime());
    }
}

TEST_F(AnimPlayerTest, GlidesThenStopsOnItsLastStep)
{
    VMPtr<AnimPlayer> p = player(GLIDE, 0, 0);
    EXPECT_EQ(p->getLoopsLeft(), 1);
    EXPECT_EQ(p->getAnimationDuration(), 200);
    // Half of the first step: half of the way to the next step's 8.
    EXPECT_TRUE(p->update(50));
    EXPECT_EQ(p->getPosX(), 4);
    EXPECT_EQ(p->getDeltaX(), 4);
    // The last step of the last pass does not glide.
    EXPECT_TRUE(p->update(50));
    EXPECT_EQ(p->getPosX(), 8);
    EXPECT_TRUE(p->update(99));
    EXPECT_EQ(p->getPosX(), 8);
    EXPECT_EQ(p->getStep(), 1);
    // The end of the pass stops it on its last step, the step's time spent.
    EXPECT_FALSE(p->update(1));
    EXPECT_EQ(p->getLoopsLeft(), 0);
    EXPECT_EQ(p->getStep(), 1);
    EXPECT_EQ(p->getElapsedTime(), 200);
    // Stopped, an update only keeps the position as the previous one.
    p->setPosX(20);
    EXPECT_FALSE(p->update(10));
    EXPECT_EQ(p->getPrevPosX(), 20);
    EXPECT_EQ(p->getDeltaX(), 0);
}

// EVENTS: six steps of 10; step 1 has level 2, step 4 level 3.
TEST_F(AnimPlayerTest, EventLevelsChooseTheDisplayedStep)
{
    VMPtr<AnimPlayer> p = player(EVENTS, 0, 0);
    VMPtr<Image> target = picture(4, 4);
    // Steps 0, 1 and 2 pass: the level-2 step stays displayed.
    EXPECT_TRUE(p->update(35));
    EXPECT_EQ(p->getStep(), 3);
    EXPECT_EQ(p->getDisplayedStep(), 1);
    EXPECT_EQ(p->getFrameIndex(), FAR);
    EXPECT_EQ(p->getFrame()->getIndex(), FAR);
    p->paint(target->getGraphics());
    // The level-3 step halts the stepping with time left over.
    EXPECT_TRUE(p->update(20));
    EXPECT_EQ(p->getStep(), 4);
    EXPECT_EQ(p->getDisplayedStep(), 4);
    EXPECT_EQ(p->getElapsedTime(), 55);
    // Unpainted, it is not replaced by a lower step.
    EXPECT_TRUE(p->update(0));
    EXPECT_EQ(p->getStep(), 5);
    EXPECT_EQ(p->getDisplayedStep(), 4);
    // setStep moves without touching the loops.
    p->setStep(1);
    EXPECT_EQ(p->getDisplayedStep(), 1);
    EXPECT_EQ(p->getElapsedTime(), 10);
    EXPECT_EQ(p->getLoopsLeft(), -1);
}

TEST_F(AnimPlayerTest, StepsOfNoDurationEnd)
{
    // A pass whose steps all last 0 ends the update; each moves it 3 along
    // (the first also by step 0's offset of 1).
    VMPtr<AnimPlayer> idle = player(IDLE, 0, 0);
    for (int i = 1; i <= 3; i++) {
        EXPECT_TRUE(idle->update(5));
        EXPECT_EQ(idle->getPosX(), 1 + 3 * i);
    }
    // The glide of a level-3 step lasting 0 ends at its target.
    VMPtr<AnimPlayer> snap = player(SNAP, 0, 0);
    EXPECT_TRUE(snap->update(10));
    EXPECT_EQ(snap->getDisplayedStep(), 1);
    EXPECT_EQ(snap->getPosX(), 6);
    EXPECT_TRUE(snap->update(0));
    EXPECT_EQ(snap->getStep(), 2);
    EXPECT_EQ(snap->getPosX(), 6);
}

TEST_F(AnimPlayerTest, PlayersWithoutAnAnimation)
{
    // A loop count of 0: shown, never played.
    VMPtr<AnimPlayer> still = player(STILL, 7, 8);
    EXPECT_FALSE(still->update(5));
    EXPECT_EQ(still->getPrevPosX(), 7);
    EXPECT_EQ(still->getFrameIndex(), PAIR);

    VMPtr<AnimPlayer> none = AnimPlayer::create()->init();
    none->setAnimSet(moves());
    EXPECT_EQ(none->getAnimation(), -1);
    EXPECT_EQ(none->getType(), 2);
    for (int animation : {-1, 7, 1000}) {
        if (animation != -1)
            none->setAnimation(animation);
        SCOPED_TRACE(animation);
        EXPECT_FALSE(none->update(10));
        EXPECT_EQ(none->getStepCount(), 0);
        EXPECT_EQ(none->getFrameIndex(), -1);
        EXPECT_EQ(none->getCollisionBoxCount(), 0);
        EXPECT_EQ(none->getPlacements(IntArray::newArray(8)), 0);
        EXPECT_FALSE(none->getFirstCollisionBox(CollisionBox::newInstance()->init()));
        EXPECT_FALSE(none->containsPoint(0, 0));
        VMPtr<Image> target = picture(4, 4);
        none->paint(target->getGraphics(), 2, 2, 0);
        EXPECT_EQ(at(target, 2, 2), WHITE);
    }
    // A step outside the animation is refused and changes nothing.
    VMPtr<AnimPlayer> walk = player(WALK, 0, 0);
    for (int step : {-1, 3}) {
        EXPECT_THROW(walk->setStep(step), java::lang::IndexOutOfBoundsException*) << step;
        EXPECT_EQ(walk->getStep(), 0);
    }
}

TEST_F(AnimPlayerTest, SizeComesFromTheFirstAnimationFrame)
{
    VMPtr<AnimPlayer> p = player(WALK, 0, 0);
    EXPECT_EQ(p->getWidth(0), 19);
    EXPECT_EQ(p->getX(0), -7);
    EXPECT_EQ(p->getX(2), -12);
    EXPECT_EQ(p->getHeight(4), 19);
    VMPtr<tq::Frame> frame = p->getAnimationFrame();
    p->setAnimation(GLIDE);
    EXPECT_EQ(p->getAnimationFrame().get(), frame.get());
    EXPECT_EQ(p->getWidth(0), 19);
    // The displayed frame's bounds are at the position.
    p->setPosX(100);
    VMPtr<IntArray> bounds = IntArray::newArray(4);
    p->getBounds(bounds);
    EXPECT_EQ(ints(bounds, 4), (std::vector<int32_t>{93, -3, 9, 5}));
}

// PAIR's boxes: a rectangle (-2, -2, 4, 4) with id 1 and a circle
// (4, -4, 3, 3) with id 2.
TEST_F(AnimPlayerTest, CollidesWithPlayersGobsBoxesAndPoints)
{
    VMPtr<AnimPlayer> a = player(WALK, 0, 0);
    VMPtr<AnimPlayer> b = player(WALK, 30, 0);
    EXPECT_FALSE(a->collidesWith(b));
    EXPECT_FALSE(CollisionBox::hitBoxA);
    b->setPosX(3);
    EXPECT_TRUE(a->collidesWith(b));
    EXPECT_EQ(VMPtr<CollisionBox>(CollisionBox::hitBoxA)->id, 1);
    EXPECT_EQ(VMPtr<CollisionBox>(CollisionBox::hitBoxB)->x, 1);
    VMPtr<IntArray> overlap = IntArray::newArray(6);
    EXPECT_TRUE(a->collidesWithRects(0, 0, 0, -1, b, 3, 0, 0, -1, overlap));
    EXPECT_EQ(ints(overlap, 6), (std::vector<int32_t>{1, -2, 1, 4, 1, 1}));
    // Touching boxes do not collide.
    b->setPosX(0);
    b->setPosY(4);
    EXPECT_FALSE(a->collidesWith(b));
    // Mirrored, b's circle comes round to meet a's.
    b->setPosX(12);
    b->setPosY(0);
    EXPECT_FALSE(a->collidesWith(b));
    b->setTransform(2);
    EXPECT_TRUE(a->collidesWith(b));
    EXPECT_EQ(VMPtr<CollisionBox>(CollisionBox::hitBoxA)->id, 2);

    struct Point {
        int x, y;
        bool inside;
    };
    for (Point pt : {Point{0, 0, true}, Point{1, 1, true}, Point{2, 2, false}, Point{5, -3, true},
                     Point{20, 20, false}})
        EXPECT_EQ(a->containsPoint(pt.x, pt.y), pt.inside) << pt.x << "," << pt.y;
    VMPtr<tq::Gob> gob = solid(4, 4, RED, 0, 0);
    EXPECT_TRUE(a->collidesWithGob(gob, 1, 1, 0));
    EXPECT_FALSE(a->collidesWithGob(gob, 3, 3, 0));
    VMPtr<CollisionBox> empty = CollisionBox::newInstance()->init();
    EXPECT_FALSE(a->collidesWithBox(empty));

    a->setPosX(10);
    a->setPosY(20);
    VMPtr<CollisionBox> first = CollisionBox::newInstance()->init();
    ASSERT_TRUE(a->getFirstCollisionBox(first));
    EXPECT_EQ((std::vector<int32_t>{first->x, first->y, first->width, first->id, first->type}),
              (std::vector<int32_t>{8, 18, 4, 1, CollisionBox::RECTANGLE}));
}

TEST_F(AnimPlayerTest, PaintsItsDisplayedFrameAtItsPosition)
{
    VMPtr<AnimPlayer> p = player(WALK, 10, 10);
    VMPtr<Image> target = picture(30, 30);
    VMPtr<Graphics> g = target->getGraphics();
    p->paint(g);
    EXPECT_EQ(at(target, 8, 8), RED);
    EXPECT_EQ(at(target, 3, 7), GREEN);
    // Moved and mirrored for one call only.
    p->paint(g, 5, 0, 2);
    EXPECT_EQ(at(target, 13, 8), RED);
    EXPECT_EQ(at(target, 20, 7), GREEN);
    EXPECT_EQ(at(target, 22, 7), WHITE);
    EXPECT_EQ(p->getPosX(), 10);
    EXPECT_EQ(p->getTransform(), 0);
    // The boxes as outlines in the current colour.
    VMPtr<Image> boxes = picture(30, 30);
    VMPtr<Graphics> outline = boxes->getGraphics();
    outline->setColor(0x0000F8);
    p->paintCollisionBoxes(outline);
    EXPECT_EQ(at(boxes, 8, 8), 0xFF0000F8u);
    EXPECT_EQ(at(boxes, 9, 9), WHITE);
}

} // namespace
