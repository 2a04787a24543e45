// Small canvas operations: the scene window, the countdown byte, key
// forwarders and opening a URL.

#include <gtest/gtest.h>

#include "engine/support/TestGameCanvas.h"
#include "support/LangTestSupport.h"
#include "wince/testing.h"

using tq::TqCanvas;
using vxtest::GameCanvasFixture;

namespace {

class TqCanvasAccessorsTest : public GameCanvasFixture {};

TEST_F(TqCanvasAccessorsTest, TheSceneWindowKeepsItsPositionAndNonNegativeSize)
{
    canvas->setMapPosition(12, -7);
    EXPECT_EQ(canvas->getMapX(), 12);
    EXPECT_EQ(canvas->getMapY(), -7);
    EXPECT_EQ(canvas->mapOriginX, -12);
    EXPECT_FALSE(canvas->setSceneSize(300, 200));
    EXPECT_EQ(canvas->sceneWidth, 300);
    EXPECT_TRUE(canvas->setSceneSize(-1, 100));
    EXPECT_EQ(canvas->sceneWidth, 0);
    EXPECT_EQ(canvas->sceneHeight, 100);
    EXPECT_TRUE(canvas->setSceneSize(5, -5));
    EXPECT_EQ(canvas->sceneHeight, 0);
}

TEST_F(TqCanvasAccessorsTest, TheCountdownStopsAtFortyAnsweringZero)
{
    TqCanvas::countdownValue = 42;
    EXPECT_EQ(TqCanvas::nextCountdownValue(), 42);
    EXPECT_EQ(TqCanvas::nextCountdownValue(), 41);
    EXPECT_EQ(TqCanvas::nextCountdownValue(), 0);
    EXPECT_EQ(TqCanvas::nextCountdownValue(), 0);
    EXPECT_EQ(TqCanvas::countdownValue, 40);
}

TEST_F(TqCanvasAccessorsTest, PressAndReleaseTapsTheGameKeyAndAliasesForward)
{
    canvas->pressAndReleaseKey('3');
    canvas->latchKeys();
    EXPECT_TRUE(canvas->wasPressed(16 + 3));
    EXPECT_TRUE(canvas->wasReleased(16 + 3));
    EXPECT_TRUE(canvas->getStatusByteAlias());
    EXPECT_EQ(canvas->getInitByteAlias(), 0);
    canvas->setFrameTimeBoundAAlias(30);
    canvas->setFrameTimeBoundBAlias(60);
    canvas->resetFrameTimingAlias();
    EXPECT_EQ(canvas->getFrameTimeAlias(), 30);
    EXPECT_EQ(canvas->maxFrameTime, 60);
    canvas->setViewportAlias(200, 100);
    canvas->setViewportOffsetAlias(3, 4);
    EXPECT_EQ(canvas->getViewportWidthAlias(), 200);
    EXPECT_EQ(canvas->getViewportHeightAlias(), 100);
    EXPECT_EQ(canvas->getViewportOffsetXAlias(), 3);
    EXPECT_EQ(canvas->getViewportOffsetYAlias(), 4);
}

TEST_F(TqCanvasAccessorsTest, OpeningAUrlThatNeedsTheExitRequestsIt)
{
    wince::captureShellRequests(true); // the browser would start at shutdown
    show();
    ASSERT_TRUE(runUntil([&] { return !canvas->notices.empty(); }));
    EXPECT_TRUE(canvas->openUrlAlias(vmString("http://example.invalid/")));
    EXPECT_EQ(canvas->noticeNumbers(), (std::vector<int32_t>{0, 3}));
    EXPECT_EQ(TqCanvas::applicationState, TqCanvas::STATE_STOPPING);
}

} // namespace
