// The main menu: the demo flight built behind the menu and flying for ever
// within its bounds, the selection by keys and by the arrows, the three
// ways out and the levels they put back, the quit question and its answers,
// and one leave a frame.

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/menu/MenuFixture.h"
#include "game/support/ScriptedRandom.h"
#include "scene/mainMenu/MainMenu.h"

using menutest::kDownKey;
using menutest::kLeftSoftKey;
using menutest::kRightSoftKey;
using menutest::kSelectKey;
using menutest::kUpKey;
using playtest::InputEvent;
using scene::mainGame::ClsPlayer;
using scene::mainGame::MainGame;
using scene::mainMenu::ClsUiConfirm;
using scene::mainMenu::ClsUiMainMenu;
using scene::mainMenu::MainMenu;
using scenetest::requests;
using Strings = std::vector<std::string>;

namespace {

// The saved levels of item 0 of each group when the menu is entered.
constexpr int32_t kSavedWeaponLevel = 3;
constexpr int32_t kSavedSupportLevel = 0;
// The item names.
constexpr int32_t kItemTexts[] = {29, 24, 25, 27};

// One way to answer the quit question.
struct Answer {
    const char* name;
    std::function<void()> act;
};

class MainMenuTest : public menutest::MenuFixture {
protected:
    void TearDown() override
    {
        menu = nullptr;
        MenuFixture::TearDown();
    }

    MainMenu* enterMenu()
    {
        (*main::Game::itemLevelsA)[0] = kSavedWeaponLevel;
        (*main::Game::itemLevelsB)[0] = kSavedSupportLevel;
        menu = MainMenu::newInstance()->init();
        EXPECT_TRUE(show(VMPtr<ui::Scene>(menu.get())));
        requests.clear();
        return menu.get();
    }
    bool labelShows(int32_t text)
    {
        return menu->menuLabel->labelTexts->get(0)->equals(main::Main::texts->getString(text));
    }
    std::pair<int32_t, int32_t> levels()
    {
        return {(*main::Game::itemLevelsA)[0], (*main::Game::itemLevelsB)[0]};
    }
    int32_t exitRequests()
    {
        std::vector<int32_t> n = canvas->noticeNumbers();
        return int32_t(std::count(n.begin(), n.end(), tq::TqCanvas::ACTIVITY_EXIT));
    }
    // The selection moved to item k by the down key.
    void select(int32_t k)
    {
        while (menu->selectedItem != k)
            tapKey(kDownKey);
    }
    // A key release and a touch release inside box, seen in one frame.
    void releaseBoth(int32_t key, VMPtr<IntArray> box)
    {
        int32_t x = centreX(box);
        int32_t y = centreY(box);
        step({{frameNumber, InputEvent::KEY_DOWN, key}, {frameNumber, InputEvent::TOUCH_DOWN, 0, x, y}});
        step({});
        step({{frameNumber, InputEvent::TOUCH_UP, 0, x, y}});
        step({{frameNumber, InputEvent::KEY_UP, key}});
        step({});
    }

    VMStatic<MainMenu> menu;
};

TEST_F(MainMenuTest, EnteringBuildsTheDemoBehindTheMenu)
{
    MainMenu* m = enterMenu();
    EXPECT_FALSE(MainGame::playActive);
    EXPECT_GE(MainGame::stage, 0);
    EXPECT_LE(MainGame::stage, 6);

    const std::pair<const char*, std::pair<ui::MyObject*, int32_t>> orders[] = {
        {"backdrop", {m->backdrop.get(), 1}},
        {"theme", {m->themeItem.get(), 1}},
        {"boss", {MainGame::boss1.get(), 2}},
        {"enemies", {MainGame::enemies.get(), 3}},
        {"player", {MainGame::player.get(), 4}},
        {"explosions", {MainGame::explosions.get(), 4}},
        {"panel", {m->panel.get(), 52}},
        {"menu label", {m->menuLabel.get(), 53}},
        {"question", {m->confirmPanel.get(), 54}},
        {"question labels", {m->confirmLabels.get(), 55}},
    };
    for (const auto& [name, object] : orders) {
        SCOPED_TRACE(name);
        ASSERT_NE(object.first, nullptr);
        EXPECT_EQ(object.first->getDrawOrder(), object.second);
    }
    EXPECT_EQ(m->backdrop->getNextItem(), 1);
    EXPECT_EQ(m->panel->getNextItem(), 4);
    EXPECT_EQ(m->confirmPanel->getNextItem(), 4);
    EXPECT_EQ(MainGame::explosions->getNextItem(), 30);
    EXPECT_EQ(m->themeItem->getNextItem(), 4);
    EXPECT_FALSE(m->confirmPanel->isActive());
    EXPECT_FALSE(m->confirmLabels->isActive());
    EXPECT_TRUE(labelShows(29));
    EXPECT_EQ((*m->menuLabel->labelFonts)[0], 1);

    // The demo plane: weapon and support item 0 at the demo's levels.
    EXPECT_EQ(MainGame::player->getState(), ClsPlayer::STATE_DEMO);
    EXPECT_EQ(ClsPlayer::weaponKind, 0);
    EXPECT_EQ(ClsPlayer::supportKind, 0);
    EXPECT_EQ(ClsPlayer::weaponLevel, 2);
    EXPECT_EQ(ClsPlayer::supportLevel, 1);
    EXPECT_EQ(levels(), (std::pair<int32_t, int32_t>{2, 1}));
    EXPECT_EQ(m->savedLevelA, kSavedWeaponLevel);
    EXPECT_EQ(m->savedLevelB, kSavedSupportLevel);
    EXPECT_TRUE(m->enemyControl->loop);
    EXPECT_EQ(m->enemyControl->table->length, 4);

    // No pause panel in the menu: the pause does nothing.
    m->onPause();
    idle(3);
    EXPECT_FALSE(m->paused);
}

TEST_F(MainMenuTest, UpAndDownWrapAndTheLabelFollows)
{
    struct Way {
        const char* name;
        std::function<void(bool up)> move;
    };
    const Way ways[] = {
        {"keys", [this](bool up) { tapKey(up ? kUpKey : kDownKey); }},
        {"arrows", [this](bool up) { tap(up ? menu->panel->getUpBox() : menu->panel->getDownBox()); }},
    };
    // Up from 0 wraps to 3, down from 3 wraps to 0.
    const std::pair<bool, int32_t> moves[] = {{true, 3}, {false, 0}, {false, 1}, {false, 2},
                                              {false, 3}, {false, 0}, {true, 3}, {true, 2}};
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        enterMenu();
        for (const auto& [up, expected] : moves) {
            way.move(up);
            EXPECT_EQ(menu->selectedItem, expected);
            EXPECT_TRUE(labelShows(kItemTexts[expected]));
        }
        EXPECT_EQ(requests, Strings{});
    }
}

TEST_F(MainMenuTest, APressShowsThePressedLookAndOnlyTheReleaseActs)
{
    MainMenu* m = enterMenu();
    VMPtr<ClsUiMainMenu> panel = m->panel;

    pressKey(kUpKey);
    idle(4);
    EXPECT_EQ(panel->getItemFrame(panel->upItem), 4);
    EXPECT_EQ(m->selectedItem, 0);
    step({{frameNumber, InputEvent::KEY_UP, kUpKey}});
    EXPECT_EQ(panel->getItemFrame(panel->upItem), 5);
    EXPECT_EQ(m->selectedItem, 3);

    tapKey(kDownKey);
    VMPtr<IntArray> select = panel->getSelectBox(0);
    touchDown(centreX(select), centreY(select));
    idle(3);
    EXPECT_EQ(panel->getItemFrame(panel->selectItem), 0);
    EXPECT_EQ(requests, Strings{});
    step({{frameNumber, InputEvent::TOUCH_UP, 0, centreX(select), centreY(select)}});
    step({});
    EXPECT_EQ(panel->getItemFrame(panel->selectItem), 1);
    EXPECT_EQ(requests, Strings{"changeScene 10"});
}

TEST_F(MainMenuTest, ItemsLeaveForTheirScenesWithTheSavedLevelsBack)
{
    const std::pair<int32_t, std::string> items[] = {
        {0, "changeScene 10"}, {1, "changeScene 2"}, {2, "changeScene 4"}};
    for (bool byTouch : {false, true}) {
        for (const auto& [item, change] : items) {
            SCOPED_TRACE(std::string(byTouch ? "touch " : "key ") + change);
            enterMenu();
            select(item);
            if (byTouch)
                tap(menu->panel->getSelectBox(0));
            else
                tapKey(kSelectKey);
            EXPECT_EQ(requests, Strings{change});
            EXPECT_EQ(levels(), (std::pair<int32_t, int32_t>{kSavedWeaponLevel, kSavedSupportLevel}));
            // The menu is on its way out: nothing acts again.
            requests.clear();
            tapKey(kSelectKey);
            tap(menu->panel->getSelectBox(0));
            EXPECT_EQ(requests, Strings{});
        }
    }
}

TEST_F(MainMenuTest, ATouchOutsideTheButtonsDoesNothing)
{
    MainMenu* m = enterMenu();
    tap(120, 150);
    EXPECT_EQ(m->selectedItem, 0);
    EXPECT_EQ(requests, Strings{});
    EXPECT_FALSE(m->confirmOpen);
}

TEST_F(MainMenuTest, TheQuitQuestionIgnoresTheMenuAndNoClosesIt)
{
    const Answer ways[] = {
        {"key", [this] { tapKey(kLeftSoftKey); }},
        {"button", [this] { tap(menu->confirmPanel->getNoBox()); }},
    };
    for (const Answer& way : ways) {
        SCOPED_TRACE(way.name);
        MainMenu* m = enterMenu();
        select(3);
        tapKey(kSelectKey);
        ASSERT_TRUE(m->confirmOpen);
        EXPECT_TRUE(m->confirmPanel->isActive());
        EXPECT_TRUE(m->confirmLabels->isActive());
        EXPECT_TRUE(m->confirmLabels->labelTexts->get(0)->equals(main::Main::texts->getString(27)));
        EXPECT_TRUE(m->confirmLabels->labelTexts->get(1)->equals(main::Main::texts->getString(8)));

        // The menu's keys and buttons are dead while the question is up.
        for (int32_t key : {kUpKey, kDownKey, kSelectKey})
            tapKey(key);
        tap(m->panel->getUpBox());
        tap(m->panel->getDownBox());
        EXPECT_EQ(m->selectedItem, 3);
        EXPECT_TRUE(m->confirmOpen);

        pressKey(kLeftSoftKey);
        EXPECT_EQ(m->confirmPanel->getItemFrame(ClsUiConfirm::noItem), 16);
        step({{frameNumber, InputEvent::KEY_UP, kLeftSoftKey}});
        EXPECT_FALSE(m->confirmOpen) << "a tap of the No key";
        select(3);
        tapKey(kSelectKey);
        ASSERT_TRUE(m->confirmOpen);

        way.act();
        EXPECT_FALSE(m->confirmOpen);
        EXPECT_FALSE(m->confirmPanel->isActive());
        EXPECT_FALSE(m->confirmLabels->isActive());
        EXPECT_EQ(m->confirmPanel->getItemFrame(ClsUiConfirm::noItem), 20);
        EXPECT_EQ(m->selectedItem, 3);
        EXPECT_EQ(requests, Strings{});
        EXPECT_EQ(exitRequests(), 0);
        EXPECT_EQ(levels(), (std::pair<int32_t, int32_t>{2, 1})) << "the demo goes on";
    }
}

TEST_F(MainMenuTest, YesOnTheQuitQuestionAsksForTheExitOnce)
{
    const Answer ways[] = {
        {"key", [this] { tapKey(kRightSoftKey); }},
        {"button", [this] { tap(menu->confirmPanel->getYesBox()); }},
        {"key and button in one frame",
         [this] { releaseBoth(kRightSoftKey, menu->confirmPanel->getYesBox()); }},
    };
    for (const Answer& way : ways) {
        SCOPED_TRACE(way.name);
        canvas->notices.clear();
        tq::TqCanvas::applicationState = tq::TqCanvas::STATE_RUNNING;
        MainMenu* m = enterMenu();
        select(3);
        tap(m->panel->getSelectBox(0));
        ASSERT_TRUE(m->confirmOpen);
        way.act();
        EXPECT_EQ(exitRequests(), 1);
        EXPECT_EQ(levels(), (std::pair<int32_t, int32_t>{kSavedWeaponLevel, kSavedSupportLevel}));
        // The scene is being let go: no further answer acts.
        tq::TqCanvas::applicationState = tq::TqCanvas::STATE_RUNNING;
        tapKey(kRightSoftKey);
        tap(m->confirmPanel->getYesBox());
        tapKey(kLeftSoftKey);
        EXPECT_EQ(exitRequests(), 1);
        EXPECT_TRUE(m->confirmOpen);
        EXPECT_EQ(requests, Strings{});
    }
}

TEST_F(MainMenuTest, AKeyAndATouchLeavingInOneFrameLeaveOnce)
{
    MainMenu* m = enterMenu();
    releaseBoth(kSelectKey, m->panel->getSelectBox(0));
    EXPECT_EQ(requests, Strings{"changeScene 10"});
}

TEST_F(MainMenuTest, ARefusedChangeKeepsTheMenuAnswering)
{
    scenetest::RecordingSceneManager::refused = 4;
    MainMenu* m = enterMenu();
    select(2);
    tapKey(kSelectKey);
    EXPECT_EQ(requests, Strings{"changeScene 4"});
    EXPECT_FALSE(m->left);
    tapKey(kUpKey);
    EXPECT_EQ(m->selectedItem, 1);
    tapKey(kSelectKey);
    EXPECT_EQ(requests, (Strings{"changeScene 4", "changeScene 2"}));
    EXPECT_EQ(levels(), (std::pair<int32_t, int32_t>{kSavedWeaponLevel, kSavedSupportLevel}));
}

TEST_F(MainMenuTest, TheSmallestIntDrawnStillGivesADemoStageAndATargetRow)
{
    // That draw has no absolute value: the menu takes the remainders'.
    // Only for the menu's own draws: the entry draws on until it differs.
    VMPtr<vxtest::ScriptedRandom> scripted = vxtest::ScriptedRandom::newInstance()->init();
    scripted->fallback = INT32_MIN;
    VMPtr<tq::util::FastRandom> seeded = main::Main::random;
    main::Main::random = scripted;
    menu = MainMenu::newInstance()->init();
    main::Main::random = seeded;
    EXPECT_EQ(MainGame::stage, 2);
    EXPECT_EQ((*menu->demoTarget)[1], 128 + 80);
    EXPECT_TRUE(show(VMPtr<ui::Scene>(menu.get())));
}

TEST_F(MainMenuTest, TheDemoFliesForEverWithinItsBounds)
{
    MainMenu* m = enterMenu();
    VMPtr<ClsPlayer> ship = MainGame::player;
    std::set<std::pair<int32_t, int32_t>> targets;
    bool wrapped = false;
    int32_t lastWave = m->enemyControl->wave;
    int32_t spawned = 0;
    for (int32_t f = 0; f < 2500; f++) {
        step({});
        int32_t x = (*m->demoTarget)[0];
        int32_t y = (*m->demoTarget)[1];
        ASSERT_TRUE(x >= 0 && x <= 239) << "frame " << f << " x " << x;
        ASSERT_TRUE(y >= 80 && y <= 239) << "frame " << f << " y " << y;
        targets.insert({x, y});
        ASSERT_EQ(ship->getState(), ClsPlayer::STATE_DEMO) << "frame " << f;
        ASSERT_EQ(ship->getLives(), ClsPlayer::START_LIVES) << "frame " << f;
        ASSERT_FALSE(ship->isGameOver());
        ASSERT_FALSE(MainGame::bossStarted) << "the looping table never calls the boss";
        int32_t wave = m->enemyControl->wave;
        if (wave > lastWave)
            spawned += wave - lastWave;
        if (wave < lastWave && lastWave == 4)
            wrapped = true;
        lastWave = wave;
        if (wrapped && f > 1000)
            break;
    }
    EXPECT_TRUE(wrapped) << "waves spawned: " << spawned;
    EXPECT_GE(spawned, 4);
    EXPECT_GT(targets.size(), 5u) << "the plane reaches its targets and draws new ones";
    EXPECT_EQ(requests, Strings{});
}

TEST_F(MainMenuTest, TheQuitQuestionHoldsTheDemoStill)
{
    MainMenu* m = enterMenu();
    idle(100);
    select(3);
    tapKey(kSelectKey);
    ASSERT_TRUE(m->confirmOpen);
    idle(2);
    VMPtr<ClsPlayer> ship = MainGame::player;
    const int32_t x = ship->getX(0);
    const int32_t y = ship->getY(0);
    const int32_t delay = m->enemyControl->delay;
    const int32_t wave = m->enemyControl->wave;
    idle(50);
    EXPECT_EQ(ship->getX(0), x);
    EXPECT_EQ(ship->getY(0), y);
    EXPECT_EQ(m->enemyControl->delay, delay);
    EXPECT_EQ(m->enemyControl->wave, wave);
}

} // namespace
