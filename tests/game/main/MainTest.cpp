// The game hub: its shared context, the picture's place on screens of
// several sizes, the layout pass and the loading picture, the sound
// wrappers before and after sound is on, the font cache, the first frames,
// pause and resume, the random source and the exit path.

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "HubTestIds.h"
#include "game/support/FakeScene.h"
#include "game/support/HubFixture.h"
#include "game/support/RecordingMediaManager.h"
#include "game/support/ScriptedRandom.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "javax/microedition/lcdui/Image.h"
#include "support/LangTestSupport.h"
#include "ui/ResManager.h"

using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using main::Main;
using scene::SceneManager;
using vxtest::FakeScene;
using vxtest::RecordingMediaManager;

namespace {

using Calls = std::vector<std::string>;

// A random source that answers the values it is given, in turn.
class MainTest : public vxtest::HubFixture {
protected:
    void SetUp() override
    {
        HubFixture::SetUp();
        makeGame();
    }

    static VMPtr<Main> hub() { return Main::instance; }

    vxtest::FakeScenes scenes;
};

// ---- The shared context -------------------------------------------------------------------

TEST_F(MainTest, InitSetsUpTheSharedContextAndFontZero)
{
    EXPECT_EQ(Main::canvas.get(), static_cast<tq::TqCanvas*>(canvas.get()));
    EXPECT_NE(hub()->globals, nullptr);
    EXPECT_NE(Main::game, nullptr);
    EXPECT_NE(Main::random, nullptr);
    EXPECT_NE(Main::resManager, nullptr);
    EXPECT_EQ(Main::sceneManager, nullptr) << "made by the first frame";
    EXPECT_EQ(Main::texts, nullptr);
    EXPECT_TRUE(Main::layoutPending);
    EXPECT_TRUE(Main::loadingPicturePending);
    EXPECT_FALSE(Main::soundEnabled);
    EXPECT_EQ(hub()->mediaManager, nullptr);

    ASSERT_NE(hub()->fontGlyphs, nullptr);
    ASSERT_NE(hub()->fontGlyphs->get(0), nullptr);
    EXPECT_EQ(hub()->fontGlyphs->get(1), nullptr) << "font 1 loads on its first selection";
    EXPECT_EQ((*Main::loadedFontIds)[0], hubtest::FONT_0);
    EXPECT_EQ(Main::currentFontId, hubtest::FONT_0);
    EXPECT_EQ(Main::font->getGlyphs().get(), hub()->fontGlyphs->get(0).get());
}

TEST_F(MainTest, TheFirstFrameOnlyMakesTheSceneManagerWhichShowsSceneZero)
{
    hub()->update();
    ASSERT_NE(Main::sceneManager, nullptr);
    EXPECT_EQ(SceneManager::instance.get(), Main::sceneManager.get());
    EXPECT_EQ(Main::textId, SceneManager::TEXTS);
    ASSERT_NE(Main::texts, nullptr);
    EXPECT_EQ(vmText(Main::texts->getString(0)), "Hello");
    // The logo scene loads inside the manager's making; nothing is updated.
    EXPECT_EQ(FakeScene::stepsOf(0), (Calls{"load", "load2", "texts"}));

    hub()->update();
    EXPECT_EQ(FakeScene::stepsOf(0), (Calls{"load", "load2", "texts", "update"}));
}

TEST_F(MainTest, WhilePausedFramesDoNothingAndTheSceneHearsOfThePause)
{
    hub()->update();
    hub()->pause();
    EXPECT_TRUE(hub()->paused);
    hub()->update();
    EXPECT_EQ(FakeScene::stepsOf(0), (Calls{"load", "load2", "texts", "pause"}));

    hub()->resume();
    EXPECT_FALSE(hub()->paused);
    hub()->update();
    EXPECT_EQ(FakeScene::stepsOf(0).back(), "update");
}

TEST_F(MainTest, PauseAndResumeBeforeTheFirstFrame)
{
    hub()->pause();
    hub()->update();
    EXPECT_EQ(Main::sceneManager, nullptr);
    hub()->resume();
    hub()->afterResume();
    EXPECT_EQ(Main::sceneManager, nullptr);
    hub()->update();
    EXPECT_NE(Main::sceneManager, nullptr);
}

// ---- Where the picture sits -----------------------------------------------------------------

struct ScreenSize {
    int32_t width, height;
    int32_t offsetX, offsetY;
};

class MainLayoutTest : public vxtest::HubFixture, public ::testing::WithParamInterface<ScreenSize> {
protected:
    void SetUp() override
    {
        HubFixture::SetUp();
        openWindow(GetParam().width, GetParam().height);
        makeGame();
    }

    vxtest::FakeScenes scenes;
};

TEST_P(MainLayoutTest, TheLayoutPassCentresThePictureAndTellsTheCanvas)
{
    const ScreenSize& screen = GetParam();
    ASSERT_EQ(canvas->getWidth(), screen.width);
    ASSERT_EQ(canvas->getHeight(), screen.height);
    Main::instance->update();
    std::vector<std::pair<int32_t, int32_t>> seen;
    FakeScene::onPaint = [&](FakeScene&, VMPtr<Graphics> g) {
        seen.push_back({g->getTranslateX(), g->getTranslateY()});
    };

    VMPtr<Image> image = Image::createImage(screen.width, screen.height, false, 0xFFFFFF);
    VMPtr<Graphics> g = image->getGraphics();
    Main::instance->paint(g);

    EXPECT_EQ(Main::offsetX, screen.offsetX);
    EXPECT_EQ(Main::offsetY, screen.offsetY);
    EXPECT_EQ(canvas->getViewportOffsetX(), screen.offsetX);
    EXPECT_EQ(canvas->getViewportOffsetY(), screen.offsetY);
    EXPECT_FALSE(Main::layoutPending);
    EXPECT_EQ(seen, (std::vector<std::pair<int32_t, int32_t>>{{screen.offsetX, screen.offsetY}}))
        << "the scene draws in the picture's coordinates";
    EXPECT_EQ(g->getTranslateX(), 0);
    EXPECT_EQ(g->getTranslateY(), 0);
}

INSTANTIATE_TEST_SUITE_P(Screens, MainLayoutTest,
                         ::testing::Values(ScreenSize{240, 320, 0, 0}, ScreenSize{480, 640, 120, 160},
                                           ScreenSize{200, 320, -20, 0}, ScreenSize{176, 208, -32, -56},
                                           ScreenSize{241, 321, 0, 0}, ScreenSize{320, 240, 40, -40}),
                         [](const ::testing::TestParamInfo<ScreenSize>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

// The pixels of an image as 0xRRGGBB.
std::vector<int32_t> pixels(const VMPtr<Image>& image)
{
    int32_t w = image->getWidth(), h = image->getHeight();
    VMPtr<VMArray<int32_t, 1>> rgb = VMArray<int32_t, 1>::newArray(w * h);
    image->getRGB(rgb, 0, w, 0, 0, w, h);
    std::vector<int32_t> out(rgb->elements(), rgb->elements() + w * h);
    for (int32_t& p : out)
        p &= 0xFFFFFF;
    return out;
}

TEST_F(MainTest, TheLayoutPassClearsTheScreenAndShowsTheLoadingPictureOnce)
{
    const int32_t w = Main::WIDTH, h = Main::HEIGHT;
    VMPtr<Image> image = Image::createImage(w, h, false, 0xFFFFFF);
    Main::instance->paint(image->getGraphics());
    EXPECT_FALSE(Main::loadingPicturePending);

    // Gob 0 of the set: 4 x 2 pixels, its hot spot 2 right and 1 down.
    std::vector<int32_t> after = pixels(image);
    int32_t inked = 0;
    for (int32_t y = 0; y < h; y++) {
        for (int32_t x = 0; x < w; x++) {
            bool inPicture = x >= w / 2 - 2 && x < w / 2 + 2 && y >= h / 2 - 1 && y < h / 2 + 1;
            int32_t p = after[size_t(y * w + x)];
            if (inPicture)
                inked += p != 0;
            else
                ASSERT_EQ(p, 0) << "at " << x << ", " << y;
        }
    }
    EXPECT_GT(inked, 0);

    // Without a pending layout nothing is cleared; the next pass clears
    // without the picture.
    VMPtr<Image> second = Image::createImage(w, h, false, 0xFFFFFF);
    std::vector<int32_t> untouched = pixels(second);
    Main::instance->paint(second->getGraphics());
    EXPECT_EQ(pixels(second), untouched);
    Main::layoutPending = true;
    Main::instance->paint(second->getGraphics());
    EXPECT_EQ(pixels(second), std::vector<int32_t>(size_t(w * h), 0));
}

TEST_F(MainTest, AnUnreadableLoadingPictureIsSaidOnceAndTheScreenStillCleared)
{
    const int32_t w = Main::WIDTH, h = Main::HEIGHT;
    // The loading picture's file, emptied or damaged.
    for (const std::string& bytes : {std::string(), std::string(40, '\x7F')}) {
        SCOPED_TRACE(bytes.size());
        app.write("rsc/RP1part2.rp", bytes);
        Main::layoutPending = true;
        Main::loadingPicturePending = true;
        VMPtr<Image> image = Image::createImage(w, h, false, 0xFFFFFF);
        ::testing::internal::CaptureStdout();
        Main::instance->paint(image->getGraphics());
        Main::instance->paint(image->getGraphics());
        Main::layoutPending = true;
        Main::instance->paint(image->getGraphics());
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "The loading picture cannot be read\n");
        EXPECT_FALSE(Main::loadingPicturePending);
        EXPECT_FALSE(Main::layoutPending);
        EXPECT_EQ(pixels(image), std::vector<int32_t>(size_t(w * h), 0));
    }
}

// ---- Sound ----------------------------------------------------------------------------------

TEST_F(MainTest, SoundOperationsBeforeTheFirstSoundOnDoNothing)
{
    Main::musicId = 77;
    hub()->soundOff();
    hub()->closeSound();
    hub()->replayMusic();
    hub()->stopAllSounds();
    hub()->stopOtherChannels();
    hub()->playMusic(5);
    EXPECT_EQ(hub()->mediaManager, nullptr);
    EXPECT_EQ(Main::musicId, 77);
    EXPECT_FALSE(Main::soundEnabled);

    // A manager that exists while sound is off hears nothing either.
    VMPtr<RecordingMediaManager> sound = plantSound();
    Main::stopOthersPending = true;
    hub()->replayMusic();
    hub()->stopAllSounds();
    hub()->stopOtherChannels();
    hub()->playMusic(5);
    EXPECT_EQ(sound->calls, Calls{});
}

TEST_F(MainTest, TheFirstSoundOnMakesTheEngineSoundManager)
{
    hub()->soundOn(4);
    ASSERT_NE(hub()->mediaManager, nullptr);
    EXPECT_EQ(VMPtr<tq::MediaManager>(canvas->mediaManager).get(), hub()->mediaManager.get())
        << "the canvas ticks the same manager";
    EXPECT_EQ(hub()->mediaManager->getChannelCount(), Main::SOUND_SLOTS);
    EXPECT_TRUE(Main::soundEnabled);
    EXPECT_EQ(Main::musicId, 4);
    EXPECT_EQ(tq::io::resource::ResourcePack::currentPart, -1) << "the pack is closed";
}

TEST_F(MainTest, SoundOnLoadsTheMusicWithoutPlayingIt)
{
    VMPtr<RecordingMediaManager> sound = plantSound();
    Main::stopOthersPending = true;
    hub()->soundOn(4);
    EXPECT_EQ(sound->calls, (Calls{"unload 3", "load 3 1081 -1 0"}));
    EXPECT_TRUE(Main::soundEnabled);
    EXPECT_FALSE(Main::stopOthersPending);
    EXPECT_EQ(Main::musicId, 4);

    sound->calls.clear();
    hub()->replayMusic();
    EXPECT_EQ(sound->calls, (Calls{"play 1 3"}));
}

TEST_F(MainTest, PlayMusicReloadsOnlyForAnotherId)
{
    VMPtr<RecordingMediaManager> sound = soundOnLogged(4);
    hub()->playMusic(4);
    EXPECT_EQ(sound->calls, Calls{});

    hub()->playMusic(8);
    EXPECT_EQ(sound->calls, (Calls{"unload 3", "load 3 1081 -1 0"})) << "nothing plays yet";
    EXPECT_EQ(Main::musicId, 8);
}

TEST_F(MainTest, StopOtherChannelsKeepsChannelTwoAndRunsOncePerRequest)
{
    VMPtr<RecordingMediaManager> sound = soundOnLogged(4);
    hub()->stopOtherChannels();
    EXPECT_EQ(sound->calls, Calls{}) << "no stop was asked for";

    Main::stopOthersPending = true;
    hub()->stopOtherChannels();
    EXPECT_EQ(sound->calls, (Calls{"stop 0", "stop 1", "stop 3", "stop 4", "stop 5", "stop 6",
                                   "stop 7", "stop 8", "stop 9"}));
    EXPECT_FALSE(Main::stopOthersPending);
    sound->calls.clear();
    hub()->stopOtherChannels();
    EXPECT_EQ(sound->calls, Calls{});
}

TEST_F(MainTest, SoundOffAndCloseSound)
{
    VMPtr<RecordingMediaManager> sound = soundOnLogged(4);
    hub()->stopAllSounds();
    EXPECT_EQ(sound->calls, (Calls{"stop -1"}));

    sound->calls.clear();
    hub()->soundOff();
    EXPECT_EQ(sound->calls, (Calls{"stop -1"}));
    EXPECT_FALSE(Main::soundEnabled);
    EXPECT_EQ(Main::musicId, -1);
    EXPECT_EQ(hub()->mediaManager.get(), static_cast<tq::MediaManager*>(sound.get()))
        << "the manager stays for the next sound on";

    hub()->soundOn(6);
    sound->calls.clear();
    hub()->closeSound();
    EXPECT_EQ(sound->calls, (Calls{"close"}));
    EXPECT_EQ(hub()->mediaManager, nullptr);
    EXPECT_FALSE(Main::soundEnabled);
    EXPECT_EQ(Main::musicId, -1);
    hub()->closeSound();
    EXPECT_EQ(sound->calls, (Calls{"close"}));
}

TEST_F(MainTest, AfterResumeRestartsTheMusicExceptInThePlayScene)
{
    VMPtr<RecordingMediaManager> sound = soundOnLogged(4);
    hub()->afterResume();
    EXPECT_EQ(sound->calls, Calls{}) << "no scene manager yet: nothing";

    hub()->update();
    sound->calls.clear();
    hub()->afterResume();
    EXPECT_EQ(sound->calls, (Calls{"play 1 3"}));

    Main::sceneManager->changeScene(SceneManager::MAIN_GAME);
    sound->calls.clear();
    FakeScene::log.clear();
    hub()->afterResume();
    EXPECT_EQ(sound->calls, Calls{});
    EXPECT_EQ(FakeScene::stepsOf(SceneManager::MAIN_GAME), (Calls{"pause"}));
}

// ---- Fonts ----------------------------------------------------------------------------------

TEST_F(MainTest, SelectFontLoadsOnceAndHandsOnlyANewSetToTheFont)
{
    VMPtr<VMArray<tq::Gob, 1>> font0 = hub()->fontGlyphs->get(0);
    hub()->selectFont(0);
    EXPECT_EQ(hub()->fontGlyphs->get(0).get(), font0.get()) << "nothing loaded again";
    EXPECT_EQ(Main::font->getGlyphs().get(), font0.get());

    hub()->selectFont(1);
    VMPtr<VMArray<tq::Gob, 1>> font1 = hub()->fontGlyphs->get(1);
    ASSERT_NE(font1, nullptr);
    EXPECT_EQ((*Main::loadedFontIds)[1], hubtest::FONT_1);
    EXPECT_EQ(Main::currentFontId, hubtest::FONT_1);
    EXPECT_EQ(Main::font->getGlyphs().get(), font1.get());
    EXPECT_EQ(tq::io::resource::ResourcePack::currentPart, -1) << "the pack is closed";

    hub()->selectFont(0);
    EXPECT_EQ(Main::font->getGlyphs().get(), font0.get());
}

TEST_F(MainTest, AReleasedCurrentFontLoadsAgainButTheFontKeepsItsGlyphs)
{
    VMPtr<VMArray<tq::Gob, 1>> before = hub()->fontGlyphs->get(0);
    hub()->releaseGobSet(0);
    EXPECT_EQ(hub()->fontGlyphs->get(0), nullptr);
    EXPECT_EQ((*Main::loadedFontIds)[0], -1);

    hub()->selectFont(0);
    ASSERT_NE(hub()->fontGlyphs->get(0), nullptr);
    EXPECT_NE(hub()->fontGlyphs->get(0).get(), before.get());
    EXPECT_EQ((*Main::loadedFontIds)[0], hubtest::FONT_0);
    EXPECT_EQ(Main::font->getGlyphs().get(), before.get());
}

TEST_F(MainTest, AFontNumberOutsideTheTableThrowsAndChangesNothing)
{
    VMPtr<VMArray<tq::Gob, 1>> font0 = hub()->fontGlyphs->get(0);
    for (int32_t bad : {2, -1, 1000}) {
        EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
            [&] { hub()->selectFont(bad); }, ("Array index out of range: " + std::to_string(bad)).c_str()))
            << bad;
        EXPECT_EQ(Main::currentFontId, hubtest::FONT_0);
        EXPECT_EQ(Main::font->getGlyphs().get(), font0.get());
    }
}

// ---- Random source --------------------------------------------------------------------------

TEST_F(MainTest, NextRandomAbsNegatesWithWrapAroundSoTheSmallestIntStays)
{
    VMPtr<vxtest::ScriptedRandom> scripted = vxtest::ScriptedRandom::newInstance()->init();
    scripted->script = {INT_MIN, -5, 7, 0, INT_MAX, -INT_MAX};
    Main::random = scripted;
    std::vector<int32_t> drawn;
    for (int32_t k = 0; k < 6; k++)
        drawn.push_back(Main::nextRandomAbs());
    EXPECT_EQ(drawn, (std::vector<int32_t>{INT_MIN, 5, 7, 0, INT_MAX, INT_MAX}));
}

// ---- Exit -----------------------------------------------------------------------------------

TEST_F(MainTest, StopDropsTheSharedContextAndReleasesTheScene)
{
    hub()->update();
    hub()->selectFont(1);
    VMPtr<SceneManager> manager = Main::sceneManager;
    ui::ResManager::load(hubtest::LOADING, -1);
    ASSERT_EQ(ui::ResManager::used, 1);
    Main::layoutPending = false;

    Main::stop();
    EXPECT_EQ(FakeScene::stepsOf(0).back(), "release");
    EXPECT_EQ(SceneManager::currentScene, nullptr);
    EXPECT_EQ(SceneManager::pointer, nullptr);
    EXPECT_EQ(Main::canvas, nullptr);
    EXPECT_EQ(Main::sceneManager, nullptr);
    EXPECT_EQ(Main::game, nullptr);
    EXPECT_EQ(Main::resManager, nullptr);
    EXPECT_EQ(ui::ResManager::used, 0);
    EXPECT_EQ((*Main::loadedFontIds)[0], -1);
    EXPECT_EQ((*Main::loadedFontIds)[1], -1);
    EXPECT_EQ(Main::currentFontId, -1);
    EXPECT_EQ(Main::textId, -1);
    EXPECT_EQ(Main::musicId, -1);
    EXPECT_EQ(Main::random, nullptr);
    EXPECT_EQ(Main::font, nullptr);
    EXPECT_EQ(Main::texts, nullptr);
    EXPECT_TRUE(Main::layoutPending);
    EXPECT_NE(Main::instance, nullptr) << "the hub itself stays";
    EXPECT_NE(hub()->fontGlyphs, nullptr);
}

TEST_F(MainTest, AHubMadeAfterAStopStartsAfresh)
{
    hub()->update();
    hub()->selectFont(1);
    Main::stop();

    VMPtr<Main> again = Main::newInstance()->init(VMPtr<tq::TqCanvas>(canvas));
    EXPECT_EQ(Main::instance.get(), again.get());
    EXPECT_EQ(Main::currentFontId, hubtest::FONT_0);
    ASSERT_NE(again->fontGlyphs->get(0), nullptr);
    EXPECT_EQ(Main::font->getGlyphs().get(), again->fontGlyphs->get(0).get());
    again->update();
    EXPECT_NE(Main::sceneManager, nullptr);
}

} // namespace
