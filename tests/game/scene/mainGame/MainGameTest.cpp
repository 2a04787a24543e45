// The play scene: what it takes from the saved progress (levels brought into
// range), its wave tables, its entry over four frames, pause and the pause
// panel's answers, the two ends of a stage with what they save, the bullet
// lists, the explosion pool, and the boss queries without a boss.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/mainGame/PlayHarness.h"
#include "game/support/FakeScene.h"
#include "java/lang/Class.h"
#include "java/lang/IllegalAccessException.h"
#include "java/lang/InstantiationException.h"
#include "main/Game.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsBullet.h"
#include "scene/menu/StageSelectMenu.h"
#include "support/LangTestSupport.h"

using scene::mainGame::ClsPlayer;
using scene::mainGame::MainGame;

namespace {

using Strings = std::vector<std::string>;

using playtest::kDownKey;
using playtest::kPauseKey;
using playtest::kSelectKey;
using playtest::kUpKey;

std::vector<std::string> log;

// A bullet that writes down its index and the time it was given, and
// leaves its list when told to.
class ProbeBullet : public scene::mainGame::weapon::ClsBullet {
    VM_CLASS(ProbeBullet, scene::mainGame::weapon::ClsBullet)

    VMPtr<ProbeBullet> init(VMPtr<tq::util::ArrayList> owner, std::string tag, bool leave)
    {
        MyObject::init();
        list = owner;
        name = std::move(tag);
        leaves = leave;
        return VMPtr<ProbeBullet>(this);
    }
    void update(int64_t dt, int32_t index) override
    {
        log.push_back(name + " " + std::to_string(index) + " " + std::to_string(dt));
        if (leaves)
            list->remove(index);
    }
    void draw(VMPtr<Graphics>) override { log.push_back("paint " + name); }

    VMField<tq::util::ArrayList> list;
    std::string name;
    bool leaves = false;

    VM_FIELDS(list)
};

// A HUD that writes down the end banners it is asked for.
class BannerHud : public scene::mainGame::ClsUiIngame {
    VM_CLASS(BannerHud, scene::mainGame::ClsUiIngame)

    VMPtr<BannerHud> init()
    {
        ClsUiIngame::init();
        return VMPtr<BannerHud>(this);
    }
    void showEndBanner(bool cleared) override { banners.push_back(cleared ? "cleared" : "destroyed"); }

    std::vector<std::string> banners;
};

// Save data that counts its progress records.
class CountingGame : public main::Game {
    VM_CLASS(CountingGame, main::Game)

    VMPtr<CountingGame> init()
    {
        Game::init();
        return VMPtr<CountingGame>(this);
    }
    bool saveProgress() override
    {
        saves++;
        return Game::saveProgress();
    }

    int32_t saves = 0;
};

class MainGameTest : public playtest::PlayFixture {
protected:
    void SetUp() override
    {
        PlayFixture::SetUp();
        log.clear();
        scene::menu::StageSelectMenu::selectedStage = 2;
    }

    // A play scene made and entered as the manager does it.
    VMPtr<MainGame> start()
    {
        play = MainGame::newInstance()->init();
        EXPECT_TRUE(show(VMPtr<ui::Scene>(play.get())));
        return play;
    }
    // Entered, the ship in play.
    VMPtr<MainGame> startPlaying()
    {
        start();
        MainGame::player->setState(ClsPlayer::STATE_PLAYING);
        return play;
    }
    void tap(int32_t key)
    {
        canvas->pressKey(key);
        frame(play.get());
        canvas->releaseKey(key);
        frame(play.get());
    }
    // The ship at height y in its stage-cleared state, where it may leave the
    // screen.
    static void shipAt(int32_t y)
    {
        MainGame::player->setState(ClsPlayer::STATE_CLEARED);
        (*MainGame::player->y)[0] = y;
    }
    std::string moneyShown() { return vmText(play->moneyLabel->labelTexts->get(0)); }
    // The saved progress as the next start reads it back.
    static void reload()
    {
        main::Game::money = -1;
        (*main::Game::stageDifficulty)[2] = -1;
        main::Main::game->loadProgress();
    }
};

TEST_F(MainGameTest, TakesTheStagesLevelIntoRangeAndItsWaveTable)
{
    const struct {
        int32_t stage, saved, level;
    } cases[] = {
        {2, 1, 1}, {2, 3, 3}, {2, 4, 4},
        {2, 0, 1}, {2, -7, 1}, {2, 5, 4}, {2, 1000, 4},
        {7, 2, 2},
        {8, 3, 1}, {-1, 3, 1},  // no such stage: level 1, no saved entry read
    };
    for (const auto& c : cases) {
        for (int32_t s = 0; s < main::Game::STAGES; s++)
            (*main::Game::stageDifficulty)[s] = c.saved;
        main::Game::money = 1234;
        scene::menu::StageSelectMenu::selectedStage = c.stage;
        VMPtr<MainGame> scene = MainGame::newInstance()->init();
        EXPECT_EQ(MainGame::stage, c.stage);
        EXPECT_EQ(MainGame::difficulty, c.level) << c.stage << " " << c.saved;
        EXPECT_EQ(scene->enemyControl->table.get(), scene->waveTables->get(c.level - 1).get());
        EXPECT_FALSE(scene->enemyControl->loop);
        EXPECT_EQ(MainGame::money, 1234);
        EXPECT_TRUE(MainGame::playActive);
        EXPECT_TRUE(scene->pauseChoice);
    }
}

TEST_F(MainGameTest, WaveTablesPerLevel)
{
    // (wave, count, kind, spawn point, destination point), level 1 to 4.
    using Rows = std::vector<std::vector<int32_t>>;
    const Rows expected[4] = {
        {{0, 4, 0, 0, 2},  {1, 4, 0, 1, 3},  {2, 4, 0, 0, 2},  {3, 4, 0, 1, 3},  {4, 4, 0, 0, 2},
         {4, 4, 0, 1, 3},  {5, 4, 1, 0, 2},  {6, 4, 1, 0, 2},  {7, 4, 1, 1, 3},  {8, 4, 1, 1, 3},
         {9, 4, 0, 4, 5},  {9, 4, 0, 7, 6},  {10, 1, 2, 0, 2}, {10, 1, 2, 1, 3}, {11, 4, 1, 0, 3},
         {12, 4, 1, 1, 2}, {13, 4, 0, 4, 5}, {14, 4, 0, 5, 4}},
        {{0, 4, 1, 0, 2},  {1, 4, 0, 1, 3},  {2, 4, 1, 0, 2},  {3, 4, 0, 1, 3},  {4, 4, 3, 0, 2},
         {4, 4, 3, 1, 3},  {5, 4, 0, 0, 2},  {6, 4, 1, 0, 2},  {7, 4, 0, 1, 3},  {8, 4, 1, 1, 3},
         {9, 1, 4, 0, 2},  {10, 1, 4, 1, 3}, {11, 1, 2, 0, 2}, {11, 1, 2, 1, 3}, {12, 4, 3, 0, 3},
         {13, 4, 3, 1, 2}, {14, 4, 1, 4, 5}, {15, 4, 1, 5, 4}},
        {{0, 4, 1, 0, 3},   {1, 4, 1, 1, 2},   {2, 4, 6, 0, 2},  {3, 4, 3, 1, 2},  {4, 4, 3, 0, 3},
         {5, 4, 0, 4, 5},   {6, 4, 0, 5, 4},   {7, 4, 6, 1, 3},  {8, 4, 6, 0, 2},  {9, 1, 4, 2, 0},
         {10, 1, 4, 3, 1},  {11, 1, 2, 0, 2},  {11, 1, 2, 1, 3}, {12, 4, 32, 0, 3}, {13, 4, 32, 1, 2},
         {14, 4, 1, 4, 5},  {15, 4, 1, 5, 4},  {16, 4, 0, 5, 4}},
        {{0, 4, 1, 4, 5},   {1, 4, 6, 0, 2},   {1, 4, 0, 1, 3},  {2, 4, 6, 4, 5},  {2, 4, 0, 6, 7},
         {3, 4, 3, 3, 1},   {3, 4, 3, 0, 2},   {4, 4, 0, 0, 3},  {4, 4, 0, 1, 2},  {5, 4, 0, 4, 5},
         {6, 4, 0, 5, 4},   {7, 1, 2, 0, 2},   {7, 1, 2, 1, 3},  {8, 4, 0, 1, 3},  {8, 4, 6, 0, 2},
         {9, 1, 4, 2, 0},   {10, 1, 4, 3, 1},  {11, 1, 2, 0, 2}, {11, 1, 2, 1, 3}, {12, 4, 32, 0, 3},
         {13, 4, 32, 1, 2}, {14, 4, 1, 4, 5},  {15, 4, 1, 5, 4}},
    };
    VMPtr<MainGame> scene = MainGame::newInstance()->init();
    ASSERT_EQ(scene->waveTables->length, 4);
    for (int32_t level = 0; level < 4; level++) {
        VMPtr<VMArray<int32_t, 2>> table = scene->waveTables->get(level);
        Rows rows;
        for (int32_t r = 0; r < table->length; r++) {
            VMPtr<VMArray<int32_t, 1>> row = table->get(r);
            rows.emplace_back(row->elements(), row->elements() + row->length);
        }
        EXPECT_EQ(rows, expected[level]) << "level " << level + 1;
    }
}

TEST_F(MainGameTest, EntersOverFourFramesAndDrawsInDrawOrder)
{
    main::Game::money = 0;
    play = MainGame::newInstance()->init();
    scene::SceneManager::currentScene = VMPtr<ui::Scene>(play.get());
    play->setEntering(true);
    // The draw orders of the objects in painting order.
    auto drawOrders = [&] {
        std::vector<int32_t> orders;
        for (int32_t k = 0; k < play->paintOrder->length; k++) {
            VMPtr<ui::MyObject> o = play->objects->get((*play->paintOrder)[k]);
            if (o != nullptr)
                orders.push_back(o->getDrawOrder());
        }
        return orders;
    };
    // Stage 0 has its boss beside the enemies at 2.
    const std::vector<int32_t> sorted{0, 1, 2, 2, 4, 51, 52, 53, 54, 54};
    // One entry frame, after which the scene is still entering at this stage.
    auto entryFrame = [&](int32_t stage) {
        frame(play.get());
        EXPECT_TRUE(play->entering);
        EXPECT_EQ(play->entryStage, stage);
    };

    // Frame 1 makes the objects, nothing loaded into them yet.
    entryFrame(ui::Scene::STAGE_LOAD2);
    ASSERT_NE(MainGame::player, nullptr);
    EXPECT_EQ(MainGame::player->nextItem, 0);
    EXPECT_EQ(play->themeItem->nextItem, 0);
    EXPECT_EQ(play->moneyLabel->labelCount, 0);

    // Frame 2 loads the pictures and puts the ship, its support unit (the
    // saved selection, a barrier) and the theme in.
    entryFrame(ui::Scene::STAGE_TEXTS);
    EXPECT_EQ(MainGame::player->nextItem, 2);
    EXPECT_EQ(play->themeItem->nextItem, 4);
    EXPECT_EQ(play->moneyLabel->labelCount, 0);

    // Frame 3 writes the labels.
    entryFrame(ui::Scene::STAGE_SORT);
    EXPECT_EQ(play->moneyLabel->labelCount, 1);
    EXPECT_EQ(play->pauseLabels->labelCount, 3);

    // Frame 4 sorts the objects and ends the entry.
    frame(play.get());
    EXPECT_FALSE(play->entering);
    EXPECT_EQ(play->entryStage, ui::Scene::STAGE_FINISH);
    EXPECT_EQ(moneyShown(), "$ 0");
    EXPECT_EQ(MainGame::player->getX(0), 120);
    EXPECT_EQ(MainGame::player->getY(0), 480) << "below the screen";
    EXPECT_FALSE(play->pausePanel->isActive());
    EXPECT_FALSE(play->pauseLabels->isActive());
    EXPECT_EQ(vmText(play->pauseLabels->labelTexts->get(1)), "Text 11");
    EXPECT_EQ(vmText(play->pauseLabels->labelTexts->get(2)), "Text 17");
    EXPECT_EQ(play->panelB->capacity, 10);

    EXPECT_EQ(drawOrders(), sorted);
    EXPECT_EQ(play->objects->get((*play->paintOrder)[0]).get(),
              static_cast<ui::MyObject*>(play->space.get()));
}

TEST_F(MainGameTest, ExplosionPoolIsSetUpAndPlaysARequest)
{
    startPlaying();
    VMPtr<scene::mainGame::weapon::ClsExplo> pool = MainGame::explosions;
    ASSERT_EQ(pool->getNextItem(), scene::mainGame::weapon::ClsExplo::POOL_SIZE);
    for (int32_t i = 0; i < pool->getNextItem(); i++)
        EXPECT_EQ(pool->getItemFrame(i), scene::mainGame::weapon::ClsExplo::FREE_ANIMATION) << i;

    pool->explode(1, 50, 60);
    ASSERT_EQ(pool->getItemFrame(0), 1);
    EXPECT_EQ(pool->getItemX(0), 50);
    EXPECT_EQ(pool->getItemY(0), 60);
    frame(play.get());
    EXPECT_GT(pool->players->get(0)->getElapsedTime(), 0) << "the scene runs it";
    int32_t frames = 1;
    while (pool->getItemFrame(0) == 1 && frames < 100) {
        frame(play.get());
        frames++;
    }
    EXPECT_LT(frames, 100) << "it plays out and frees its slot";
    EXPECT_EQ(pool->getItemFrame(0), scene::mainGame::weapon::ClsExplo::FREE_ANIMATION);
}

TEST_F(MainGameTest, ThemePictureReentersAboveTheScreenByItsHeight)
{
    start();
    VMPtr<scene::mainGame::theme::ClsBgItem> theme = play->themeItem;
    int32_t h = theme->getItemSize1(2);
    ASSERT_EQ(h, 8);
    // Item 2 drifts 5 pixels a 40 ms frame: to exactly 320 + h, then past it.
    (*theme->itemY)[2] = 320 + h - 5;
    frame(play.get());
    EXPECT_EQ((*theme->itemY)[2], 320 + h);
    frame(play.get());
    EXPECT_EQ((*theme->itemY)[2], -h);
    EXPECT_EQ(theme->getItemY(2), -h);
}

TEST_F(MainGameTest, PlaneAnimatesOneElementEvenWhenStopped)
{
    start();
    VMPtr<ClsPlayer> ship = MainGame::player;
    VMPtr<tq::AnimPlayer> player = ship->players->get(0);
    ASSERT_NE(player, nullptr);
    ASSERT_EQ(player->getStep(), 0);
    ship->setStopped(1);
    ui::MyObject::frameTime = 60;
    ship->update();
    EXPECT_EQ(player->getStep(), 0) << "a stopped panel does not animate";
    ship->animateElement(0);
    EXPECT_EQ(player->getStep(), 1) << "past the 50 ms of the first step";

    // An animation that has played out goes on to the next one.
    ship->setAnimItem(0, 4109, 4096, 0, 120, 480);
    player = ship->players->get(0);
    ui::MyObject::frameTime = 40;
    ship->animateElement(0);
    ship->animateElement(0);
    EXPECT_EQ((*ship->frame)[0], 0);
    ship->animateElement(0);
    EXPECT_EQ((*ship->frame)[0], 1);
}

TEST_F(MainGameTest, MoneyLabelFollowsTheMoneyWhilePlaying)
{
    main::Game::money = 40;
    start();
    EXPECT_EQ(moneyShown(), "$ 40");
    MainGame::money = 1250;
    frame(play.get());
    EXPECT_EQ(moneyShown(), "$ 1250");
}

TEST_F(MainGameTest, PauseOnlyWhilePlaying)
{
    start();
    for (int32_t state : {ClsPlayer::STATE_ENTERING, ClsPlayer::STATE_CLEARED,
                          ClsPlayer::STATE_DESTROYED}) {
        MainGame::player->setState(state);
        tap(kPauseKey);
        EXPECT_FALSE(play->paused) << state;
    }
    MainGame::player->setState(ClsPlayer::STATE_PLAYING);
    tap(kPauseKey);
    EXPECT_TRUE(play->paused);
}

TEST_F(MainGameTest, PauseFreezesThePlayAndIgnoresEverythingButThePanel)
{
    main::Game::money = 10;
    startPlaying();
    VMPtr<ProbeBullet> bullet = ProbeBullet::newInstance()->init(MainGame::playerBullets, "b", false);
    MainGame::playerBullets->add(bullet);
    tap(kPauseKey);
    ASSERT_TRUE(play->paused);
    EXPECT_TRUE(play->frozen);
    EXPECT_TRUE(play->space->paused);
    EXPECT_TRUE(play->pausePanel->isActive());
    EXPECT_TRUE(play->pauseLabels->isActive());
    for (ui::MyObject* o : {static_cast<ui::MyObject*>(MainGame::player.get()),
                            static_cast<ui::MyObject*>(MainGame::enemies.get()),
                            static_cast<ui::MyObject*>(MainGame::explosions.get()),
                            static_cast<ui::MyObject*>(play->themeItem.get())})
        EXPECT_NE(o->isStopped(), 0);

    log.clear();
    MainGame::money = 99;
    (*ui::Pointer::currentX)[0] = 30;
    (*ui::Pointer::currentY)[0] = 40;
    (*ui::Pointer::pressed)[0] = true;
    frame(play.get());
    EXPECT_EQ(log, Strings{}) << "bullets do not move";
    EXPECT_EQ(moneyShown(), "$ 10");
    EXPECT_NE(play->pointerX, 30) << "touches do not steer";
}

TEST_F(MainGameTest, PauseFreezesEveryObjectOfTheStageInFlight)
{
    // A stage in flight with a boss, paused with a key held: nothing of the
    // play moves and no random number is drawn until the panel is answered.
    playtest::Script script;
    playtest::sweepLeftRight(script, 0, 25, 6);
    startStage(0, 4);
    ASSERT_NE(MainGame::getBoss(), nullptr);
    MainGame::player->setState(ClsPlayer::STATE_PLAYING);
    fly(script, 150, [] { return false; });
    tap(kPauseKey);
    ASSERT_TRUE(play->paused);
    EXPECT_NE(MainGame::getBoss()->isStopped(), 0);
    uint64_t frozen = playtest::playStateHash(*play);
    for (int32_t i = 0; i < 60; i++)
        step(script);
    EXPECT_EQ(playtest::playStateHash(*play), frozen);

    tap(kUpKey);
    tap(kSelectKey);
    ASSERT_FALSE(play->paused);
    EXPECT_EQ(MainGame::getBoss()->isStopped(), 0);
    for (int32_t i = 0; i < 5; i++)
        step(script);
    EXPECT_NE(playtest::playStateHash(*play), frozen) << "the play runs again";
}

TEST_F(MainGameTest, PanelAnswersByKey)
{
    startPlaying();
    MainGame::money = 700;

    // Up, then a select release: continue.
    tap(kPauseKey);
    tap(kUpKey);
    EXPECT_TRUE(play->pauseChoice);
    tap(kSelectKey);
    EXPECT_FALSE(play->paused);
    EXPECT_FALSE(play->frozen);
    EXPECT_FALSE(play->space->paused);
    EXPECT_FALSE(play->pausePanel->isActive());
    EXPECT_EQ(MainGame::player->isStopped(), 0);
    EXPECT_EQ(sceneRequests(), Strings{});

    // Down, then a select release: quit, keeping the money, not the level.
    (*main::Game::stageDifficulty)[2] = 2;
    tap(kPauseKey);
    tap(kDownKey);
    EXPECT_FALSE(play->pauseChoice);
    tap(kSelectKey);
    EXPECT_EQ(sceneRequests(), Strings{"changeScene 10"});
    EXPECT_FALSE(play->paused);
    EXPECT_EQ(main::Game::money, 700);
    reload();
    EXPECT_EQ(main::Game::money, 700);
    EXPECT_EQ((*main::Game::stageDifficulty)[2], 2);
}

TEST_F(MainGameTest, TouchDownOnlyMarksARowAndItsReleaseActs)
{
    startPlaying();
    tap(kPauseKey);
    tap(kDownKey);
    ASSERT_FALSE(play->pauseChoice);
    // Down on the upper row (40, 130, 160, 24) here.
    (*ui::Pointer::currentX)[0] = 40;
    (*ui::Pointer::currentY)[0] = 154;
    (*ui::Pointer::pressed)[0] = true;
    (*ui::Pointer::released)[0] = false;
    play->handlePauseInput();
    EXPECT_TRUE(play->paused);
    EXPECT_FALSE(play->pauseChoice) << "a touch going down only marks";
    EXPECT_EQ(play->pausePanel->getItemY(scene::mainGame::ClsUiPause::markerItem), 142);
    (*ui::Pointer::pressed)[0] = false;
    (*ui::Pointer::released)[0] = true;
    play->handlePauseInput();
    EXPECT_FALSE(play->paused);
    EXPECT_TRUE(play->pauseChoice);
    EXPECT_EQ(sceneRequests(), Strings{});
}

TEST_F(MainGameTest, KeyThatClosesThePanelLeavesTheSameFramesTouchAlone)
{
    startPlaying();
    MainGame::money = 300;
    tap(kPauseKey);
    tap(kDownKey);
    ASSERT_FALSE(play->pauseChoice);
    // Quit by key while a touch comes up on the panel's rows in the same
    // frame: the panel is closed once, by the key.
    canvas->pressKey(kSelectKey);
    frame(play.get());
    canvas->releaseKey(kSelectKey);
    (*ui::Pointer::currentX)[0] = 120;
    (*ui::Pointer::currentY)[0] = 140;
    (*ui::Pointer::pressed)[0] = false;
    (*ui::Pointer::released)[0] = true;
    frame(play.get());
    EXPECT_FALSE(play->pauseChoice) << "the touch answered the closed panel";
    EXPECT_EQ(sceneRequests(), Strings{"changeScene 10"});
    EXPECT_EQ(main::Game::money, 300);
}

TEST_F(MainGameTest, ClearedStageRaisesItsLevelUpToFourAndSaves)
{
    const struct {
        int32_t saved, after;
    } cases[] = {{1, 2}, {3, 4}, {4, 4}};
    for (const auto& c : cases) {
        scenetest::requests.clear();
        (*main::Game::stageDifficulty)[2] = c.saved;
        main::Game::money = 5;
        startPlaying();
        MainGame::money = 321;
        shipAt(-80);
        frame(play.get());
        EXPECT_EQ(sceneRequests(), Strings{}) << "-80 is not above the top yet";
        shipAt(-81);
        frame(play.get());
        EXPECT_EQ(sceneRequests(), Strings{"changeScene 10"}) << c.saved;
        EXPECT_EQ(MainGame::difficulty, c.after);
        reload();
        EXPECT_EQ((*main::Game::stageDifficulty)[2], c.after) << c.saved;
        EXPECT_EQ(main::Game::money, 321);
    }
}

TEST_F(MainGameTest, GameOverSavesTheMoneyButNotALevel)
{
    (*main::Game::stageDifficulty)[2] = 3;
    startPlaying();
    MainGame::money = 450;
    MainGame::player->gameOver = true;
    frame(play.get());
    EXPECT_EQ(sceneRequests(), Strings{"changeScene 10"});
    reload();
    EXPECT_EQ(main::Game::money, 450);
    EXPECT_EQ((*main::Game::stageDifficulty)[2], 3);
}

TEST_F(MainGameTest, StageEndWritesOneRecordWhileTheSceneStays)
{
    // The scene change to the stage selection is asked for but the scene
    // stays, still updated: the end is saved once and the level raised once.
    const struct {
        const char* end;
        int32_t level;
    } cases[] = {{"cleared", 2}, {"game over", 1}, {"quit", 1}};
    for (const auto& c : cases) {
        scenetest::requests.clear();
        VMPtr<CountingGame> game = CountingGame::newInstance()->init();
        main::Main::game = game;
        (*main::Game::stageDifficulty)[2] = 1;
        startPlaying();
        if (std::string(c.end) == "cleared") {
            shipAt(-100);
        } else if (std::string(c.end) == "game over") {
            MainGame::player->gameOver = true;
        } else {
            tap(kPauseKey);
            tap(kDownKey);
            tap(kSelectKey);
        }
        for (int32_t i = 0; i < 5; i++) {
            frame(play.get());
            if (std::string(c.end) == "quit")
                shipAt(-100);
        }
        EXPECT_EQ(game->saves, 1) << c.end;
        EXPECT_EQ(sceneRequests(), Strings{"changeScene 10"}) << c.end;
        EXPECT_EQ(MainGame::difficulty, c.level) << c.end;
        EXPECT_EQ((*main::Game::stageDifficulty)[2], c.level) << c.end;
    }
}

TEST_F(MainGameTest, FrameThatLeavesTheStageFinishesOnTheReleasedScene)
{
    // The manager releases the play scene inside its update and makes the
    // stage selection; the rest of the play frame still runs.
    vxtest::FakeScenes scenes;
    VMPtr<scene::SceneManager> manager = scene::SceneManager::newInstance();
    manager->canvas = VMPtr<tq::TqCanvas>(canvas);
    manager->currentId = scene::SceneManager::MAIN_GAME;
    scene::SceneManager::instance = manager;
    startPlaying();
    VMPtr<tq::util::ArrayList> list = MainGame::enemyBullets;
    list->add(ProbeBullet::newInstance()->init(list, "e", false));
    canvas->pressKey(playtest::kLeftKey);
    shipAt(-100);
    log.clear();
    frame(play.get());
    EXPECT_EQ(manager->currentId, scene::SceneManager::STAGE_SELECT);
    EXPECT_EQ(vxtest::FakeScene::stepsOf(scene::SceneManager::STAGE_SELECT), Strings{});
    EXPECT_EQ(log, Strings{"e 0 40"}) << "the bullets still moved";
}

TEST_F(MainGameTest, EndBannerIsSetOnceForTheFirstEndState)
{
    startPlaying();
    VMPtr<BannerHud> hud = BannerHud::newInstance()->init();
    play->hud = hud;
    frame(play.get());
    EXPECT_FALSE(play->bannerShown);
    EXPECT_EQ(hud->banners, Strings{});
    MainGame::player->setState(ClsPlayer::STATE_DESTROYED);
    frame(play.get());
    MainGame::player->setState(ClsPlayer::STATE_CLEARED);
    frame(play.get());
    EXPECT_TRUE(play->bannerShown);
    EXPECT_EQ(hud->banners, Strings{"destroyed"});
}

TEST_F(MainGameTest, NothingOfThePlayRunsWhenSwitchedOff)
{
    startPlaying();
    MainGame::playActive = false;
    MainGame::player->gameOver = true;
    VMPtr<ProbeBullet> bullet = ProbeBullet::newInstance()->init(MainGame::enemyBullets, "b", false);
    MainGame::enemyBullets->add(bullet);
    log.clear();
    frame(play.get());
    EXPECT_EQ(sceneRequests(), Strings{});
    EXPECT_EQ(log, Strings{});
}

TEST_F(MainGameTest, BulletsAreWalkedFromTheLastAndMayLeaveTheirList)
{
    startPlaying();
    VMPtr<tq::util::ArrayList> list = MainGame::playerBullets;
    list->add(ProbeBullet::newInstance()->init(list, "a", false));
    list->add(ProbeBullet::newInstance()->init(list, "b", true));
    list->add(ProbeBullet::newInstance()->init(list, "c", true));
    VMPtr<tq::util::ArrayList> enemy = MainGame::enemyBullets;
    enemy->add(ProbeBullet::newInstance()->init(enemy, "e", false));
    log.clear();
    frame(play.get());
    EXPECT_EQ(log, (Strings{"c 2 40", "b 1 40", "a 0 40", "e 0 40"}));
    EXPECT_EQ(list->size(), 1);

    log.clear();
    play->paintBullets(VMPtr<javax::microedition::lcdui::Graphics>(), enemy);
    EXPECT_EQ(log, (Strings{"paint e"}));
}

TEST_F(MainGameTest, TouchSteersOnlyOutsideThePauseButton)
{
    startPlaying();
    (*ui::Pointer::currentX)[0] = 100;
    (*ui::Pointer::currentY)[0] = 200;
    (*ui::Pointer::pressed)[0] = true;
    (*ui::Pointer::released)[0] = false;
    VMPtr<MainGame> scene = play;
    scene->handlePointer();
    EXPECT_EQ(scene->pointerX, 100);
    EXPECT_EQ(scene->pointerY, 200);
    EXPECT_FALSE(scene->paused);

    // The HUD's pause button covers (210, 0, 30, 30) here. Down on it does
    // not steer; released on it, it pauses.
    (*ui::Pointer::currentX)[0] = 220;
    (*ui::Pointer::currentY)[0] = 10;
    scene->handlePointer();
    EXPECT_EQ(scene->pointerX, 100);
    EXPECT_FALSE(scene->paused);
    (*ui::Pointer::pressed)[0] = false;
    (*ui::Pointer::released)[0] = true;
    scene->handlePointer();
    EXPECT_TRUE(scene->paused);
}

TEST_F(MainGameTest, ScriptedTouchSteersTheShipUntilLifted)
{
    using playtest::InputEvent;
    startStage(2, 1);
    MainGame::player->setState(ClsPlayer::STATE_PLAYING);
    (*MainGame::player->y)[0] = 240;
    const playtest::Script script{{0, InputEvent::TOUCH_DOWN, 0, 40, 240},
                                  {5, InputEvent::TOUCH_MOVE, 0, 200, 240},
                                  {10, InputEvent::TOUCH_UP, 0, 200, 240}};
    // The touch reaches the scene in the frame after the one it comes in.
    for (int32_t i = 0; i < 6; i++)
        step(script);
    EXPECT_EQ(play->pointerX, 40);
    int32_t left = MainGame::player->getX(0);
    EXPECT_LT(left, 120);
    for (int32_t i = 0; i < 5; i++)
        step(script);
    EXPECT_EQ(play->pointerX, 200);
    EXPECT_GT(MainGame::player->getX(0), left);
    // The steering of the last touched frame moves the ship in the next.
    step(script);
    int32_t lifted = MainGame::player->getX(0);
    for (int32_t i = 0; i < 5; i++)
        step(script);
    EXPECT_EQ(MainGame::player->getX(0), lifted) << "no steering once lifted";
}

TEST_F(MainGameTest, BossQueriesWithoutABoss)
{
    // Stage 2 before its first play: an earlier scene may have left one.
    MainGame::boss3 = nullptr;
    for (int32_t stage : {2, 8, -1}) {
        MainGame::stage = stage;
        EXPECT_EQ(MainGame::getBossHp(), 0);
        EXPECT_EQ(MainGame::getBossMaxHp(), 0);
        EXPECT_EQ(MainGame::countActiveBossParts(), 0);
        EXPECT_EQ(MainGame::getBoss(), nullptr);
        MainGame::startBoss();
    }
}

TEST_F(MainGameTest, PlayClassesAreMadeByNameButNotThePlaneBase)
{
    for (const char* name : {"scene.mainGame.ClsBgSpace", "scene.mainGame.StructStar",
                             "scene.mainGame.ClsPlayer", "scene.mainGame.ClsEnemy",
                             "scene.mainGame.ClsEnemyControl", "scene.ClsMyMath"}) {
        VMPtr<java::lang::Class> cls = java::lang::Class::forName(vmString(name));
        VMPtr<java::lang::Object> made = cls->newInstance();
        ASSERT_NE(made, nullptr) << name;
        EXPECT_EQ(made->getClass(), cls.get()) << name;
    }
    EXPECT_THROW(java::lang::Class::forName(vmString("scene.mainGame.ClsPlane"))->newInstance(),
                 java::lang::IllegalAccessException*);
    EXPECT_THROW(java::lang::Class::forName(vmString("scene.mainGame.boss.ClsBoss"))->newInstance(),
                 java::lang::InstantiationException*);
}

} // namespace

VM_REGISTER_CLASS_NO_CREATOR(CountingGame, "tests.mainGame.CountingGame", "main.Game",
                             "tests_mainGame_CountingGame", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(BannerHud, "tests.mainGame.BannerHud", "scene.mainGame.ClsUiIngame",
                             "tests_mainGame_BannerHud", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(ProbeBullet, "tests.mainGame.ProbeBullet",
                             "scene.mainGame.weapon.ClsBullet", "tests_mainGame_ProbeBullet",
                             nullptr);
