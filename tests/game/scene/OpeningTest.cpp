// The game's opening as a player sees it, headless on the virtual clock:
// the logo, the sound question answered by a touch on Yes, the title, and
// the title's request for the main menu. The game runs from its MIDlet on
// its own canvas thread, held in lock-step; the test plays the user between
// frames and writes a picture of each step.

#include <gtest/gtest.h>

#include "game/support/FakeScene.h"
#include "game/support/HubFixture.h"
#include "game/support/Screenshot.h"
#include "main/CommonMIDlet.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "scene/menu/Audio.h"
#include "scene/splash/LogoGameSplash.h"
#include "scene/splash/LogoScene.h"
#include "ui/Pointer.h"

using scene::SceneManager;
using scene::mainMenu::ClsUiConfirm;
using scene::menu::Audio;
using scene::splash::LogoGameSplash;
using scene::splash::LogoScene;
using IntArray = VMArray<int32_t, 1>;

namespace {

// The main menu comes with later work: a stand-in answers its id.
VMPtr<ui::Scene> makeMenuStandIn(int32_t id)
{
    return vxtest::FakeScene::newInstance()->init(id);
}

// The game's own fixture, with the opening's packs in place of the hub's.
class OpeningTest : public vxtest::HubFixture {
protected:
    void SetUp() override
    {
        HubFixture::SetUp();
        copyPack(VX_OPENING_PACKS);
        holdFrames();
    }
};

TEST_F(OpeningTest, FromTheLogoThroughTheSoundQuestionAndTheTitleToTheMenuRequest)
{
    SceneManager::SceneMaker menu = SceneManager::replaceScene(SceneManager::MAIN_MENU, &makeMenuStandIn);
    startGame();

    // The logo, loaded at once and shown from the first frame.
    ASSERT_TRUE(runUntil([] { return running<LogoScene>() != nullptr; }));
    ASSERT_TRUE(runUntil([] {
        LogoScene* logo = running<LogoScene>();
        return logo == nullptr || logo->elapsedFrameTime >= 1000;
    }));
    ASSERT_NE(running<LogoScene>(), nullptr);
    vxtest::screenshotScene("opening-1-logo");

    // The sound question after three seconds, in its start-up mode.
    ASSERT_TRUE(runUntil([] { return current<LogoScene>() == nullptr; }));
    ASSERT_NE(current<Audio>(), nullptr);
    EXPECT_EQ(current<Audio>()->mode, 6);
    ASSERT_TRUE(runUntil([] { return running<Audio>() != nullptr; }));
    vxtest::screenshotScene("opening-2-sound-question");

    // A touch on Yes: pressed while held, answered on release.
    VMPtr<IntArray> yes = running<Audio>()->panel->getYesBox();
    int32_t x = (*yes)[0] + (*yes)[2] / 2 + main::Main::offsetX;
    int32_t y = (*yes)[1] + (*yes)[3] / 2 + main::Main::offsetY;
    canvas->pointerPressed(x, y);
    ASSERT_TRUE(runUntil([] {
        Audio* audio = running<Audio>();
        return audio != nullptr && audio->panel->getItemFrame(ClsUiConfirm::yesItem) == 17;
    }));
    vxtest::screenshotScene("opening-3-yes-pressed");
    EXPECT_FALSE(main::Main::soundEnabled);
    canvas->pointerReleased(x, y);

    // Sound on, then the title.
    ASSERT_TRUE(runUntil([] { return current<Audio>() == nullptr; }));
    EXPECT_TRUE(main::Main::soundEnabled);
    EXPECT_EQ(main::Main::musicId, 5);
    ASSERT_NE(current<LogoGameSplash>(), nullptr);
    EXPECT_EQ(current<LogoGameSplash>()->mode, 12);
    ASSERT_TRUE(runUntil([] { return running<LogoGameSplash>() != nullptr; }));
    ASSERT_TRUE(runUntil([] {
        LogoGameSplash* title = running<LogoGameSplash>();
        return title == nullptr || title->elapsedFrameTime >= 1000;
    }));
    ASSERT_NE(running<LogoGameSplash>(), nullptr);
    vxtest::screenshotScene("opening-4-title");

    // Three seconds after it was made the title asks for the main menu.
    int32_t shown = 0;
    ASSERT_TRUE(runUntil([&] {
        if (LogoGameSplash* title = current<LogoGameSplash>())
            shown = title->elapsedFrameTime;
        return current<LogoGameSplash>() == nullptr;
    }));
    EXPECT_GE(shown, 2960);
    EXPECT_EQ(SceneManager::instance->previousId, 12);
    EXPECT_EQ(SceneManager::instance->currentId, 1);
    EXPECT_NE(current<vxtest::FakeScene>(), nullptr);

    SceneManager::replaceScene(SceneManager::MAIN_MENU, menu);
}

} // namespace
