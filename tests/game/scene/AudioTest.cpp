// The sound question: its panel and labels built over the entry steps, the
// answers by key and by touch in both modes, press feedback, one answer a
// frame, and no input before the scene has entered.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/SceneFixture.h"
#include "scene/menu/Audio.h"
#include "ui/Addon.h"

using scene::mainMenu::ClsUiConfirm;
using scene::menu::Audio;
using Strings = std::vector<std::string>;
using scenetest::requests;

namespace {

// Game keys of the left and right soft keys' logical keys (12 and 13).
constexpr int32_t kNoKey = 7;
constexpr int32_t kYesKey = 15;

class AudioTest : public scenetest::SceneFixture {
protected:
    VMPtr<Audio> entered(int32_t mode)
    {
        VMPtr<Audio> audio = Audio::newInstance()->init(mode);
        audio->setEntering(true);
        EXPECT_TRUE(enter(audio.get()));
        requests.clear();
        return audio;
    }
    // The touch state as the pointer leaves it after a press or a release.
    static void touch(const VMPtr<Audio::IntArray>& box, bool down)
    {
        (*ui::Pointer::currentX)[0] = (*box)[0] + (*box)[2] / 2;
        (*ui::Pointer::currentY)[0] = (*box)[1] + (*box)[3] / 2;
        (*ui::Pointer::pressed)[0] = down;
        (*ui::Pointer::released)[0] = !down;
    }
    static void touchAt(int32_t x, int32_t y, bool down)
    {
        (*ui::Pointer::currentX)[0] = x;
        (*ui::Pointer::currentY)[0] = y;
        (*ui::Pointer::pressed)[0] = down;
        (*ui::Pointer::released)[0] = !down;
    }
};

TEST_F(AudioTest, EnteringBuildsThePanelAndItsTexts)
{
    VMPtr<Audio> audio = Audio::newInstance()->init(6);
    EXPECT_EQ(audio->mode, 6);
    audio->setEntering(true);
    ASSERT_TRUE(enter(audio.get()));
    ASSERT_NE(audio->panel, nullptr);
    EXPECT_EQ(audio->panel->getDrawOrder(), 20);
    EXPECT_EQ(audio->panel->getItemCapacity(), 7);
    EXPECT_EQ(audio->panel->getNextItem(), 4) << "built";
    ASSERT_NE(audio->labels, nullptr);
    EXPECT_EQ(audio->labels->getDrawOrder(), 53);
    EXPECT_EQ(audio->labels->labelCount, 1);
    EXPECT_TRUE(audio->labels->labelTexts->get(0)->equals(main::Main::texts->getString(24)));
    EXPECT_EQ(audio->labels->textFont, 1);
    EXPECT_GT(audio->labels->lineCount, 0) << "the question is laid out";
    // The music starts as the entry finishes (a hub without sound plays none).
    EXPECT_EQ(audio->objects->length, 2);
}

TEST_F(AudioTest, EachAnswerSetsTheSoundAndLeavesByItsMode)
{
    struct Case {
        const char* name;
        int32_t mode;
        std::function<void(Audio*)> answer;
        Strings requested;
    };
    auto key = [this](int32_t gameKey) {
        return [this, gameKey](Audio* audio) {
            canvas->pressKey(gameKey);
            frame(audio);
            EXPECT_EQ(sceneRequests(), Strings{}) << "a press only shows";
            canvas->releaseKey(gameKey);
            frame(audio);
        };
    };
    auto button = [this](bool yes) {
        return [this, yes](Audio* audio) {
            VMPtr<ClsUiConfirm> panel = audio->panel;
            touch(yes ? panel->getYesBox() : panel->getNoBox(), true);
            frame(audio);
            EXPECT_EQ(sceneRequests(), Strings{}) << "a press only shows";
            touch(yes ? panel->getYesBox() : panel->getNoBox(), false);
            frame(audio);
        };
    };
    const Strings yesTo12{"soundOn 5", "replayMusic", "changeScene 12"};
    const Strings noTo12{"soundOff", "changeScene 12"};
    const Strings yesTo1{"soundOn 5", "replayMusic", "changeScene 1"};
    const Strings noTo1{"soundOff", "changeScene 1"};
    const Case cases[] = {
        {"yes key at start-up", 6, key(kYesKey), yesTo12},
        {"no key at start-up", 6, key(kNoKey), noTo12},
        {"yes key from the menu", 2, key(kYesKey), yesTo1},
        {"no key from the menu", 2, key(kNoKey), noTo1},
        {"yes button at start-up", 6, button(true), yesTo12},
        {"no button at start-up", 6, button(false), noTo12},
        {"yes button from the menu", 2, button(true), yesTo1},
        {"no button from the menu", 2, button(false), noTo1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VMPtr<Audio> audio = entered(c.mode);
        c.answer(audio.get());
        EXPECT_EQ(requests, c.requested);
        // Later frames of the same scene answer nothing again.
        requests.clear();
        touch(audio->panel->getYesBox(), false);
        frame(audio.get());
        EXPECT_EQ(requests, Strings{});
        canvas->resetKeys();
        canvas->latchKeys();
    }
}

TEST_F(AudioTest, APressShowsTheButtonAndOnlyTheReleaseActs)
{
    VMPtr<Audio> audio = entered(6);
    auto noFrame = [&] { return audio->panel->getItemFrame(ClsUiConfirm::noItem); };
    auto yesFrame = [&] { return audio->panel->getItemFrame(ClsUiConfirm::yesItem); };

    canvas->pressKey(kNoKey);
    for (int32_t i = 0; i < 5; i++)
        frame(audio.get());
    EXPECT_EQ(noFrame(), 16) << "held: pressed";
    EXPECT_EQ(requests, Strings{});

    canvas->releaseKey(kNoKey);
    canvas->pressKey(kYesKey);
    canvas->releaseKey(kYesKey);
    frame(audio.get());
    EXPECT_EQ(requests, (Strings{"soundOn 5", "replayMusic", "changeScene 12"}))
        << "the yes release is taken first";
    EXPECT_EQ(noFrame(), 20);
    EXPECT_EQ(yesFrame(), 21);
}

TEST_F(AudioTest, AReleaseOutsideBothButtonsOnlyResetsThem)
{
    VMPtr<Audio> audio = entered(6);
    touch(audio->panel->getYesBox(), true);
    frame(audio.get());
    EXPECT_EQ(audio->panel->getItemFrame(ClsUiConfirm::yesItem), 17);
    touchAt(120, 160, false);
    frame(audio.get());
    EXPECT_EQ(audio->panel->getItemFrame(ClsUiConfirm::yesItem), 21);
    EXPECT_EQ(requests, Strings{});
}

TEST_F(AudioTest, AKeyAndATouchAnsweringInOneFrameActOnce)
{
    VMPtr<Audio> audio = entered(6);
    canvas->pressKey(kYesKey);
    canvas->releaseKey(kYesKey);
    touch(audio->panel->getNoBox(), false);
    frame(audio.get());
    EXPECT_EQ(requests, (Strings{"soundOn 5", "replayMusic", "changeScene 12"}));

    // Asked to leave again, the scene does nothing.
    requests.clear();
    audio->leave();
    EXPECT_EQ(requests, Strings{});
}

TEST_F(AudioTest, InputWaitsUntilTheSceneHasEntered)
{
    VMPtr<Audio> audio = Audio::newInstance()->init(6);
    audio->setEntering(true);
    canvas->pressKey(kYesKey);
    canvas->releaseKey(kYesKey);
    touchAt(200, 300, false);
    frame(audio.get());
    ASSERT_TRUE(audio->entering);
    ASSERT_TRUE(enter(audio.get()));
    EXPECT_EQ(sceneRequests(), Strings{});
}

} // namespace
