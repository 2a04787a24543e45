// The splash scenes: their panels, and the frame on which each leaves.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/SceneFixture.h"
#include "scene/splash/LogoGameSplash.h"
#include "scene/splash/LogoScene.h"
#include "ui/Addon.h"
#include "ui/Screen.h"

using scene::splash::LogoGameSplash;
using scene::splash::LogoScene;
using Strings = std::vector<std::string>;
using scenetest::requests;

namespace {

class SplashTest : public scenetest::SceneFixture {
protected:
    // Frames until the scene asks for another; the number of the frame that
    // asked, or 0 when none did within limit.
    int32_t framesUntilRequest(ui::Scene* scene, int32_t limit)
    {
        for (int32_t n = 1; n <= limit; n++) {
            frame(scene);
            if (!sceneRequests().empty())
                return n;
        }
        return 0;
    }
};

TEST_F(SplashTest, TheLogoShowsAnAnimationOnWhiteFromItsFirstFrame)
{
    VMPtr<LogoScene> logo = LogoScene::newInstance()->init();
    logo->tick();
    VMPtr<ui::Screen> panel = logo->screen;
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(logo->objects->length, 1);
    EXPECT_EQ(logo->objects->get(0).get(), static_cast<ui::MyObject*>(panel.get()));
    EXPECT_TRUE(panel->bgEnabled);
    EXPECT_EQ(panel->bgColor1, 0xFFFFFF);
    EXPECT_EQ(panel->bgColor2, 0xFFFFFF);
    EXPECT_EQ(panel->getItemCapacity(), 1);
    EXPECT_EQ(panel->getItemKind(0), 0) << "an animation";
    EXPECT_EQ(panel->getItemX(0), 120);
    EXPECT_EQ(panel->getItemY(0), 160);
}

TEST_F(SplashTest, TheLogoLeavesOnTheFrameThatReachesThreeSecondsAfterLoadingTextsAndFont)
{
    VMPtr<LogoScene> logo = LogoScene::newInstance()->init();
    logo->tick();
    requests.clear();
    EXPECT_EQ(framesUntilRequest(logo.get(), 200), 75) << "75 x 40 ms = 3000 ms";
    EXPECT_EQ(requests, (Strings{"loadTexts 2054", "selectFont 1", "changeScene 6"}));
}

TEST_F(SplashTest, TheTitleLeavesForTheMenuThreeSecondsAfterItWasMadeEntryIncluded)
{
    VMPtr<LogoGameSplash> title = LogoGameSplash::newInstance()->init(12);
    title->setEntering(true);
    EXPECT_EQ(framesUntilRequest(title.get(), 200), 75);
    EXPECT_EQ(sceneRequests(), Strings{"changeScene 1"});

    VMPtr<ui::Screen> panel = title->screen;
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->bgEnabled);
    EXPECT_EQ(panel->bgColor1, 0);
    EXPECT_EQ(panel->getNextItem(), 2);
    EXPECT_EQ(panel->getItemKind(0), 1) << "a frame";
    EXPECT_EQ(panel->getItemX(0), 120);
    EXPECT_EQ(panel->getItemY(0), 160);
    EXPECT_EQ(panel->getItemX(1), 120);
    EXPECT_EQ(panel->getItemY(1), 0);
}

TEST_F(SplashTest, ATitleInAnotherModeShowsAnEmptyPanelAndStays)
{
    VMPtr<LogoGameSplash> title = LogoGameSplash::newInstance()->init(7);
    title->setEntering(true);
    EXPECT_EQ(framesUntilRequest(title.get(), 200), 0);
    ASSERT_NE(title->screen, nullptr);
    EXPECT_EQ(title->screen->getItemCapacity(), 0);
    EXPECT_EQ(title->objects->length, 1);

    // Switched to the title's mode, it leaves by the same clock.
    main::Main::layoutPending = false;
    title->setMode(12);
    EXPECT_TRUE(main::Main::layoutPending);
    title->elapsedFrameTime = 2960;
    EXPECT_EQ(framesUntilRequest(title.get(), 5), 1);
}

TEST_F(SplashTest, TheTitleAddsItsAddOnAboveThePanelWhenItHasOne)
{
    VMPtr<LogoGameSplash> title = LogoGameSplash::newInstance()->init(12);
    title->addon = ui::Addon::newInstance()->init();
    title->tick();
    EXPECT_EQ(title->objects->length, 2);
    EXPECT_EQ(title->addon->getDrawOrder(), 50);
    EXPECT_TRUE(title->addon->isAuxEnabled());
}

} // namespace
