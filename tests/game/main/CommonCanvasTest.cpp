// The game canvas: the hub's share of each application-state notice, the
// exit notice's order and what it leaves behind, and the frame step's key
// latch.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/support/FakeScene.h"
#include "game/support/HubFixture.h"
#include "game/support/RecordingMediaManager.h"
#include "javax/microedition/lcdui/Image.h"

using javax::microedition::lcdui::Image;
using main::Main;
using scene::SceneManager;
using vxtest::FakeScene;
using vxtest::RecordingMediaManager;

namespace {

using Calls = std::vector<std::string>;

class CommonCanvasTest : public vxtest::HubFixture {
protected:
    void SetUp() override
    {
        HubFixture::SetUp();
        makeGame();
        Main::instance->update();
        sound = soundOnLogged(3);
        FakeScene::log.clear();
    }

    vxtest::FakeScenes scenes;
    VMStatic<RecordingMediaManager> sound;
};

TEST_F(CommonCanvasTest, NoticeZeroSetsTheFrameTimeBoundsAndClearsExiting)
{
    canvas->exiting = true;
    canvas->applicationStateChanged(0);
    EXPECT_FALSE(canvas->exiting);
    EXPECT_EQ(canvas->minFrameTime, 40);
    EXPECT_EQ(canvas->maxFrameTime, 100);
    EXPECT_TRUE(canvas->refreshRequested) << "the engine's share ran too";
}

struct Notice {
    int32_t notice;
    bool layoutPending;
    bool paused;
    Calls scene;
    Calls sound;
};

TEST_F(CommonCanvasTest, EachNoticeReachesTheHub)
{
    // Before each notice the hub runs (before 1) or is paused (the others).
    const std::vector<Notice> cases = {
        {1, false, true, {"pause"}, {}},
        {2, true, false, {}, {}},
        {4, true, true, {}, {}},
        {5, false, true, {}, {"play 1 3"}},
        {6, false, true, {}, {}},
        {-1, false, true, {}, {}},
    };
    for (const Notice& c : cases) {
        Main::instance->paused = c.notice != 1;
        Main::layoutPending = false;
        FakeScene::log.clear();
        sound->calls.clear();
        canvas->applicationStateChanged(c.notice);
        EXPECT_EQ(Main::layoutPending, c.layoutPending) << c.notice;
        EXPECT_EQ(Main::instance->paused, c.paused) << c.notice;
        EXPECT_EQ(FakeScene::stepsOf(0), c.scene) << c.notice;
        EXPECT_EQ(sound->calls, c.sound) << c.notice;
        EXPECT_FALSE(canvas->exiting) << c.notice;
        EXPECT_NE(tq::TqCanvas::applicationState, tq::TqCanvas::STATE_STOPPING) << c.notice;
    }
}

TEST_F(CommonCanvasTest, ExitClosesTheSoundThenDropsTheHubThenStopsTheEngine)
{
    bool hubThereAtClose = false;
    bool engineRunningAtClose = false;
    sound->onClose = [&] {
        if (sound->calls.size() == 1) {
            hubThereAtClose = Main::canvas != nullptr && Main::sceneManager != nullptr;
            engineRunningAtClose = tq::TqCanvas::applicationState != tq::TqCanvas::STATE_STOPPING;
        }
    };
    canvas->applicationStateChanged(3);

    ASSERT_FALSE(sound->calls.empty());
    EXPECT_EQ(sound->calls.front(), "close");
    EXPECT_TRUE(hubThereAtClose);
    EXPECT_TRUE(engineRunningAtClose);
    EXPECT_TRUE(canvas->exiting);
    EXPECT_EQ(Main::instance->mediaManager, nullptr);
    EXPECT_EQ(Main::canvas, nullptr);
    EXPECT_EQ(Main::sceneManager, nullptr);
    EXPECT_EQ(FakeScene::stepsOf(0), (Calls{"release"}));
    EXPECT_EQ(tq::TqCanvas::applicationState, tq::TqCanvas::STATE_STOPPING);
}

TEST_F(CommonCanvasTest, AfterExitFramesDoNothingUntilTheLoopStartsAgain)
{
    canvas->applicationStateChanged(3);
    FakeScene::log.clear();
    VMPtr<Image> image = Image::createImage(240, 320, false, 0x123456);
    VMPtr<VMArray<int32_t, 1>> pixel = VMArray<int32_t, 1>::newArray(1);
    image->getRGB(pixel, 0, 1, 120, 160, 1, 1);
    int32_t before = (*pixel)[0];
    canvas->update();
    canvas->paint(image->getGraphics());
    EXPECT_EQ(Main::sceneManager, nullptr) << "the stopped hub was not called";
    EXPECT_EQ(FakeScene::log, Calls{});
    image->getRGB(pixel, 0, 1, 120, 160, 1, 1);
    EXPECT_EQ((*pixel)[0], before) << "nothing painted";

    canvas->applicationStateChanged(0);
    EXPECT_FALSE(canvas->exiting);
}

TEST_F(CommonCanvasTest, TheFrameStepLatchesTheKeysBeforeTheScenesSeeThem)
{
    std::vector<bool> fire;
    FakeScene::onUpdate = [&](FakeScene&) {
        fire.push_back(SceneManager::instance->wasKeyPressed(SceneManager::KEY_FIRE));
    };
    canvas->pressKey(8);
    canvas->update();
    canvas->update();
    EXPECT_EQ(fire, (std::vector<bool>{true, false}));
}

} // namespace
