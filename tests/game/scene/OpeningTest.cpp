// The game's opening as a player sees it, headless on the virtual clock:
// the logo, the sound question answered by a touch on Yes, the title, and
// the title's request for the main menu. The game runs from its MIDlet on
// its own canvas thread; the test plays the user between frames and writes
// a picture of each step through the engine's PNG writer.

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "engine/support/TestGameCanvas.h"
#include "game/support/FakeScene.h"
#include "game/support/HubFixture.h"
#include "javax/microedition/lcdui/Image.h"
#include "main/CommonMIDlet.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "scene/menu/Audio.h"
#include "scene/splash/LogoGameSplash.h"
#include "scene/splash/LogoScene.h"
#include "tq/TqCanvas.h"
#include "ui/Pointer.h"

using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using scene::SceneManager;
using scene::mainMenu::ClsUiConfirm;
using scene::menu::Audio;
using scene::splash::LogoGameSplash;
using scene::splash::LogoScene;
using ByteArray = VMArray<int8_t, 1>;
using IntArray = VMArray<int32_t, 1>;

namespace {

constexpr int32_t kWidth = 240;
constexpr int32_t kHeight = 320;

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
    }

    // Lets the canvas thread run frames (only its sleeps move the clock)
    // until done holds.
    static bool runUntil(const std::function<bool()>& done)
    {
        struct Frames : vxtest::GameCanvasFixture {
            using GameCanvasFixture::runUntil;
        };
        return Frames::runUntil(done);
    }

    template<class S>
    static S* current()
    {
        return dynamic_cast<S*>(SceneManager::currentScene.get());
    }
    template<class S>
    static S* running()
    {
        S* scene = current<S>();
        return scene != nullptr && !scene->entering ? scene : nullptr;
    }

    // The game's picture of the current frame as a paletted PNG in the build
    // folder; its path.
    static std::string screenshot(const std::string& name)
    {
        VMPtr<Image> image = Image::createImage(kWidth, kHeight, false, 0);
        SceneManager::instance->paint(image->getGraphics());
        VMPtr<IntArray> rgb = IntArray::newArray(kWidth * kHeight);
        image->getRGB(rgb, 0, kWidth, 0, 0, kWidth, kHeight);

        // Colours in order of appearance; a picture of more than 256 is
        // mapped onto a cube of 6 x 7 x 6 levels.
        std::map<int32_t, int32_t> index;
        for (int32_t i = 0; i < rgb->length && index.size() <= 256; i++)
            index.emplace((*rgb)[i] & 0xFFFFFF, int32_t(index.size()));
        bool cube = index.size() > 256;
        auto level = [](int32_t value, int32_t levels) { return (value * (levels - 1) + 127) / 255; };
        auto cubeIndex = [&](int32_t c) {
            return (level(c >> 16 & 0xFF, 6) * 7 + level(c >> 8 & 0xFF, 7)) * 6 + level(c & 0xFF, 6);
        };
        int32_t colours = cube ? 6 * 7 * 6 : int32_t(index.size());
        VMPtr<ByteArray> palette = ByteArray::newArray(colours * 3 + 4);
        auto setColour = [&](int32_t i, int32_t c) {
            (*palette)[i * 3] = int8_t(c >> 16);
            (*palette)[i * 3 + 1] = int8_t(c >> 8);
            (*palette)[i * 3 + 2] = int8_t(c);
        };
        if (cube) {
            for (int32_t r = 0; r < 6; r++)
                for (int32_t g = 0; g < 7; g++)
                    for (int32_t b = 0; b < 6; b++)
                        setColour((r * 7 + g) * 6 + b, (r * 51) << 16 | (g * 255 / 6) << 8 | b * 51);
        } else {
            for (auto [colour, i] : index)
                setColour(i, colour);
        }
        tq::TqCanvas::updatePaletteCrc(palette);
        VMPtr<ByteArray> pixels = ByteArray::newArray(kWidth * kHeight);
        for (int32_t i = 0; i < rgb->length; i++) {
            int32_t c = (*rgb)[i] & 0xFFFFFF;
            (*pixels)[i] = int8_t(cube ? cubeIndex(c) : index.at(c));
        }
        VMPtr<ByteArray> png =
            tq::TqCanvas::createPalettedPng(pixels, 0, kWidth, kWidth, kHeight, palette, -1);

        std::filesystem::create_directories(VX_SCREENSHOT_DIR);
        std::string path = std::string(VX_SCREENSHOT_DIR) + "/opening-" + name + ".png";
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(&(*png)[0]), png->length);
        EXPECT_TRUE(out.flush()) << path;
        std::cout << "screenshot: " << path << std::endl;
        return path;
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
    screenshot("1-logo");

    // The sound question after three seconds, in its start-up mode.
    ASSERT_TRUE(runUntil([] { return current<LogoScene>() == nullptr; }));
    ASSERT_NE(current<Audio>(), nullptr);
    EXPECT_EQ(current<Audio>()->mode, 6);
    ASSERT_TRUE(runUntil([] { return running<Audio>() != nullptr; }));
    screenshot("2-sound-question");

    // A touch on Yes: pressed while held, answered on release.
    VMPtr<IntArray> yes = running<Audio>()->panel->getYesBox();
    int32_t x = (*yes)[0] + (*yes)[2] / 2 + main::Main::offsetX;
    int32_t y = (*yes)[1] + (*yes)[3] / 2 + main::Main::offsetY;
    canvas->pointerPressed(x, y);
    ASSERT_TRUE(runUntil([] {
        Audio* audio = running<Audio>();
        return audio != nullptr && audio->panel->getItemFrame(ClsUiConfirm::yesItem) == 17;
    }));
    screenshot("3-yes-pressed");
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
    screenshot("4-title");

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
