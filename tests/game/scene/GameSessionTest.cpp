// One whole game session as a player plays it, headless on the virtual
// clock: the opening and the sound question, the main menu, the stage
// selection, the shop, a flight of stage 1 with a pause until the game is
// over, a second flight of stage 1 with stronger weapons until its boss
// fights, left by the pause panel's quit, the about page, the options and
// the confirmed quit, which ends the program with exit code 0. The game
// runs from its MIDlet on its own canvas thread with the game's own packs
// alone. The canvas thread is held in lock-step: the test plays the user
// between frames, with keys and touches alike, each landing on a fixed
// frame, so a session replays exactly; it writes a picture of each scene
// for a person to look at (session-NN-<scene>.png in the build's
// screenshot folder).

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "game/scene/menu/MenuFixture.h"
#include "game/support/HubFixture.h"
#include "game/support/Screenshot.h"
#include "global/GameGlobals.h"
#include "hal/startup.h"
#include "hal/window.h"
#include "main/Game.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "scene/mainGame/ClsEnemy.h"
#include "scene/mainGame/ClsPlayer.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/boss/ClsBoss.h"
#include "scene/mainGame/weapon/ClsBullet.h"
#include "scene/mainGame/weapon/ClsExplo.h"
#include "scene/mainMenu/ClsUiConfirm.h"
#include "scene/mainMenu/ClsUiMainMenu.h"
#include "scene/mainMenu/MainMenu.h"
#include "scene/menu/About.h"
#include "scene/menu/Audio.h"
#include "scene/menu/ClsUiSelectMenu.h"
#include "scene/menu/ClsUiShopMenu.h"
#include "scene/menu/Option.h"
#include "scene/menu/ShopMenu.h"
#include "scene/menu/StageSelectMenu.h"
#include "scene/splash/LogoGameSplash.h"
#include "scene/splash/LogoScene.h"

using scene::SceneManager;
using scene::mainGame::ClsEnemy;
using scene::mainGame::ClsPlayer;
using scene::mainGame::MainGame;
using scene::mainGame::boss::ClsBoss;
using scene::mainGame::weapon::ClsBullet;
using scene::mainGame::weapon::ClsExplo;
using scene::mainMenu::ClsUiConfirm;
using scene::mainMenu::ClsUiMainMenu;
using scene::mainMenu::MainMenu;
using scene::menu::About;
using scene::menu::Audio;
using scene::menu::ClsUiSelectMenu;
using scene::menu::ClsUiShopMenu;
using scene::menu::Option;
using scene::menu::ShopMenu;
using scene::menu::StageSelectMenu;
using scene::splash::LogoGameSplash;
using scene::splash::LogoScene;
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
// Seconds the rest of the program's main line may take.
constexpr unsigned kExitSeconds = 20;
// The flight as the lock-step replays it: its frames and the money after
// the game is over.
constexpr int32_t kFlightFrames = 780;
constexpr int32_t kMoneyAfterPlay = 82850;
// The second flight: the weapon and support it flies with (homing missiles
// and satellites, both at the top level), the frames it may take to the
// boss at most, the boss's fighting frames before the picture and the
// frames of one sweep across the screen.
constexpr int32_t kBossWeapon = 2;
constexpr int32_t kBossSupport = 2;
constexpr int32_t kTopLevel = 3;
constexpr int32_t kBossFlightFrames = 20000;
constexpr int32_t kBossFightFrames = 300;
constexpr int32_t kSweepFrames = 160;
constexpr int32_t kLives = 3;
// The second flight as the lock-step replays it: its frames until the
// boss's picture and the money after the quit.
constexpr int32_t kBossFlightFramesFlown = 2049;
constexpr int32_t kMoneyAfterBoss = 83900;

class GameSessionTest : public vxtest::HubFixture {
protected:
    void SetUp() override
    {
        HubFixture::SetUp();
        // The game's own packs alone.
        copyPack(VX_GAME_RSC);
        holdFrames();
    }

    // The scene of id, as S, once current and entered; null when it did not
    // come.
    template<class S>
    S* waitForScene(int32_t id)
    {
        auto there = [id] {
            return SceneManager::instance != nullptr && SceneManager::instance->currentId == id &&
                   running<S>() != nullptr;
        };
        return runUntil(there) ? running<S>() : nullptr;
    }

    // A game key pressed and held till a frame has seen it (the pressed
    // look shows); its release, seen by the next frame.
    bool pressKey(int32_t key)
    {
        canvas->pressKey(key);
        return frames(2);
    }
    bool releaseKey(int32_t key)
    {
        canvas->releaseKey(key);
        return frames(1);
    }
    bool tapKey(int32_t key) { return pressKey(key) && releaseKey(key); }

    // A touch at the middle of box {x, y, width, height} (screen
    // coordinates of the game): it reaches the scene in the frame after the
    // one it comes in, so the press and the lift each wait two frames.
    bool pressAt(VMPtr<IntArray> box)
    {
        touchX = (*box)[0] + (*box)[2] / 2 + main::Main::offsetX;
        touchY = (*box)[1] + (*box)[3] / 2 + main::Main::offsetY;
        canvas->pointerPressed(touchX, touchY);
        return frames(2);
    }
    bool lift()
    {
        canvas->pointerReleased(touchX, touchY);
        return frames(2);
    }
    bool touch(VMPtr<IntArray> box) { return pressAt(box) && lift(); }

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
    // canvas thread has ended, so no game code runs beside the fork. A loop
    // that blocks ends by the alarm instead of hanging.
    static void endProgramAsMainDoes()
    {
        alarm(kExitSeconds);
        int code = HAL_runMessageLoop();
        HAL_shutdown();
        std::_Exit(code);
    }

    // Whether the play shows all it has at once: enemies, the player's
    // shots, coins on their way and an explosion.
    static bool busyPlay()
    {
        VMPtr<ClsEnemy> enemies = MainGame::enemies;
        int32_t inView = 0;
        for (int32_t i = 0; i < ClsEnemy::SLOTS; i++) {
            inView += !enemies->isInactive(i) && enemies->getX(i) >= 0 &&
                      enemies->getX(i) < ClsBullet::SCREEN_WIDTH && enemies->getY(i) >= 0 &&
                      enemies->getY(i) < ClsBullet::SCREEN_HEIGHT;
        }
        int32_t coins = 0;
        VMPtr<tq::util::ArrayList> bullets = MainGame::enemyBullets;
        for (int32_t i = 0; i < bullets->size(); i++)
            coins += vm_cast<ClsBullet>(bullets->get(i))->pickup;
        bool explosion = false;
        VMPtr<ClsExplo> explosions = MainGame::explosions;
        for (int32_t i = 0; i < ClsExplo::POOL_SIZE; i++)
            explosion = explosion || explosions->getItemFrame(i) != ClsExplo::FREE_ANIMATION;
        return inView >= 3 && coins >= 3 && explosion && MainGame::playerBullets->size() > 0;
    }

    // Stage 1 flown with a touch held on the nearest enemy until the play
    // scene ends; on the way, once the play is busy, a picture of it, and a
    // pause by a touch on the HUD's pause button, continued by the select
    // key; then the lost last ship. The frames flown in flown.
    void flyIntoEnemies(int32_t& flown)
    {
        int32_t x = 120;
        int32_t y = 100;
        canvas->pointerPressed(x + main::Main::offsetX, y + main::Main::offsetY);
        bool paused = false;
        bool lost = false;
        for (flown = 0; flown < kPlayFrames; flown++) {
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
            if (!paused && flown >= 60 && player->getState() == ClsPlayer::STATE_PLAYING &&
                busyPlay()) {
                picture("play");
                ASSERT_NO_FATAL_FAILURE(pauseByTouchAndContinue(x, y));
                paused = true;
            }
            if (!lost && SceneManager::instance->currentId == SceneManager::MAIN_GAME &&
                MainGame::player->getState() == ClsPlayer::STATE_DESTROYED) {
                ASSERT_TRUE(frames(10));
                flown += 10;
                picture("play-last-ship-lost");
                lost = true;
            }
        }
        canvas->pointerReleased(x + main::Main::offsetX, y + main::Main::offsetY);
        EXPECT_TRUE(paused) << "the play was never busy";
        EXPECT_TRUE(lost);
        ASSERT_NE(SceneManager::instance->currentId, SceneManager::MAIN_GAME) << "still playing";
    }

    // The steering touch at (x, y) lifted, the HUD's pause button touched:
    // the play stands still under the pause panel; the select key's release
    // continues (the choice a pause starts with), and the steering touch
    // goes down again.
    void pauseByTouchAndContinue(int32_t x, int32_t y)
    {
        MainGame* play = running<MainGame>();
        ASSERT_NE(play, nullptr);
        canvas->pointerReleased(x + main::Main::offsetX, y + main::Main::offsetY);
        ASSERT_TRUE(frames(2));
        ASSERT_FALSE(play->paused);
        ASSERT_TRUE(touch(play->hud->getPauseButtonRect()));
        ASSERT_TRUE(play->paused);
        int32_t playerY = MainGame::playerY;
        int32_t bullets = MainGame::playerBullets->size();
        ASSERT_TRUE(frames(20));
        EXPECT_EQ(MainGame::playerY, playerY) << "the ship moved while paused";
        EXPECT_EQ(MainGame::playerBullets->size(), bullets);
        picture("pause");
        ASSERT_TRUE(tapKey(kSelect));
        EXPECT_FALSE(play->paused);
        canvas->pointerPressed(x + main::Main::offsetX, y + main::Main::offsetY);
    }

    // Stage 1 flown by keys from the bottom of the screen, sweeping left
    // and right, until the waves hand over to the boss and it has fought
    // for a while: a picture of the boss and its bar. The player never runs
    // out of ships: a lost one is given back. The frames flown in flown.
    void flyToTheBoss(int32_t& flown)
    {
        int32_t sweepKey = kRight;
        canvas->pressKey(kDown);
        canvas->pressKey(sweepKey);
        int32_t fighting = 0;
        for (flown = 0; flown < kBossFlightFrames && fighting < kBossFightFrames; flown++) {
            ASSERT_EQ(SceneManager::instance->currentId, SceneManager::MAIN_GAME)
                << "the flight ended after " << flown << " frames";
            if (flown % kSweepFrames == 0) {
                canvas->releaseKey(sweepKey);
                sweepKey = sweepKey == kRight ? kLeft : kRight;
                canvas->pressKey(sweepKey);
            }
            if (MainGame::player->getLives() < kLives)
                MainGame::player->setLives(kLives);
            ASSERT_TRUE(frames(1));
            VMPtr<ClsBoss> boss = MainGame::bossOf(MainGame::stage);
            if (MainGame::bossStarted && boss != nullptr && boss->getState() == 1)
                fighting++;
        }
        canvas->releaseKey(sweepKey);
        canvas->releaseKey(kDown);
        ASSERT_EQ(fighting, kBossFightFrames) << "no boss after " << flown << " frames";
        picture("play-boss");
    }

    int32_t touchX = 0;
    int32_t touchY = 0;
    int32_t pictures = 0;
};

TEST_F(GameSessionTest, OpeningMenusShopPlayAboutOptionsAndQuit)
{
    startGame();

    // The opening: the logo, then the sound question in its start-up mode.
    ASSERT_NE(waitForScene<LogoScene>(SceneManager::LOGO), nullptr);
    // By the logo's own clock: the frames before the first held one are not
    // counted alike from run to run.
    ASSERT_TRUE(runUntil([] {
        LogoScene* logo = running<LogoScene>();
        return logo != nullptr && logo->elapsedFrameTime >= 1000;
    }));
    picture("logo");
    ASSERT_NE(waitForScene<Audio>(SceneManager::SOUND_QUESTION), nullptr);
    picture("sound-question");

    // Yes by the right soft key: sound on, then the title.
    ASSERT_TRUE(pressKey(kSoftRight));
    EXPECT_FALSE(main::Main::soundEnabled) << "only the release answers";
    ASSERT_TRUE(releaseKey(kSoftRight));
    EXPECT_TRUE(main::Main::soundEnabled);
    ASSERT_NE(waitForScene<LogoGameSplash>(SceneManager::TITLE), nullptr);
    ASSERT_TRUE(frames(5));
    picture("title");

    // The title goes on to the main menu, whose demo flies behind it.
    MainMenu* menu = waitForScene<MainMenu>(SceneManager::MAIN_MENU);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(frames(10));
    picture("main-menu");
    EXPECT_EQ(menu->selectedItem, 0);

    // Money to spend later, in the save data as play would leave it.
    main::Game::money = kMoney;
    ASSERT_TRUE(main::Main::game->saveProgress());

    // Item 0 by a touch on the select button: held, it only shows pressed;
    // lifted, the stage selection, which shows the saved money, on stage 1.
    ASSERT_TRUE(pressAt(menu->panel->getSelectBox(ClsUiMainMenu::TOUCH_BOX)));
    EXPECT_EQ(SceneManager::instance->currentId, SceneManager::MAIN_MENU);
    EXPECT_EQ(running<MainMenu>(), menu);
    EXPECT_EQ(menu->selectedItem, 0);
    EXPECT_EQ(menu->panel->getItemFrame(menu->panel->selectItem),
              ClsUiMainMenu::SELECT_PRESSED_FRAME);
    ASSERT_TRUE(lift());
    StageSelectMenu* select = waitForScene<StageSelectMenu>(SceneManager::STAGE_SELECT);
    ASSERT_NE(select, nullptr);
    EXPECT_EQ(StageSelectMenu::selectedStage, 0);
    EXPECT_EQ(MainGame::money, kMoney);
    picture("stage-selection");

    // Browsing: the right key to stage 2, then (past the change guard) the
    // left arrow touched back to stage 1.
    ASSERT_TRUE(tapKey(kRight));
    EXPECT_EQ(StageSelectMenu::selectedStage, 1);
    ASSERT_TRUE(frames(StageSelectMenu::CHANGE_GUARD_MS / 10 + 1));
    ASSERT_EQ(running<StageSelectMenu>(), select);
    ASSERT_TRUE(touch(select->panel->getLeftArrowRect()));
    EXPECT_EQ(StageSelectMenu::selectedStage, 0);

    // Play by a touch: the shop, browsing the weapons.
    ASSERT_EQ(running<StageSelectMenu>(), select);
    ASSERT_TRUE(touch(select->panel->getPlayRect(ClsUiSelectMenu::TOUCH_BOX)));
    ShopMenu* shop = waitForScene<ShopMenu>(SceneManager::SHOP);
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
    ASSERT_TRUE(tapKey(kSoftRight));
    EXPECT_EQ(shop->state, ShopMenu::BUY_QUESTION);
    ASSERT_TRUE(tapKey(kLeft));
    EXPECT_TRUE(shop->buyConfirm->isYes());
    picture("shop-buy-question");
    ASSERT_TRUE(tapKey(kSelect));
    EXPECT_EQ(shop->state, ShopMenu::BROWSING);
    EXPECT_EQ((*main::Game::itemLevelsA)[0], 2);
    EXPECT_EQ(MainGame::money, kMoney - weaponPrice);
    EXPECT_EQ(main::Game::money, MainGame::money);

    // Level 2 of support 0 by touches: the support row, the action button,
    // then Yes.
    ASSERT_TRUE(touch(shop->shopPanel->getRowBox(ClsUiShopMenu::SUPPORT_ROW_BOX)));
    EXPECT_FALSE(shop->weaponRow);
    ASSERT_TRUE(touch(shop->shopPanel->getActionBox()));
    EXPECT_EQ(shop->state, ShopMenu::BUY_QUESTION);
    ASSERT_TRUE(touch(shop->buyConfirm->getYesBox()));
    EXPECT_EQ(shop->state, ShopMenu::BROWSING);
    EXPECT_EQ((*main::Game::itemLevelsB)[0], 2);
    EXPECT_EQ(MainGame::money, kMoney - weaponPrice - supportPrice);
    picture("shop-bought");

    // Down to the start row and start: the progress is saved on the way to
    // stage 1 of the play scene.
    ASSERT_TRUE(tapKey(kDown));
    EXPECT_TRUE(shop->startRowSelected);
    ASSERT_TRUE(tapKey(kSoftRight));
    ASSERT_NE(waitForScene<MainGame>(SceneManager::MAIN_GAME), nullptr);
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
    // nearest one, until the last ship is lost and the game is over; the
    // lock-step replays the flight to the frame.
    int32_t flown = 0;
    ASSERT_NO_FATAL_FAILURE(flyIntoEnemies(flown));
    EXPECT_EQ(SceneManager::instance->previousId, SceneManager::MAIN_GAME);
    ASSERT_NE(waitForScene<StageSelectMenu>(SceneManager::STAGE_SELECT), nullptr);
    EXPECT_EQ((*main::Game::stageDifficulty)[0], 1) << "not cleared";
    EXPECT_EQ(flown, kFlightFrames);
    EXPECT_EQ(MainGame::money, kMoneyAfterPlay);
    picture("stage-selection-after-play");

    // A second flight of stage 1 with homing missiles and satellites at the
    // top level, bought in earlier sessions (in the save data as the shop
    // would leave it), chosen in the shop by keys.
    (*main::Game::itemLevelsA)[kBossWeapon] = kTopLevel;
    (*main::Game::itemLevelsB)[kBossSupport] = kTopLevel;
    ASSERT_TRUE(main::Main::game->saveProgress());
    ASSERT_TRUE(tapKey(kSoftRight));
    shop = waitForScene<ShopMenu>(SceneManager::SHOP);
    ASSERT_NE(shop, nullptr);
    for (int32_t i = 0; i < kBossWeapon; i++)
        ASSERT_TRUE(tapKey(kRight));
    ASSERT_TRUE(tapKey(kDown));
    EXPECT_FALSE(shop->weaponRow);
    for (int32_t i = 0; i < kBossSupport; i++)
        ASSERT_TRUE(tapKey(kRight));
    EXPECT_EQ(ClsPlayer::weaponKind, kBossWeapon);
    EXPECT_EQ(ClsPlayer::supportKind, kBossSupport);
    ASSERT_TRUE(tapKey(kDown));
    ASSERT_TRUE(shop->startRowSelected);
    ASSERT_TRUE(tapKey(kSoftRight));
    MainGame* play = waitForScene<MainGame>(SceneManager::MAIN_GAME);
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(ClsPlayer::weaponLevel, kTopLevel);
    EXPECT_EQ(ClsPlayer::supportLevel, kTopLevel);
    int32_t toTheBoss = 0;
    ASSERT_NO_FATAL_FAILURE(flyToTheBoss(toTheBoss));
    EXPECT_EQ(toTheBoss, kBossFlightFramesFlown);
    EXPECT_GT(MainGame::getBossHp(), 0);

    // Paused by the right soft key (once the ship is in play, not coming
    // back after a loss), the quit row chosen by down and taken by the
    // release of select: back to the stage selection with the money of the
    // flight, the stage not cleared.
    ASSERT_TRUE(runUntil([] { return MainGame::player->getState() == ClsPlayer::STATE_PLAYING; }));
    ASSERT_TRUE(tapKey(kSoftRight));
    ASSERT_TRUE(play->paused);
    ASSERT_TRUE(tapKey(kDown));
    ASSERT_TRUE(frames(5));
    picture("pause-quit");
    ASSERT_TRUE(tapKey(kSelect));
    select = waitForScene<StageSelectMenu>(SceneManager::STAGE_SELECT);
    ASSERT_NE(select, nullptr);
    EXPECT_EQ((*main::Game::stageDifficulty)[0], 1) << "not cleared";
    EXPECT_EQ(MainGame::money, kMoneyAfterBoss);
    EXPECT_EQ(main::Game::money, kMoneyAfterBoss);

    // Back by the left soft key to the main menu.
    ASSERT_TRUE(tapKey(kSoftLeft));
    menu = waitForScene<MainMenu>(SceneManager::MAIN_MENU);
    ASSERT_NE(menu, nullptr);

    // Down twice to the about page, chosen by the select key.
    ASSERT_TRUE(tapKey(kDown));
    ASSERT_TRUE(tapKey(kDown));
    EXPECT_EQ(menu->selectedItem, 2);
    ASSERT_TRUE(tapKey(kSelect));
    About* about = waitForScene<About>(SceneManager::ABOUT);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(frames(2));
    picture("about");

    // Back by a touch on its button.
    ASSERT_TRUE(touch(about->panel->getBackBox()));
    ASSERT_NE(waitForScene<MainMenu>(SceneManager::MAIN_MENU), nullptr);

    // Nothing in the game leads to the options (scene 7): the test asks the
    // scene manager for them, as a menu item would.
    SceneManager::instance->changeScene(SceneManager::OPTIONS);
    Option* options = waitForScene<Option>(SceneManager::OPTIONS);
    ASSERT_NE(options, nullptr);
    picture("options");
    // Sound off by a touch on the lower row, and on again by the select key.
    ASSERT_TRUE(touch(options->panel->getLowerRect()));
    EXPECT_FALSE(main::Main::soundEnabled);
    EXPECT_FALSE(options->panel->isSoundOn());
    ASSERT_TRUE(tapKey(kSelect));
    EXPECT_TRUE(main::Main::soundEnabled);
    EXPECT_TRUE(options->panel->isSoundOn());

    // Back by the right soft key: the title, then the main menu.
    ASSERT_TRUE(tapKey(kSoftRight));
    ASSERT_NE(waitForScene<LogoGameSplash>(SceneManager::TITLE), nullptr);
    menu = waitForScene<MainMenu>(SceneManager::MAIN_MENU);
    ASSERT_NE(menu, nullptr);

    // Up from item 0 wraps to the quit item; a touch on the select button
    // opens the question.
    ASSERT_TRUE(tapKey(kUp));
    EXPECT_EQ(menu->selectedItem, MainMenu::QUIT_ITEM);
    ASSERT_TRUE(touch(menu->panel->getSelectBox(ClsUiMainMenu::TOUCH_BOX)));
    ASSERT_TRUE(menu->confirmOpen);
    picture("quit-question");

    // Yes by a touch: held, the program runs on with the question open and
    // Yes pressed; lifted, the canvas asks for the exit, its thread ends and
    // the MIDlet is destroyed, and the exit message waits for the main
    // window.
    ASSERT_TRUE(pressAt(menu->confirmPanel->getYesBox()));
    EXPECT_EQ(tq::TqCanvas::applicationState, tq::TqCanvas::STATE_RUNNING);
    EXPECT_TRUE(thread->isAlive());
    EXPECT_EQ(running<MainMenu>(), menu);
    EXPECT_TRUE(menu->confirmOpen);
    EXPECT_EQ(menu->confirmPanel->getItemFrame(ClsUiConfirm::yesItem),
              ClsUiConfirm::YES_PRESSED_FRAME);
    canvas->pointerReleased(touchX, touchY);
    ASSERT_TRUE(runUntil([&] { return !thread->isAlive(); }));
    EXPECT_EQ(tq::TqCanvas::applicationState, tq::TqCanvas::STATE_STOPPING);
    EXPECT_EQ(midlet->state, javax::microedition::midlet::MIDlet::DESTROYED);
    MSG exit;
    ASSERT_TRUE(PeekMessageW(&exit, HAL_getMainWindow(), kExitMessage, kExitMessage, PM_NOREMOVE));

    // What the program would return: the rest of its main line ends the
    // process with 0. The child is forked from this thread alone (the
    // threadsafe style would run the whole session again in it).
    std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(endProgramAsMainDoes(), ::testing::ExitedWithCode(0), "");
    GTEST_FLAG_SET(death_test_style, style);
}

} // namespace
