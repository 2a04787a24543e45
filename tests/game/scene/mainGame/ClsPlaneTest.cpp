// The plane base: per-element timers, courses (whole pixels per frame) and
// homing (1/32 pixel, arithmetic shifts), following a leader, and what
// adding and removing an element leaves behind. The elements stand without
// pictures: the tests move the panel's item counter themselves.

#include <vector>

#include <gtest/gtest.h>

#include "scene/mainGame/ClsPlane.h"
#include "support/VMFixture.h"
#include "ui/MyObject.h"

using scene::mainGame::ClsPlane;

namespace {

class ClsPlaneTest : public VMFixture {
protected:
    void SetUp() override
    {
        VMFixture::SetUp();
        plane = ClsPlane::newInstance();
        plane->init(VMPtr<scene::mainGame::weapon::ClsBcreator>());
        plane->allocItems(4);
        ui::MyObject::frameTime = 40;
    }
    void TearDown() override
    {
        plane = nullptr;
        VMFixture::TearDown();
    }

    // The next element at (x, y) with a speed, as a subclass adds it.
    int32_t add(int32_t x, int32_t y, int32_t speed = 0)
    {
        plane->nextItem += 1;
        plane->addElement(7, x, y);
        int32_t e = plane->nextItem - 1;
        (*plane->speed)[e] = speed;
        return e;
    }

    VMStatic<ClsPlane> plane;
};

TEST_F(ClsPlaneTest, TimerAnswersOnceItsTimeIsAboveTheLimit)
{
    int32_t e = add(0, 0);
    EXPECT_FALSE(plane->isTimerExpired(e, 1000, true)) << "a timer that was never started";
    plane->startTimer(e);
    std::vector<bool> answers;
    for (int32_t frame = 0; frame < 27; frame++) {
        plane->startTimer(e);
        answers.push_back(plane->isTimerExpired(e, 1000, true));
    }
    // 25 frames of 40 ms make exactly 1000: not yet; the 26th answers and
    // stops the timer; the next start begins again from 0.
    for (int32_t frame = 0; frame < 25; frame++)
        EXPECT_FALSE(answers[frame]) << frame;
    EXPECT_TRUE(answers[25]);
    EXPECT_FALSE(answers[26]);
    EXPECT_EQ((*plane->timerElapsed)[e], 40);
}

TEST_F(ClsPlaneTest, TimerWithoutStopKeepsAnsweringAndStartDoesNotRestartIt)
{
    int32_t e = add(0, 0);
    plane->startTimer(e);
    ui::MyObject::frameTime = 60;
    EXPECT_FALSE(plane->isTimerExpired(e, 100, false));
    plane->startTimer(e);
    EXPECT_EQ((*plane->timerElapsed)[e], 60);
    EXPECT_TRUE(plane->isTimerExpired(e, 100, false));
    EXPECT_TRUE(plane->isTimerExpired(e, 100, false));
    EXPECT_TRUE((*plane->timerActive)[e]);
    EXPECT_EQ((*plane->timerElapsed)[e], 180);
}

TEST_F(ClsPlaneTest, AddedElementIsInactiveAtItsPlaceAndClippedToThePlayArea)
{
    int32_t e = add(30, -50);
    EXPECT_TRUE(plane->isInactive(e));
    EXPECT_EQ(plane->getX(e), 30);
    EXPECT_EQ(plane->getY(e), -50);
    EXPECT_EQ((*plane->kind)[e], 7);
    EXPECT_EQ((*plane->prevX)[e], 30);
    EXPECT_EQ((*plane->targetY)[e], -50);
    VMPtr<ClsPlane::IntArray> clip = plane->itemClip->get(e);
    EXPECT_EQ((std::vector<int32_t>{(*clip)[0], (*clip)[1], (*clip)[2], (*clip)[3]}),
              (std::vector<int32_t>{0, 0, 240, 320}));
}

TEST_F(ClsPlaneTest, CourseAndHomingVelocities)
{
    struct Case {
        int32_t frameTime, speed, dx, dy;
        int32_t courseVx, courseVy;  // whole pixels per frame
        int32_t homingVx, homingVy;  // 1/32 pixel per frame
        int32_t movedX, movedY;
    };
    const Case cases[] = {
        {32, 4, 0, 100, 0, 4, 0, 128, 0, 4},
        // -200 >> 5 is -7: the shift rounds down, not toward zero.
        {50, 4, -100, 0, -7, 0, -200, 0, -7, 0},
        {40, 3, 30, -40, 2, -3, 72, -96, 2, -3},
    };
    for (const Case& c : cases) {
        ui::MyObject::frameTime = c.frameTime;
        int32_t e = add(100, 100, c.speed);
        plane->setTarget(e, 100 + c.dx, 100 + c.dy);
        EXPECT_EQ((*plane->vx)[e], c.courseVx) << c.dx << "," << c.dy;
        EXPECT_EQ((*plane->vy)[e], c.courseVy) << c.dx << "," << c.dy;
        EXPECT_EQ(plane->getX(e), 100) << "a course does not move the element";
        plane->moveTowards(e, 100 + c.dx, 100 + c.dy);
        EXPECT_EQ((*plane->vx)[e], c.homingVx) << c.dx << "," << c.dy;
        EXPECT_EQ((*plane->vy)[e], c.homingVy) << c.dx << "," << c.dy;
        EXPECT_EQ(plane->getX(e), 100 + c.movedX);
        EXPECT_EQ(plane->getY(e), 100 + c.movedY);
        plane->nextItem = 0;
    }
}

TEST_F(ClsPlaneTest, CourseToTheSamePointTwiceOrToItselfLeavesNoVelocity)
{
    int32_t e = add(50, 50, 4);
    plane->setTarget(e, 50, 50);
    EXPECT_EQ((*plane->vx)[e], 0);
    EXPECT_EQ((*plane->vy)[e], 0);
    EXPECT_EQ((*plane->distance)[e], 0);

    plane->setTarget(e, 50, 150);
    EXPECT_EQ((*plane->distance)[e], 100);
    EXPECT_EQ((*plane->vy)[e], 5);
    // Same target, element unmoved, a longer frame: nothing is recomputed.
    ui::MyObject::frameTime = 80;
    plane->setTarget(e, 50, 150);
    EXPECT_EQ((*plane->vy)[e], 5);
}

TEST_F(ClsPlaneTest, HomingAtTheTargetMovesOnceMoreByTheOldVelocity)
{
    int32_t e = add(0, 0, 4);
    ui::MyObject::frameTime = 32;
    plane->moveTowards(e, 0, 10);
    EXPECT_EQ(plane->getY(e), 4);
    (*plane->y)[e] = 10;
    plane->moveTowards(e, 0, 10);
    EXPECT_EQ((*plane->distance)[e], 0);
    EXPECT_EQ(plane->getY(e), 14);
}

TEST_F(ClsPlaneTest, FollowerIsPlacedAtLeastFollowDistanceBehindOnTheLeadersCourse)
{
    int32_t leader = add(120, 100);
    (*plane->vy)[leader] = 3;
    int32_t follower = add(0, 0);
    plane->placeBehind(follower, leader);
    EXPECT_EQ(plane->getX(follower), 120);
    EXPECT_EQ(plane->getY(follower), 52);
    EXPECT_EQ((*plane->distance)[follower], 48);
    EXPECT_EQ((*plane->prevY)[follower], 52);
    EXPECT_EQ((*plane->targetY)[follower], 100);

    // Diagonal steps of (5, 5): the 7th step is the first at 48 or more.
    (*plane->vx)[leader] = 5;
    (*plane->vy)[leader] = 5;
    plane->placeBehind(follower, leader);
    EXPECT_EQ(plane->getX(follower), 85);
    EXPECT_EQ(plane->getY(follower), 65);
}

TEST_F(ClsPlaneTest, FollowerOfALeaderWithoutACourseStillReturns)
{
    int32_t leader = add(120, 100);
    int32_t follower = add(0, 0);
    plane->placeBehind(follower, leader);
    EXPECT_EQ(plane->getX(follower), 120);
    EXPECT_EQ(plane->getY(follower), 100);
}

TEST_F(ClsPlaneTest, DamageAndRemovalOfAnElement)
{
    int32_t e = add(10, 20, 4);
    plane->setHp(e, 100);
    plane->damage(e, 30);
    plane->damage(e, 80);
    EXPECT_EQ(plane->getHp(e), -10);
    (*plane->inactive)[e] = false;
    (*plane->vx)[e] = 3;
    plane->setShotInterval(e, 500);
    plane->removeItem(e);
    EXPECT_TRUE(plane->isInactive(e));
    for (auto* a : {&plane->hp, &plane->shotInterval, &plane->speed, &plane->kind, &plane->x,
                    &plane->y, &plane->vx, &plane->vy, &plane->distance})
        EXPECT_EQ((**a)[e], 0);
}

TEST_F(ClsPlaneTest, DistanceBetweenTwoPoints)
{
    EXPECT_EQ(plane->distanceBetween(0, 0, 30, 40), 50);
    EXPECT_EQ(plane->distanceBetween(10, 10, -20, -30), 50);
    EXPECT_EQ(plane->distanceBetween(0, 0, 1, 1), 1);
}

} // namespace
