// The canvas thread on the virtual clock: the wait for the first show, the
// notices, suspend and resume with the settling delay, size changes, exit,
// and frame pacing checked from the clock.

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/support/TestGameCanvas.h"
#include "hal/hal.h"
#include "vm/VMEventRegistry.h"
#include "wince/clock.h"

using tq::TqCanvas;
using vxtest::GameCanvasFixture;

namespace {

using Notices = std::vector<int32_t>;

class TqCanvasLoopTest : public GameCanvasFixture {
protected:
    static int64_t now() { return TqCanvas::currentTimeMillis(); }
    static void post(int32_t event) { HAL_dispatchEvent(event, 0, nullptr); }
    // Runs until the canvas has done `frames` more updates.
    bool runFrames(int32_t frames)
    {
        int32_t until = canvas->updates + frames;
        return runUntil([&] { return canvas->updates >= until; });
    }
    bool runUntilNotices(size_t count)
    {
        return runUntil([&] { return canvas->notices.size() >= count; });
    }
    int64_t noticeTime(int32_t notice)
    {
        for (auto [n, time] : canvas->notices) {
            if (n == notice)
                return time;
        }
        ADD_FAILURE() << "no notice " << notice;
        return 0;
    }
};

TEST_F(TqCanvasLoopTest, BeforeTheFirstShowTheThreadOnlyNapsThenTheLoopStartsWithNoticeZero)
{
    int64_t start = now();
    ASSERT_TRUE(runUntil([&] { return now() - start >= 1000; }));
    EXPECT_EQ(canvas->updates, 0);
    EXPECT_TRUE(canvas->notices.empty());
    EXPECT_EQ(TqCanvas::applicationState, TqCanvas::STATE_CREATED);

    show();
    ASSERT_TRUE(runFrames(5));
    EXPECT_EQ(TqCanvas::applicationState, TqCanvas::STATE_RUNNING);
    // The first show's resume request came before the loop ran: dropped.
    EXPECT_EQ(canvas->noticeNumbers(), Notices{0});
    EXPECT_EQ(canvas->activityState, TqCanvas::ACTIVITY_RESUME);
    EXPECT_GE(canvas->paints, 4);
}

TEST_F(TqCanvasLoopTest, HideAndShowSuspendAndResumeAfterTheSettlingDelay)
{
    show();
    ASSERT_TRUE(runFrames(2));
    post(HAL_EVENT_INACTIVE);
    ASSERT_TRUE(runUntilNotices(2));
    EXPECT_EQ(canvas->noticeNumbers(), (Notices{0, 1}));
    // Hidden: the loop sleeps and the game is not stepped.
    int32_t updates = canvas->updates;
    int64_t hiddenAt = now();
    ASSERT_TRUE(runUntil([&] { return now() - hiddenAt >= 2000; }));
    EXPECT_EQ(canvas->updates, updates);

    post(HAL_EVENT_ACTIVE);
    int64_t shownAt = canvas->activityRequestTime;
    ASSERT_TRUE(runUntilNotices(4));
    EXPECT_EQ(canvas->noticeNumbers(), (Notices{0, 1, 2, 5}));
    int64_t resumed = noticeTime(2);
    EXPECT_GE(resumed - shownAt, TqCanvas::RESUME_SETTLE_MS);
    EXPECT_LE(resumed - shownAt, TqCanvas::RESUME_SETTLE_MS + 250 + 100);
    EXPECT_EQ(canvas->activityState, TqCanvas::ACTIVITY_RESUME);
    EXPECT_TRUE(runFrames(2));
}

TEST_F(TqCanvasLoopTest, AResumeRequestWhileActiveStillPassesThroughSuspended)
{
    show();
    ASSERT_TRUE(runFrames(1));
    canvas->requestActivityState(TqCanvas::ACTIVITY_RESUME);
    ASSERT_TRUE(runUntilNotices(4));
    EXPECT_EQ(canvas->noticeNumbers(), (Notices{0, 1, 2, 5}));
}

TEST_F(TqCanvasLoopTest, ASuspendWhileAResumeSettlesKeepsTheCanvasSuspended)
{
    show();
    ASSERT_TRUE(runFrames(1));
    canvas->requestActivityState(TqCanvas::ACTIVITY_RESUME);
    ASSERT_TRUE(runUntilNotices(2));
    canvas->requestActivityState(TqCanvas::ACTIVITY_SUSPEND);
    int64_t at = now();
    ASSERT_TRUE(runUntil([&] { return now() - at >= 2000; }));
    EXPECT_EQ(canvas->noticeNumbers(), (Notices{0, 1}));
    EXPECT_EQ(canvas->activityState, TqCanvas::ACTIVITY_SUSPEND);
    // Suspended but shown: the game still runs.
    EXPECT_TRUE(runFrames(3));
}

TEST_F(TqCanvasLoopTest, ASizeChangeIsNoticedAfterTheSizeIsReadAgain)
{
    show();
    ASSERT_TRUE(runFrames(1));
    TqCanvas::screenWidth = 1;
    canvas->sizeChanged(kScreenWidth, kScreenHeight);
    EXPECT_TRUE(canvas->refreshRequested);
    ASSERT_TRUE(runUntilNotices(2));
    EXPECT_EQ(canvas->noticeNumbers(), (Notices{0, 4}));
    EXPECT_EQ(TqCanvas::screenWidth, kScreenWidth);
    EXPECT_FALSE(canvas->sizeChangePending);
}

TEST_F(TqCanvasLoopTest, ExitFromTheGameEndsTheLoopBeforeThatFramePaints)
{
    show();
    ASSERT_TRUE(runFrames(3));
    canvas->onUpdate = [this] {
        if (canvas->updates == 5)
            canvas->requestActivityState(TqCanvas::ACTIVITY_EXIT);
    };
    ASSERT_TRUE(runUntil([&] { return !thread->isAlive(); }));
    EXPECT_EQ(canvas->updates, 5);
    EXPECT_EQ(canvas->paints, 4);
    EXPECT_EQ(canvas->noticeNumbers(), (Notices{0, 3}));
    EXPECT_EQ(TqCanvas::applicationState, TqCanvas::STATE_STOPPING);
    EXPECT_FALSE(TqCanvas::canvasThread);
    EXPECT_EQ(midlet->state, javax::microedition::midlet::MIDlet::DESTROYED);
    // Later requests do nothing.
    canvas->requestActivityState(TqCanvas::ACTIVITY_EXIT);
    canvas->requestActivityState(7);
    EXPECT_EQ(canvas->noticeNumbers(), (Notices{0, 3}));
}

TEST_F(TqCanvasLoopTest, ExitBetweenFramesCleansUpAndForgetsTheInstance)
{
    show();
    ASSERT_TRUE(runFrames(2));
    EXPECT_EQ(TqCanvas::instance.get(), canvas.get());
    canvas->requestActivityState(TqCanvas::ACTIVITY_EXIT);
    ASSERT_TRUE(runUntil([&] { return !thread->isAlive(); }));
    EXPECT_EQ(canvas->noticeNumbers(), (Notices{0, 3}));
}

TEST_F(TqCanvasLoopTest, ExitBeforeTheFirstShowEndsTheWaitingThread)
{
    canvas->requestActivityState(TqCanvas::ACTIVITY_EXIT);
    EXPECT_TRUE(runUntil([&] { return !thread->isAlive(); }));
    EXPECT_EQ(canvas->updates, 0);
}

TEST_F(TqCanvasLoopTest, ExitWhileAResumeWaitsForTheShowEndsTheThread)
{
    show();
    ASSERT_TRUE(runFrames(1));
    post(HAL_EVENT_INACTIVE);
    ASSERT_TRUE(runUntilNotices(2));
    // A resume asked for while still hidden keeps the thread waiting ...
    canvas->requestActivityState(TqCanvas::ACTIVITY_RESUME);
    int64_t at = now();
    ASSERT_TRUE(runUntil([&] { return now() - at >= 500; }));
    // ... until the exit.
    canvas->requestActivityState(TqCanvas::ACTIVITY_EXIT);
    EXPECT_TRUE(runUntil([&] { return !thread->isAlive(); }));
    post(HAL_EVENT_ACTIVE);
}

TEST_F(TqCanvasLoopTest, FramesArePacedToTheMinimumFrameTimeByTheClock)
{
    show();
    ASSERT_TRUE(runFrames(1));
    // Owned by the callback too: a failed wait leaves the thread running
    // until the fixture stops it.
    auto stamps = std::make_shared<std::vector<int64_t>>();
    canvas->onUpdate = [stamps] {
        stamps->push_back(now());
        wince::advanceVirtualClock(10); // the game's work
    };
    canvas->setFrameTimeBoundA(40);
    ASSERT_TRUE(runFrames(300));
    ASSERT_GE(stamps->size(), 300u);
    // Settled: one frame every 40 ms of the clock, each reported as 40.
    int64_t span = (*stamps)[299] - (*stamps)[199];
    EXPECT_NEAR(double(span) / 100.0, 40.0, 0.5);
    EXPECT_EQ(canvas->getFrameTime(), 40);
}

// ---- Pacing arithmetic, step by step on the test thread ----

class TqCanvasPacingTest : public TqCanvasLoopTest {
protected:
    void SetUp() override
    {
        TqCanvasLoopTest::SetUp();
        ASSERT_TRUE(stop()); // the canvas object stays usable
    }
    // One frame whose work takes `work` ms: the pacing step (its sleep
    // noted, the only thing moving the clock), then the work.
    int32_t frame(int32_t work)
    {
        int64_t before = now();
        canvas->updateFrameTiming();
        slept = int32_t(now() - before);
        wince::advanceVirtualClock(work);
        return canvas->getFrameTime();
    }
    int32_t slept = 0;
};

TEST_F(TqCanvasPacingTest, TheBudgetBuildsUpThenSleepsAnEighth)
{
    canvas->setFrameTimeBoundA(40);
    canvas->resetFrameTiming();
    EXPECT_EQ(frame(10), 40); // restart
    EXPECT_EQ(frame(10), 40);
    EXPECT_EQ(canvas->frameBudget, 30);
    EXPECT_EQ(slept, 0);
    EXPECT_EQ(frame(10), 40);
    EXPECT_EQ(slept, 8); // (60 + 10) / 8
    EXPECT_EQ(canvas->frameBudget, 70 - 18);
    for (int i = 0; i < 200; i++)
        frame(10);
    EXPECT_EQ(slept, 30);
}

TEST_F(TqCanvasPacingTest, OnlyABudgetAboveFortySleeps)
{
    struct Case {
        int32_t bound;
        int32_t sleep;
    } cases[] = {{40, 0}, {41, 5}, {100, 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bound);
        canvas->setFrameTimeBoundA(c.bound);
        canvas->setFrameTimeBoundB(c.bound);
        canvas->resetFrameTiming();
        frame(0);
        frame(0);
        EXPECT_EQ(slept, c.sleep);
    }
}

TEST_F(TqCanvasPacingTest, AStallOwesNothingAndIsReportedAsTheMaximum)
{
    canvas->setFrameTimeBoundA(40);
    canvas->resetFrameTiming();
    frame(10);
    frame(2000);
    EXPECT_EQ(frame(10), 100);
    EXPECT_EQ(canvas->frameBudget, 30);
    EXPECT_EQ(slept, 0);
    // A settled loop carries a budget near 200: a stall then counts as one
    // frame of the maximum length, not as a debt of its whole length.
    for (int i = 0; i < 200; i++)
        frame(10);
    int32_t settled = canvas->frameBudget;
    ASSERT_GT(settled, 150);
    frame(2000);
    EXPECT_EQ(frame(10), 100);
    EXPECT_LE(slept, (settled + 30 + 100) / 8 + 1);
    EXPECT_GT(canvas->frameBudget, 40); // the loop goes on pacing at once
    // A clock running backwards owes only the minimum.
    canvas->resetFrameTiming();
    frame(0);
    canvas->lastFrameTime += 1000;
    EXPECT_EQ(frame(0), 40);
    EXPECT_EQ(canvas->frameBudget, 40);
    // One frame owes at most 250 ms.
    canvas->setFrameTimeBoundA(1000);
    canvas->setFrameTimeBoundB(1000);
    canvas->resetFrameTiming();
    frame(0);
    EXPECT_EQ(frame(0), 1000);
    EXPECT_EQ(slept, 250 / 8);
    EXPECT_EQ(canvas->frameBudget, 250 - 250 / 8);
}

TEST_F(TqCanvasPacingTest, BoundsGiveTheMinimumAndMaximumFrameTimes)
{
    struct Case {
        int32_t a, b, min, max;
    } cases[] = {{10, 100, 10, 100}, {50, 20, 20, 50}, {-5, -5, 0, 1}, {40, 100, 40, 100}};
    for (const Case& c : cases) {
        canvas->setFrameTimeBoundA(c.a);
        canvas->setFrameTimeBoundB(c.b);
        EXPECT_EQ(canvas->minFrameTime, c.min) << c.a << " " << c.b;
        EXPECT_EQ(canvas->maxFrameTime, c.max) << c.a << " " << c.b;
    }
    canvas->resetFrameTiming();
    EXPECT_EQ(canvas->getFrameTime(), 40);
    EXPECT_TRUE(canvas->resetTiming);
}

TEST_F(TqCanvasPacingTest, APinnedFrameTimeIsReportedWhilePacingRuns)
{
    canvas->setFrameTimeBoundA(40);
    canvas->resetFrameTiming();
    canvas->pinFrameTime(25);
    frame(10);
    EXPECT_EQ(frame(2000), 25);
    EXPECT_EQ(frame(10), 25);
    // Restarts after notices report the pin too.
    canvas->resetFrameTiming();
    EXPECT_EQ(canvas->getFrameTime(), 25);
    EXPECT_EQ(frame(10), 25);
    canvas->pinFrameTime(0);
    frame(10);
    EXPECT_EQ(frame(10), 40);
}

} // namespace
