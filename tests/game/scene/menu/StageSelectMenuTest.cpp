// The stage selection: its panel and labels after the entry, browsing round
// the ring by key and by touch, the 650 ms guard on the virtual clock, the
// progress mark of each stage's saved level, and leaving to the shop or the
// main menu by key and by touch, once.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/menu/MenuFixture.h"
#include "main/Game.h"
#include "scene/mainGame/MainGame.h"
#include "scene/menu/StageSelectMenu.h"
#include "wince/clock.h"

using scene::mainGame::MainGame;
using scene::menu::ClsUiSelectMenu;
using scene::menu::StageSelectMenu;
using Strings = std::vector<std::string>;

namespace {

std::string utf8(const VMPtr<java::lang::String>& s)
{
    std::string out;
    for (int32_t i = 0; i < s->length(); i++)
        out += char(s->charAt(i));
    return out;
}

class StageSelectMenuTest : public menutest::MenuFixture {
protected:
    // The scene entered on stage `stage`, the clock well past any change.
    StageSelectMenu* enterOn(int32_t stage)
    {
        StageSelectMenu::selectedStage = stage;
        menu = StageSelectMenu::newInstance()->init();
        EXPECT_TRUE(show(VMPtr<ui::Scene>(menu.get())));
        scenetest::requests.clear();
        return menu.get();
    }
    ClsUiSelectMenu* panel() { return menu->panel.get(); }
    // The stage whose picture is lit; -1 when none is or several are.
    int32_t litStage()
    {
        int32_t lit = -1;
        for (int32_t s = 0; s < ClsUiSelectMenu::STAGES; s++) {
            if (panel()->getItemFrame(panel()->firstStageItem + s) == 0) {
                if (lit != -1)
                    return -1;
                lit = s;
            }
        }
        return lit;
    }
    void TearDown() override
    {
        menu = nullptr;
        StageSelectMenu::selectedStage = 0;
        MenuFixture::TearDown();
    }

    VMStatic<StageSelectMenu> menu;
};

TEST_F(StageSelectMenuTest, EnteringBuildsThePanelAndTheLabelsWithTheSavedMoney)
{
    main::Game::money = 4321;
    MainGame::money = 7;
    painting = true;
    StageSelectMenu* m = enterOn(0);
    EXPECT_EQ(MainGame::money, 4321) << "the play money is the saved money";

    ASSERT_NE(m->panel, nullptr);
    EXPECT_EQ(panel()->getDrawOrder(), 20);
    EXPECT_EQ(panel()->getItemCapacity(), 20);
    EXPECT_EQ(panel()->getNextItem(), 19);
    ASSERT_NE(m->label, nullptr);
    EXPECT_EQ(m->label->getDrawOrder(), 53);
    ASSERT_EQ(m->label->labelCount, 3);
    EXPECT_EQ(utf8(m->label->labelTexts->get(0)), "Start");
    EXPECT_EQ(utf8(m->label->labelTexts->get(1)), "$ 4321");
    EXPECT_TRUE(m->label->labelTexts->get(2)->equals(main::Main::texts->getString(48)));
    EXPECT_EQ((*m->label->labelFonts)[0], 1);
    EXPECT_EQ((*m->label->labelFonts)[1], 1);
    EXPECT_EQ((*m->label->labelFonts)[2], 0);

    // Each label stands in the box the panel gives for it.
    VMPtr<ClsUiSelectMenu::IntArray> play = panel()->getPlayRect(2);
    VMPtr<ClsUiSelectMenu::IntArray> money = panel()->getMoneyRect();
    VMPtr<ClsUiSelectMenu::IntArray> title = panel()->getTitleRect();
    const int32_t expected[3][4] = {{(*play)[0], (*play)[1], (*play)[2], (*play)[3]},
                                    {(*money)[0], (*money)[1], 0, 0},
                                    {(*title)[0], (*title)[1], (*title)[2], (*title)[3]}};
    for (int32_t i = 0; i < 3; i++) {
        SCOPED_TRACE(i);
        VMPtr<ClsUiSelectMenu::IntArray> at = m->label->labelPositions->get(i);
        EXPECT_EQ((*at)[0], expected[i][0]);
        EXPECT_EQ((*at)[1], expected[i][1]);
        EXPECT_EQ((*m->label->labelWidths)[i], expected[i][2]);
        EXPECT_EQ((*m->label->labelHeights)[i], expected[i][3]);
    }
    EXPECT_EQ(litStage(), 0);
    idle(3);
    EXPECT_EQ(sceneRequests(), Strings{});
}

TEST_F(StageSelectMenuTest, TheArrowsBrowseRoundTheRingByKeyAndByTouch)
{
    struct Case {
        const char* name;
        int32_t from;
        std::function<void()> act;
        int32_t to;
    };
    auto key = [this](int32_t k) { return [this, k] { tapKey(k); }; };
    auto touchLeft = [this] { tap(panel()->getLeftArrowRect()); };
    auto touchRight = [this] { tap(panel()->getRightArrowRect()); };
    const Case cases[] = {
        {"left key from 0", 0, key(menutest::kLeftKey), 7},
        {"right key from 7", 7, key(menutest::kRightKey), 0},
        {"left key from 3", 3, key(menutest::kLeftKey), 2},
        {"right key from 3", 3, key(menutest::kRightKey), 4},
        {"left arrow from 0", 0, touchLeft, 7},
        {"right arrow from 7", 7, touchRight, 0},
        {"right arrow from 5", 5, touchRight, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        enterOn(c.from);
        // Well past the last change of the previous case.
        wince::advanceVirtualClock(1000);
        c.act();
        EXPECT_EQ(StageSelectMenu::selectedStage, c.to);
        EXPECT_EQ(litStage(), c.to);
        EXPECT_EQ(sceneRequests(), Strings{});
    }
}

TEST_F(StageSelectMenuTest, ChangesWithin650MsOfTheLastAreRefused)
{
    enterOn(0);
    tapKey(menutest::kRightKey);
    ASSERT_EQ(StageSelectMenu::selectedStage, 1) << "the first change after entering";

    wince::advanceVirtualClock(650);
    tapKey(menutest::kRightKey);
    EXPECT_EQ(StageSelectMenu::selectedStage, 1) << "650 ms after the last change";
    tap(panel()->getLeftArrowRect());
    EXPECT_EQ(StageSelectMenu::selectedStage, 1) << "nor by touch";

    wince::advanceVirtualClock(1);
    tapKey(menutest::kRightKey);
    EXPECT_EQ(StageSelectMenu::selectedStage, 2) << "651 ms after it";
    // A refused change took no time: the guard still counts from 2's.
    wince::advanceVirtualClock(651);
    tap(panel()->getLeftArrowRect());
    EXPECT_EQ(StageSelectMenu::selectedStage, 1);
}

TEST_F(StageSelectMenuTest, TheFirstChangeAfterEnteringIsNeverRefused)
{
    enterOn(2);
    tapKey(menutest::kRightKey);
    ASSERT_EQ(StageSelectMenu::selectedStage, 3);
    // A new visit at once: its own first change goes through.
    enterOn(3);
    tapKey(menutest::kLeftKey);
    EXPECT_EQ(StageSelectMenu::selectedStage, 2);
}

TEST_F(StageSelectMenuTest, ARefusedLeftReleaseIsTakenAsNothingElse)
{
    enterOn(4);
    tapKey(menutest::kLeftKey);
    ASSERT_EQ(StageSelectMenu::selectedStage, 3);
    pressKey(menutest::kLeftKey);
    EXPECT_EQ(panel()->getItemFrame(panel()->leftArrowItem), 8) << "pressed";
    step({{frameNumber, playtest::InputEvent::KEY_UP, menutest::kLeftKey}});
    EXPECT_EQ(StageSelectMenu::selectedStage, 3);
    EXPECT_EQ(litStage(), 3);
    EXPECT_EQ(sceneRequests(), Strings{});
    EXPECT_EQ(panel()->getItemFrame(panel()->rightArrowItem), 11);
    EXPECT_EQ(panel()->getItemFrame(panel()->playItem), 21);
    EXPECT_EQ(panel()->getItemFrame(panel()->backItem), 18);
}

TEST_F(StageSelectMenuTest, TheProgressMarkShowsTheChosenStagesSavedLevel)
{
    // Saved levels by stage; a level outside 1..4 shows the nearest mark.
    const int32_t levels[8] = {1, 3, 4, 2, 1, 0, 9, 1};
    for (int32_t s = 0; s < 8; s++)
        (*main::Game::stageDifficulty)[s] = levels[s];
    enterOn(0);
    const int32_t marks[8] = {0, 2, 3, 1, 0, 0, 3, 0};
    for (int32_t s = 0; s < 8; s++) {
        SCOPED_TRACE(s);
        EXPECT_EQ(StageSelectMenu::selectedStage, s);
        EXPECT_EQ(panel()->getItemFrame(panel()->progressItem), marks[s]);
        wince::advanceVirtualClock(651);
        tapKey(menutest::kRightKey);
    }
}

TEST_F(StageSelectMenuTest, PlayAndBackLeaveOnReleaseByKeyAndByTouch)
{
    struct Case {
        const char* name;
        std::function<void()> press;
        std::function<void()> release;
        std::function<int32_t(ClsUiSelectMenu*)> item;
        int32_t pressedFrame;
        std::string change;
    };
    using BoxOf = std::function<VMPtr<ClsUiSelectMenu::IntArray>()>;
    auto keyDown = [this](int32_t k) { return [this, k] { pressKey(k); }; };
    auto keyUp = [this](int32_t k) {
        return [this, k] { step({{frameNumber, playtest::InputEvent::KEY_UP, k}}); };
    };
    BoxOf playBox = [this] { return panel()->getPlayRect(0); };
    BoxOf backBox = [this] { return panel()->getBackRect(); };
    auto touchDownOn = [this](BoxOf box) {
        return [this, box] {
            VMPtr<ClsUiSelectMenu::IntArray> b = box();
            touchDown(centreX(b), centreY(b));
        };
    };
    auto touchUpOn = [this](BoxOf box) {
        return [this, box] {
            VMPtr<ClsUiSelectMenu::IntArray> b = box();
            step({{frameNumber, playtest::InputEvent::TOUCH_UP, 0, centreX(b), centreY(b)}});
            step({});
        };
    };
    auto play = [](ClsUiSelectMenu* p) { return p->playItem; };
    auto back = [](ClsUiSelectMenu* p) { return p->backItem; };
    const Case cases[] = {
        {"play key", keyDown(menutest::kRightSoftKey), keyUp(menutest::kRightSoftKey), play, 17,
         "changeScene 11"},
        {"back key", keyDown(menutest::kLeftSoftKey), keyUp(menutest::kLeftSoftKey), back, 14,
         "changeScene 1"},
        {"play button", touchDownOn(playBox), touchUpOn(playBox), play, 17, "changeScene 11"},
        {"back button", touchDownOn(backBox), touchUpOn(backBox), back, 14, "changeScene 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        enterOn(5);
        c.press();
        EXPECT_EQ(panel()->getItemFrame(c.item(panel())), c.pressedFrame) << "the press shows";
        EXPECT_EQ(sceneRequests(), Strings{}) << "and only shows";
        VMPtr<ClsUiSelectMenu> kept(panel());
        c.release();
        EXPECT_EQ(sceneRequests(), Strings{c.change});
        EXPECT_NE(kept->getItemFrame(c.item(kept.get())), c.pressedFrame) << "back to normal";
        EXPECT_EQ(StageSelectMenu::selectedStage, 5) << "the chosen stage is kept";
        // Later frames of the scene that left answer nothing.
        scenetest::requests.clear();
        tapKey(menutest::kRightSoftKey);
        tap(kept->getBackRect());
        EXPECT_EQ(sceneRequests(), Strings{});
        canvas->resetKeys();
        canvas->latchKeys();
    }
}

TEST_F(StageSelectMenuTest, AKeyAndATouchLeavingInOneFrameLeaveOnce)
{
    enterOn(0);
    VMPtr<ClsUiSelectMenu::IntArray> back = panel()->getBackRect();
    touchDown(centreX(back), centreY(back));
    pressKey(menutest::kRightSoftKey);
    // The touch is seen a frame after it comes: both releases reach one frame.
    step({{frameNumber, playtest::InputEvent::TOUCH_UP, 0, centreX(back), centreY(back)}});
    step({{frameNumber, playtest::InputEvent::KEY_UP, menutest::kRightSoftKey}});
    EXPECT_EQ(sceneRequests(), Strings{"changeScene 11"});
}

TEST_F(StageSelectMenuTest, ARefusedChangeOfSceneKeepsTheSceneAnswering)
{
    scenetest::RecordingSceneManager::refused = 11;
    enterOn(0);
    tapKey(menutest::kRightSoftKey);
    tapKey(menutest::kLeftSoftKey);
    EXPECT_EQ(sceneRequests(), (Strings{"changeScene 11", "changeScene 1"}));
}

TEST_F(StageSelectMenuTest, ATouchReleasedAnywhereResetsTheArrowsAndButtons)
{
    enterOn(1);
    ClsUiSelectMenu* p = panel();
    VMPtr<ClsUiSelectMenu::IntArray> left = p->getLeftArrowRect();
    touchDown(centreX(left), centreY(left));
    ASSERT_EQ(p->getItemFrame(p->leftArrowItem), 8);
    // Pressed looks from the keys (one a frame: the first key that matches).
    pressKey(menutest::kRightKey);
    pressKey(menutest::kRightSoftKey);
    pressKey(menutest::kLeftSoftKey);
    ASSERT_EQ(p->getItemFrame(p->rightArrowItem), 10);
    ASSERT_EQ(p->getItemFrame(p->playItem), 17);
    ASSERT_EQ(p->getItemFrame(p->backItem), 14);

    // Released in the empty middle of the backdrop, far from every box.
    step({{frameNumber, playtest::InputEvent::TOUCH_UP, 0, 120, 290}});
    step({});
    EXPECT_EQ(p->getItemFrame(p->leftArrowItem), 9);
    EXPECT_EQ(p->getItemFrame(p->rightArrowItem), 11);
    EXPECT_EQ(p->getItemFrame(p->playItem), 21);
    EXPECT_EQ(p->getItemFrame(p->backItem), 18);
    EXPECT_EQ(StageSelectMenu::selectedStage, 1);
    EXPECT_EQ(sceneRequests(), Strings{});
}

TEST_F(StageSelectMenuTest, InputWaitsUntilTheSceneHasEntered)
{
    StageSelectMenu::selectedStage = 6;
    menu = StageSelectMenu::newInstance()->init();
    stepped = VMPtr<ui::Scene>(menu.get());
    menu->setEntering(true);
    step({{0, playtest::InputEvent::KEY_DOWN, menutest::kRightKey}});
    step({{1, playtest::InputEvent::KEY_UP, menutest::kRightKey},
          {1, playtest::InputEvent::KEY_DOWN, menutest::kRightSoftKey}});
    step({{2, playtest::InputEvent::KEY_UP, menutest::kRightSoftKey}});
    EXPECT_EQ(StageSelectMenu::selectedStage, 6);
    EXPECT_EQ(sceneRequests(), Strings{});
}

TEST_F(StageSelectMenuTest, TheSceneManagerMakesItForId10AndThePlaySceneReadsTheChosenStage)
{
    scene::SceneManager::SceneMaker maker = scene::SceneManager::findScene(10);
    ASSERT_NE(maker, nullptr);
    VMPtr<ui::Scene> made = maker(10);
    EXPECT_NE(vm_cast<StageSelectMenu>(made), nullptr);

    StageSelectMenu::selectedStage = 6;
    VMPtr<MainGame> play = MainGame::newInstance()->init();
    EXPECT_EQ(MainGame::stage, 6);
}

} // namespace
