// The options: the window's items over the game's own pictures, row choice
// by keys and touch, the sound switch, the text row's reload, the back
// key's look, and leaving once, on release, to the title splash.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/menu/MenuFixture.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "scene/menu/Option.h"
#include "support/LangTestSupport.h"

using playtest::InputEvent;
using scene::menu::ClsUiOption;
using scene::menu::Option;
using Strings = std::vector<std::string>;
using scenetest::requests;

namespace {

class OptionTest : public menutest::MenuFixture {
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        main::Main::soundEnabled = false;
        enterOptions(scene::SceneManager::OPTIONS);
    }
    void TearDown() override
    {
        option = nullptr;
        main::Main::soundEnabled = false;
        MenuFixture::TearDown();
    }
    void enterOptions(int32_t id)
    {
        option = Option::newInstance()->init(id);
        ASSERT_TRUE(show(VMPtr<ui::Scene>(option)));
        requests.clear();
    }

    VMPtr<ClsUiOption> panel() { return option->panel; }
    // The frames of the seven items.
    std::vector<int32_t> look()
    {
        std::vector<int32_t> frames;
        for (int32_t i = 0; i < panel()->getNextItem(); i++)
            frames.push_back(panel()->getItemFrame(i));
        return frames;
    }
    int32_t frameOf(int32_t item) { return panel()->getItemFrame(item); }

    VMStatic<Option> option;
};

TEST_F(OptionTest, TheManagerMakesTheOptionsForScene7)
{
    VMPtr<ui::Scene> made = scene::SceneManager::findScene(scene::SceneManager::OPTIONS)(7);
    auto* options = dynamic_cast<Option*>(made.get());
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->sceneId, 7);
    EXPECT_EQ(options->selectedRow, 1);
}

TEST_F(OptionTest, EnteringBuildsTheWindowRowsAndTexts)
{
    EXPECT_EQ(panel()->getDrawOrder(), 20);
    EXPECT_EQ(panel()->getItemCapacity(), 7);
    // Backdrop, window, back, upper bar selected, lower bar, text icon,
    // sound icon off.
    EXPECT_EQ(look(), (std::vector<int32_t>{0, 28, 21, 70, 73, 0, 6}));
    EXPECT_EQ(panel()->getChoiceIndex(), 0);
    EXPECT_FALSE(panel()->isSoundOn());
    // The icons stand at the centres of the bars' boxes.
    VMPtr<ClsUiOption::IntArray> lower = panel()->getLowerRect();
    EXPECT_EQ(panel()->getItemX(panel()->soundIconItem), (*lower)[0] + (*lower)[2] / 2);
    EXPECT_EQ(panel()->getItemY(panel()->soundIconItem), (*lower)[1] + (*lower)[3] / 2);

    VMPtr<ui::Addon> label = option->label;
    EXPECT_EQ(label->getDrawOrder(), 53);
    EXPECT_EQ(label->labelCount, 2);
    EXPECT_EQ(vmText(label->labelTexts->get(0)), "Language");
    EXPECT_EQ(vmText(label->labelTexts->get(1)), "Sound & music");
    EXPECT_EQ((*label->labelFonts)[0], 1);
    EXPECT_EQ((*label->labelFonts)[1], 1);
    VMPtr<ClsUiOption::IntArray> text2 = panel()->getText2Rect();
    EXPECT_EQ((*label->labelPositions->get(1))[1], (*text2)[1]);
    EXPECT_EQ((*label->labelHeights)[1], (*text2)[3]);
}

TEST_F(OptionTest, TheSoundIconShowsTheHubsSetting)
{
    main::Main::soundEnabled = true;
    enterOptions(7);
    EXPECT_TRUE(panel()->isSoundOn());
    EXPECT_EQ(frameOf(panel()->soundIconItem), 5);
}

TEST_F(OptionTest, UpOnTheUpperRowChangesNothingAndDownSelectsTheLowerRow)
{
    std::vector<int32_t> before = look();
    tapKey(menutest::kUpKey);
    EXPECT_EQ(look(), before);
    EXPECT_EQ(option->selectedRow, 1);

    tapKey(menutest::kDownKey);
    EXPECT_EQ(option->selectedRow, 0);
    EXPECT_EQ(frameOf(panel()->upperBarItem), 71);
    EXPECT_EQ(frameOf(panel()->lowerBarItem), 72);

    // A touch held on the upper bar selects it back.
    VMPtr<ClsUiOption::IntArray> upper = panel()->getUpperRect();
    touchDown(centreX(upper), centreY(upper));
    EXPECT_EQ(option->selectedRow, 1);
    EXPECT_EQ(look(), before);
    EXPECT_EQ(requests, Strings{});
}

TEST_F(OptionTest, TogglingSoundTwiceReturnsTheIcon)
{
    tapKey(menutest::kDownKey);
    tapKey(menutest::kSelectKey);
    EXPECT_TRUE(panel()->isSoundOn());
    EXPECT_EQ(frameOf(panel()->soundIconItem), 5);
    tap(panel()->getLowerRect());
    EXPECT_FALSE(panel()->isSoundOn());
    EXPECT_EQ(frameOf(panel()->soundIconItem), 6);
    EXPECT_EQ(requests, (Strings{"soundOn 5", "replayMusic", "soundOff"}));
}

TEST_F(OptionTest, TheTextRowReloadsTheTextsAndSelectsFont1)
{
    main::Main::textId = 0x806;
    VMPtr<tq::util::text::Translation> old = option->texts;
    // By the select key on the upper row, then by a tap on it.
    tapKey(menutest::kSelectKey);
    EXPECT_EQ(requests, (Strings{"loadTexts 2054", "selectFont 1"}));
    EXPECT_NE(option->texts, old);
    EXPECT_EQ(option->texts, main::Main::texts);

    requests.clear();
    tap(panel()->getUpperRect());
    EXPECT_EQ(requests, (Strings{"loadTexts 2054", "selectFont 1"}));
}

TEST_F(OptionTest, ChoiceIndexWrapsAtBothEnds)
{
    const std::pair<int32_t, int32_t> cases[] = {{-1, 4}, {-9, 4}, {0, 0}, {4, 4}, {5, 0}, {12, 0}};
    for (auto [set, got] : cases) {
        panel()->setChoiceIndex(set);
        EXPECT_EQ(panel()->getChoiceIndex(), got) << "set " << set;
    }
}

TEST_F(OptionTest, ATouchReleasedAnywhereRestoresTheBackKey)
{
    VMPtr<ClsUiOption::IntArray> back = panel()->getBackRect();
    touchDown(centreX(back), centreY(back));
    EXPECT_EQ(frameOf(panel()->backItem), 17);
    touchUp(5, 5);
    EXPECT_EQ(frameOf(panel()->backItem), 21);
    EXPECT_EQ(requests, Strings{});

    // Released on the sound row, it restores the key and acts on the row.
    touchDown(centreX(back), centreY(back));
    VMPtr<ClsUiOption::IntArray> lower = panel()->getLowerRect();
    touchUp(centreX(lower), centreY(lower));
    EXPECT_EQ(frameOf(panel()->backItem), 21);
    EXPECT_EQ(requests, (Strings{"soundOn 5", "replayMusic"}));
}

TEST_F(OptionTest, TheBackKeyShowsItsPressAndLeavesOnReleaseByItsSceneId)
{
    pressKey(menutest::kRightSoftKey);
    idle(3);
    EXPECT_EQ(frameOf(panel()->backItem), 17);
    EXPECT_EQ(requests, Strings{});
    step({{frameNumber, InputEvent::KEY_UP, menutest::kRightSoftKey}});
    EXPECT_EQ(frameOf(panel()->backItem), 21);
    EXPECT_EQ(requests, Strings{"changeScene 12"});

    // Made for another id, the options lead to the main menu.
    enterOptions(3);
    tap(panel()->getBackRect());
    EXPECT_EQ(requests, Strings{"changeScene 1"});
}

TEST_F(OptionTest, AKeyAndATouchReleasedInOneFrameLeaveOnceAndActOnNothing)
{
    VMPtr<ClsUiOption::IntArray> lower = panel()->getLowerRect();
    pressKey(menutest::kRightSoftKey);
    touchDown(centreX(lower), centreY(lower));
    step({{frameNumber, InputEvent::TOUCH_UP, 0, centreX(lower), centreY(lower)}});
    step({{frameNumber, InputEvent::KEY_UP, menutest::kRightSoftKey}});
    EXPECT_EQ(requests, Strings{"changeScene 12"}) << "the sound row is not toggled after leaving";

    VMPtr<ClsUiOption::IntArray> back = panel()->getBackRect();
    tap(back);
    option->leave();
    EXPECT_EQ(requests, Strings{"changeScene 12"});
}

} // namespace
