// The game's MIDlet: the first start makes and shows the game, a later one
// only resumes it, a pause and a start go through the suspend and resume
// notices, and destroying closes the sound before the hub's context goes
// and the canvas stops.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/support/FakeScene.h"
#include "game/support/HubFixture.h"
#include "game/support/RecordingMediaManager.h"
#include "javax/microedition/lcdui/Display.h"

using javax::microedition::lcdui::Display;
using main::Main;
using vxtest::FakeScene;
using vxtest::RecordingMediaManager;

namespace {

using Calls = std::vector<std::string>;

class CommonMIDletTest : public vxtest::HubFixture {
protected:
    static bool contains(const Calls& calls, const std::string& call)
    {
        for (const std::string& c : calls) {
            if (c == call)
                return true;
        }
        return false;
    }

    vxtest::FakeScenes scenes;
};

TEST_F(CommonMIDletTest, TheFirstStartMakesTheGameAndItsFramesRun)
{
    startGame();
    ASSERT_NE(canvas, nullptr) << "the canvas is the game's";
    ASSERT_NE(midlet->main, nullptr);
    EXPECT_EQ(Main::instance.get(), midlet->main.get());
    EXPECT_EQ(Main::canvas.get(), static_cast<tq::TqCanvas*>(canvas.get()));
    EXPECT_EQ(Display::getDisplay(VMPtr<main::CommonMIDlet>(midlet))->getCurrent().get(),
              static_cast<javax::microedition::lcdui::Displayable*>(canvas.get()));
    EXPECT_NE(Main::game, nullptr) << "the save data is loaded before the first show";

    ASSERT_TRUE(VMFixture_sleepUntil([] {
        std::vector<std::string> steps = FakeScene::stepsOf(0);
        return contains(steps, "update") && contains(steps, "paint");
    }));
    EXPECT_EQ(canvas->minFrameTime, 40);
    EXPECT_NE(Main::sceneManager, nullptr);
}

TEST_F(CommonMIDletTest, ALaterStartMakesNothingAndOnlyShowsTheCanvas)
{
    startGame();
    VMPtr<Main> hub = Main::instance;
    VMPtr<tq::TqCanvas> first = midlet->canvas;
    midlet->startApp();
    EXPECT_EQ(midlet->canvas.get(), first.get());
    EXPECT_EQ(Main::instance.get(), hub.get());
    EXPECT_EQ(midlet->main.get(), hub.get());
    EXPECT_TRUE(tq::TqCanvas::started);
}

TEST_F(CommonMIDletTest, PauseAndStartGoThroughSuspendAndResume)
{
    startGame();
    ASSERT_TRUE(VMFixture_sleepUntil([] { return Main::sceneManager != nullptr; }));
    VMPtr<RecordingMediaManager> sound = soundOnLogged(3);

    midlet->pauseApp();
    ASSERT_TRUE(VMFixture_sleepUntil([] { return Main::instance->paused; }));
    EXPECT_TRUE(contains(FakeScene::stepsOf(0), "pause"));

    sound->calls.clear();
    midlet->startApp();
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return contains(sound->calls, "play 1 3"); }))
        << "the settled resume restarts the music";
    EXPECT_FALSE(Main::instance->paused);
}

TEST_F(CommonMIDletTest, DestroyClosesTheSoundBeforeTheHubGoesAndThenStopsTheCanvas)
{
    startGame();
    ASSERT_TRUE(VMFixture_sleepUntil([] { return Main::sceneManager != nullptr; }));
    VMPtr<RecordingMediaManager> sound = soundOnLogged(3);
    bool hubThereAtClose = false;
    bool canvasRunningAtClose = false;
    sound->onClose = [&] {
        if (sound->calls.size() == 1) {
            hubThereAtClose = Main::canvas != nullptr && Main::game != nullptr;
            canvasRunningAtClose = tq::TqCanvas::applicationState == tq::TqCanvas::STATE_RUNNING;
        }
    };

    midlet->destroyApp(true);
    ASSERT_FALSE(sound->calls.empty());
    EXPECT_EQ(sound->calls.front(), "close");
    EXPECT_TRUE(hubThereAtClose);
    EXPECT_TRUE(canvasRunningAtClose);
    EXPECT_EQ(midlet->main, nullptr);
    EXPECT_EQ(Main::canvas, nullptr);
    EXPECT_EQ(Main::sceneManager, nullptr);
    EXPECT_TRUE(canvas->exiting);
    EXPECT_EQ(tq::TqCanvas::applicationState, tq::TqCanvas::STATE_STOPPING);
    EXPECT_TRUE(VMFixture_sleepUntil([&] { return !thread->isAlive(); }));
    EXPECT_NE(midlet->canvas, nullptr) << "the canvas is never dropped";
}

TEST_F(CommonMIDletTest, PauseAndDestroyBeforeAnyStartDoNothing)
{
    midlet = main::CommonMIDlet::newInstance()->init();
    midlet->pauseApp();
    midlet->destroyApp(false);
    EXPECT_EQ(midlet->canvas, nullptr);
    EXPECT_EQ(midlet->main, nullptr);
}

} // namespace
