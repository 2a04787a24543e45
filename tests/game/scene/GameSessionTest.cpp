// One whole game session as a player plays it, headless on the virtual
// clock: the opening and the sound question, the main menu, the stage
// selection, the shop, a flight of stage 1 until the game is over, the
// about page, the options and the confirmed quit, which ends the program
// with exit code 0. The game runs from its MIDlet on its own canvas thread
// with the game's own menu pictures and texts and the play test pack's
// pictures for the flight; the test plays the user between frames, with
// keys and touches alike, and writes a picture of each scene for a person
// to look at (session-NN-<scene>.png in the build's screenshot folder).

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "game/scene/menu/MenuFixture.h"
#include "game/support/HubFixture.h"
#include "hal/startup.h"
#include "hal/window.h"
#include "game/support/Screenshot.h"
#include "main/Game.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "global/GameGlobals.h"
#include "scene/mainGame/ClsEnemy.h"
#include "scene/mainGame/ClsPlayer.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainMenu/ClsUiMainMenu.h"
#include "scene/mainMenu/MainMenu.h"
#include "scene/menu/About.h"
#include "scene/menu/Option.h"
#include "scene/menu/ClsUiSelectMenu.h"
#include "scene/menu/ClsUiShopMenu.h"
#include "scene/menu/ShopMenu.h"
#include "scene/menu/StageSelectMenu.h"
#include "ui/Pointer.h"

using scene::SceneManager;
using scene::mainGame::ClsEnemy;
using scene::mainGame::ClsPlayer;
using scene::mainGame::MainGame;
using scene::mainMenu::ClsUiMainMenu;
using scene::mainMenu::MainMenu;
using scene::menu::About;
using scene::menu::Option;
using scene::menu::ClsUiSelectMenu;
using scene::menu::ClsUiShopMenu;
using scene::menu::ShopMenu;
using scene::menu::StageSelectMenu;
using IntArray = VMArray<int32_t, 1>;

namespace {

// Game keys of the logical keys the menus read.
constexpr int32_t kSoftLeft = menutest::kLeftSoftKey;   // 12: back, no
constexpr int32_t kSoftRight = menutest::kRightSoftKey; // 13: yes, confirm
constexpr int32_t kUp = menutest::kUpKey;               // 14
constexpr int32_t kLeft = menutest::kLeftKey;           // 15
constexpr int32_t kRight = menutest::kRightKey;         // 16
constexpr int32_t kDown = menutest::kDownKey;           // 17
constexpr int32_t kSelect = menutest::kSelectKey;       // 18
// Enough money for a level of a weapon and of a support.
constexpr int32_t kMoney = 100000;
// Frames the flight may take at most.
constexpr int32_t kPlayFrames = 6000;
// The message by which the MIDlet's end asks the main window for the exit.
constexpr UINT kExitMessage = WM_USER + 1;

class GameSessionTest : public vxtest::HubFixture {
protected:
    void SetUp() override
    {
        HubFixture::SetUp();
        // The game's own packs, then the play pictures of the play test
        // pack's parts 4 to 7 (its part 1 would hide the menus' pictures).
        copyPack(VX_GAME_RSC);
        copyPack(VX_PLAY_PACK, [](const std::string& name) {
            return name.size() > 4 && name.compare(0, 2, "RP") == 0 && name[2] >= '4' &&
                   name[2] <= '7' && name[3] == 'p';
        });
    }

    // Frames the canvas thread has run, by its frame clock.
    bool frames(int32_t n)
    {
        for (int32_t i = 0; i < n; i++) {
            int64_t last = canvas->lastFrameTime;
            if (!runUntil([&] { return canvas->lastFrameTime != last; }))
                return false;
        }
        return true;
    }

    // Scene id current and entered.
    static bool waitForScene(int32_t id)
    {
        return runUntil([id] {
            ui::Scene* s = SceneManager::currentScene.get();
            return SceneManager::instance != nullptr && SceneManager::instance->currentId == id &&
                   s != nullptr && !s->entering;
        });
    }

    // A game key pressed until a frame has seen it, then released; the
    // frame that sees the release has run when it returns.
    void tapKey(int32_t key)
    {
        canvas->pressKey(key);
        ASSERT_TRUE(frames(2));
        canvas->releaseKey(key);
        ASSERT_TRUE(frames(1));
    }
    // The key pressed and held till a frame has seen it (the pressed look
    // shows), and its release.
    void pressKey(int32_t key)
    {
        canvas->pressKey(key);
        ASSERT_TRUE(frames(2));
    }
    void releaseKey(int32_t key)
    {
        canvas->releaseKey(key);
        ASSERT_TRUE(frames(1));
    }

    // A touch at the middle of box {x, y, width, height} (screen
    // coordinates of the game): it reaches the scene in the frame after the
    // one it comes in, so the press and the lift each wait two frames.
    void pressAt(VMPtr<IntArray> box)
    {
        touchX = (*box)[0] + (*box)[2] / 2 + main::Main::offsetX;
        touchY = (*box)[1] + (*box)[3] / 2 + main::Main::offsetY;
        canvas->pointerPressed(touchX, touchY);
        ASSERT_TRUE(frames(2));
    }
    void touch(VMPtr<IntArray> box)
    {
        pressAt(box);
        canvas->pointerReleased(touchX, touchY);
        ASSERT_TRUE(frames(2));
    }

    // session-NN-<scene>.png, numbered in the order taken; the first
    // removes the pictures of an earlier session.
    void picture(const std::string& scene)
    {
        if (pictures == 0 && std::filesystem::is_directory(VX_SCREENSHOT_DIR)) {
            for (const auto& file : std::filesystem::directory_iterator(VX_SCREENSHOT_DIR)) {
                if (file.path().filename().string().rfind("session-", 0) == 0)
                    std::filesystem::remove(file.path());
            }
        }
        char number[8];
        std::snprintf(number, sizeof number, "%02d", ++pictures);
        vxtest::screenshotScene(std::string("session-") + number + "-" + scene);
    }

    // The rest of the program's main line once the canvas has asked for the
    // exit (HAL_main after its message loop): the main window takes the exit
    // message, runs the exit sequence (exit event, the runtime's shutdown)
    // and is destroyed, which ends the loop with its exit code; then the
    // platform shuts down and the process ends with that code. Run in a
    // forked child, so this process keeps its runtime and platform; the
    // canvas thread has ended, so no game code runs beside the fork.
    static void endProgramAsMainDoes()
    {
        int code = HAL_runMessageLoop();
        HAL_shutdown();
        std::_Exit(code);
    }

    // Stage 1 flown with a touch held on the nearest enemy until the play
    // scene ends; pictures of the flight and of the lost last ship.
    void flyIntoEnemies()
    {
        int32_t x = 120;
        int32_t y = 100;
        canvas->pointerPressed(x + main::Main::offsetX, y + main::Main::offsetY);
        bool flying = false;
        bool lost = false;
        for (int32_t frame = 0; frame < kPlayFrames; frame++) {
            if (SceneManager::instance->currentId != SceneManager::MAIN_GAME)
                break;
            VMPtr<ClsEnemy> enemies = MainGame::enemies;
            VMPtr<ClsPlayer> player = MainGame::player;
            int32_t best = -1;
            for (int32_t i = 0; i < ClsEnemy::SLOTS; i++) {
                if (enemies->isInactive(i))
                    continue;
                int32_t d = std::abs(enemies->getX(i) - player->getX(0)) +
                            std::abs(enemies->getY(i) - player->getY(0));
                if (best < 0 || d < best) {
                    best = d;
                    x = enemies->getX(i);
                    y = enemies->getY(i);
                }
            }
            canvas->pointerDragged(x + main::Main::offsetX, y + main::Main::offsetY);
            ASSERT_TRUE(frames(1));
            if (!flying && frame >= 60) {
                picture("play");
                flying = true;
            }
            if (!lost && SceneManager::instance->currentId == SceneManager::MAIN_GAME &&
                MainGame::player->getState() == ClsPlayer::STATE_DESTROYED) {
                ASSERT_TRUE(frames(10));
                picture("play-last-ship-lost");
                lost = true;
            }
        }
        canvas->pointerReleased(x + main::Main::offsetX, y + main::Main::offsetY);
        EXPECT_TRUE(lost);
        ASSERT_NE(SceneManager::instance->currentId, SceneManager::MAIN_GAME) << "still playing";
    }

    int32_t touchX = 0;
    int32_t touchY = 0;
    int32_t pictures = 0;
};

TEST_F(GameSessionTest, OpeningMenusShopPlayAboutOptionsAndQuit)
{
    startGame();

    // The opening: the logo, then the sound question in its start-up mode.
    ASSERT_TRUE(waitForScene(SceneManager::LOGO));
    ASSERT_TRUE(frames(5));
    picture("logo");
    ASSERT_TRUE(waitForScene(SceneManager::SOUND_QUESTION));
    picture("sound-question");

    // Yes by the right soft key: sound on, then the title.
    pressKey(kSoftRight);
    EXPECT_FALSE(main::Main::soundEnabled) << "only the release answers";
    releaseKey(kSoftRight);
    EXPECT_TRUE(main::Main::soundEnabled);
    ASSERT_TRUE(waitForScene(SceneManager::TITLE));
    ASSERT_TRUE(frames(5));
    picture("title");

    // The title goes on to the main menu, whose demo flies behind it.
    MainMenu* menu = nullptr;
    ASSERT_TRUE(waitForScene(SceneManager::MAIN_MENU));
    ASSERT_TRUE(frames(10));
    picture("main-menu");
    menu = current<MainMenu>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->selectedItem, 0);

    // Money to spend later, in the save data as play would leave it.
    main::Game::money = kMoney;
    ASSERT_TRUE(main::Main::game->saveProgress());

    // Item 0 by a touch on the select button: the stage selection, which
    // shows the saved money, on stage 1.
    touch(menu->panel->getSelectBox(ClsUiMainMenu::TOUCH_BOX));
    ASSERT_TRUE(waitForScene(SceneManager::STAGE_SELECT));
    EXPECT_EQ(StageSelectMenu::selectedStage, 0);
    EXPECT_EQ(MainGame::money, kMoney);
    picture("stage-selection");

    // Browsing: the right key to stage 2, then (past the change guard) the
    // left arrow touched back to stage 1.
    tapKey(kRight);
    EXPECT_EQ(StageSelectMenu::selectedStage, 1);
    ASSERT_TRUE(frames(StageSelectMenu::CHANGE_GUARD_MS / 10 + 1));
    touch(current<StageSelectMenu>()->panel->getLeftArrowRect());
    EXPECT_EQ(StageSelectMenu::selectedStage, 0);

    // Play by a touch: the shop, browsing the weapons.
    touch(current<StageSelectMenu>()->panel->getPlayRect(ClsUiSelectMenu::TOUCH_BOX));
    ASSERT_TRUE(waitForScene(SceneManager::SHOP));
    ShopMenu* shop = current<ShopMenu>();
    ASSERT_NE(shop, nullptr);
    ASSERT_TRUE(frames(5));
    picture("shop");
    EXPECT_TRUE(shop->weaponRow);
    EXPECT_EQ(ClsPlayer::weaponKind, 0);
    EXPECT_EQ(ClsPlayer::supportKind, 0);
    ASSERT_EQ((*main::Game::itemLevelsA)[0], 1);
    ASSERT_EQ((*main::Game::itemLevelsB)[0], 1);
    int32_t weaponPrice = (*global::GameGlobals::weaponPrices->get(0))[1];
    int32_t supportPrice = (*global::GameGlobals::itemPrices->get(0))[1];

    // Level 2 of weapon 0 by keys: the action key asks, left chooses Yes,
    // select buys.
    tapKey(kSoftRight);
    EXPECT_EQ(shop->state, ShopMenu::BUY_QUESTION);
    tapKey(kLeft);
    EXPECT_TRUE(shop->buyConfirm->isYes());
    picture("shop-buy-question");
    tapKey(kSelect);
    EXPECT_EQ(shop->state, ShopMenu::BROWSING);
    EXPECT_EQ((*main::Game::itemLevelsA)[0], 2);
    EXPECT_EQ(MainGame::money, kMoney - weaponPrice);
    EXPECT_EQ(main::Game::money, MainGame::money);

    // Level 2 of support 0 by touches: the support row, the action button,
    // then Yes.
    touch(shop->shopPanel->getRowBox(ClsUiShopMenu::SUPPORT_ROW_BOX));
    EXPECT_FALSE(shop->weaponRow);
    touch(shop->shopPanel->getActionBox());
    EXPECT_EQ(shop->state, ShopMenu::BUY_QUESTION);
    touch(shop->buyConfirm->getYesBox());
    EXPECT_EQ(shop->state, ShopMenu::BROWSING);
    EXPECT_EQ((*main::Game::itemLevelsB)[0], 2);
    EXPECT_EQ(MainGame::money, kMoney - weaponPrice - supportPrice);
    picture("shop-bought");

    // Down to the start row and start: the progress is saved on the way to
    // stage 1 of the play scene.
    tapKey(kDown);
    EXPECT_TRUE(shop->startRowSelected);
    tapKey(kSoftRight);
    ASSERT_TRUE(waitForScene(SceneManager::MAIN_GAME));
    EXPECT_EQ(MainGame::stage, 0);
    EXPECT_EQ(MainGame::money, kMoney - weaponPrice - supportPrice);
    EXPECT_EQ(ClsPlayer::weaponLevel, 2);
    EXPECT_EQ(ClsPlayer::supportLevel, 2);
    main::Game::money = 0;
    main::Main::game->loadProgress();
    EXPECT_EQ(main::Game::money, kMoney - weaponPrice - supportPrice) << "saved as the shop was left";
    EXPECT_EQ((*main::Game::itemLevelsA)[0], 2);
    EXPECT_EQ((*main::Game::itemLevelsB)[0], 2);

    // The player flies at the enemies, touch held and dragged onto the
    // nearest one, until the last ship is lost and the game is over.
    flyIntoEnemies();
    EXPECT_EQ(SceneManager::instance->previousId, SceneManager::MAIN_GAME);
    ASSERT_TRUE(waitForScene(SceneManager::STAGE_SELECT));
    EXPECT_EQ((*main::Game::stageDifficulty)[0], 1) << "not cleared";
    picture("stage-selection-after-play");

    // Back by the left soft key to the main menu.
    tapKey(kSoftLeft);
    ASSERT_TRUE(waitForScene(SceneManager::MAIN_MENU));

    // Down twice to the about page, chosen by the select key.
    tapKey(kDown);
    tapKey(kDown);
    menu = current<MainMenu>();
    EXPECT_EQ(menu->selectedItem, 2);
    tapKey(kSelect);
    ASSERT_TRUE(waitForScene(SceneManager::ABOUT));
    ASSERT_TRUE(frames(2));
    picture("about");

    // Back by a touch on its button.
    touch(current<About>()->panel->getBackBox());
    ASSERT_TRUE(waitForScene(SceneManager::MAIN_MENU));

    // Nothing in the game leads to the options (scene 7): the test asks the
    // scene manager for them, as a menu item would.
    SceneManager::instance->changeScene(SceneManager::OPTIONS);
    ASSERT_TRUE(waitForScene(SceneManager::OPTIONS));
    picture("options");
    // Sound off by a touch on the lower row, and on again by the select key.
    Option* options = current<Option>();
    touch(options->panel->getLowerRect());
    EXPECT_FALSE(main::Main::soundEnabled);
    EXPECT_FALSE(options->panel->isSoundOn());
    tapKey(kSelect);
    EXPECT_TRUE(main::Main::soundEnabled);
    EXPECT_TRUE(options->panel->isSoundOn());

    // Back by the right soft key: the title, then the main menu.
    tapKey(kSoftRight);
    ASSERT_TRUE(waitForScene(SceneManager::TITLE));
    ASSERT_TRUE(waitForScene(SceneManager::MAIN_MENU));

    // Up from item 0 wraps to the quit item; a touch on the select button
    // opens the question.
    tapKey(kUp);
    menu = current<MainMenu>();
    EXPECT_EQ(menu->selectedItem, MainMenu::QUIT_ITEM);
    touch(menu->panel->getSelectBox(ClsUiMainMenu::TOUCH_BOX));
    ASSERT_TRUE(menu->confirmOpen);
    picture("quit-question");

    // Yes by a touch: the canvas asks for the exit, its thread ends and the
    // MIDlet is destroyed, and the exit message waits for the main window.
    pressAt(menu->confirmPanel->getYesBox());
    canvas->pointerReleased(touchX, touchY);
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return !thread->isAlive(); }));
    EXPECT_EQ(tq::TqCanvas::applicationState, tq::TqCanvas::STATE_STOPPING);
    EXPECT_EQ(midlet->state, javax::microedition::midlet::MIDlet::DESTROYED);
    MSG exit;
    ASSERT_TRUE(PeekMessageW(&exit, HAL_getMainWindow(), kExitMessage, kExitMessage, PM_NOREMOVE));

    // What the program would return: the rest of its main line ends the
    // process with 0.
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(endProgramAsMainDoes(), ::testing::ExitedWithCode(0), "");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
}

} // namespace
