#include "scene/mainGame/MainGame.h"

#include <algorithm>

#include "generated/RP.h"
#include "java/lang/StringBuffer.h"
#include "vm/VMStringLiterals.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "scene/mainGame/boss/ClsBoss_1.h"
#include "scene/mainGame/boss/ClsBoss_2.h"
#include "scene/mainGame/boss/ClsBoss_3.h"
#include "scene/mainGame/boss/ClsBoss_4.h"
#include "scene/mainGame/boss/ClsBoss_5.h"
#include "scene/mainGame/boss/ClsBoss_6.h"
#include "scene/mainGame/boss/ClsBoss_7.h"
#include "scene/mainGame/boss/ClsBoss_8.h"
#include "scene/menu/StageSelectMenu.h"
#include "ui/Pointer.h"
#include "ui/ResManager.h"

namespace scene::mainGame {

namespace {

// Wave tables, one per level: rows of (wave, count, kind, spawn point,
// destination point).
constexpr int32_t kWaves1[][5] = {
    {0, 4, 0, 0, 2},  {1, 4, 0, 1, 3},  {2, 4, 0, 0, 2},  {3, 4, 0, 1, 3},  {4, 4, 0, 0, 2},
    {4, 4, 0, 1, 3},  {5, 4, 1, 0, 2},  {6, 4, 1, 0, 2},  {7, 4, 1, 1, 3},  {8, 4, 1, 1, 3},
    {9, 4, 0, 4, 5},  {9, 4, 0, 7, 6},  {10, 1, 2, 0, 2}, {10, 1, 2, 1, 3}, {11, 4, 1, 0, 3},
    {12, 4, 1, 1, 2}, {13, 4, 0, 4, 5}, {14, 4, 0, 5, 4},
};
constexpr int32_t kWaves2[][5] = {
    {0, 4, 1, 0, 2},  {1, 4, 0, 1, 3},  {2, 4, 1, 0, 2},  {3, 4, 0, 1, 3},  {4, 4, 3, 0, 2},
    {4, 4, 3, 1, 3},  {5, 4, 0, 0, 2},  {6, 4, 1, 0, 2},  {7, 4, 0, 1, 3},  {8, 4, 1, 1, 3},
    {9, 1, 4, 0, 2},  {10, 1, 4, 1, 3}, {11, 1, 2, 0, 2}, {11, 1, 2, 1, 3}, {12, 4, 3, 0, 3},
    {13, 4, 3, 1, 2}, {14, 4, 1, 4, 5}, {15, 4, 1, 5, 4},
};
constexpr int32_t kWaves3[][5] = {
    {0, 4, 1, 0, 3},   {1, 4, 1, 1, 2},   {2, 4, 6, 0, 2},  {3, 4, 3, 1, 2},  {4, 4, 3, 0, 3},
    {5, 4, 0, 4, 5},   {6, 4, 0, 5, 4},   {7, 4, 6, 1, 3},  {8, 4, 6, 0, 2},  {9, 1, 4, 2, 0},
    {10, 1, 4, 3, 1},  {11, 1, 2, 0, 2},  {11, 1, 2, 1, 3}, {12, 4, 32, 0, 3}, {13, 4, 32, 1, 2},
    {14, 4, 1, 4, 5},  {15, 4, 1, 5, 4},  {16, 4, 0, 5, 4},
};
constexpr int32_t kWaves4[][5] = {
    {0, 4, 1, 4, 5},   {1, 4, 6, 0, 2},   {1, 4, 0, 1, 3},  {2, 4, 6, 4, 5},  {2, 4, 0, 6, 7},
    {3, 4, 3, 3, 1},   {3, 4, 3, 0, 2},   {4, 4, 0, 0, 3},  {4, 4, 0, 1, 2},  {5, 4, 0, 4, 5},
    {6, 4, 0, 5, 4},   {7, 1, 2, 0, 2},   {7, 1, 2, 1, 3},  {8, 4, 0, 1, 3},  {8, 4, 6, 0, 2},
    {9, 1, 4, 2, 0},   {10, 1, 4, 3, 1},  {11, 1, 2, 0, 2}, {11, 1, 2, 1, 3}, {12, 4, 32, 0, 3},
    {13, 4, 32, 1, 2}, {14, 4, 1, 4, 5},  {15, 4, 1, 5, 4},
};

using generated::RP;

// Resources of the stage, (Gob set, animation set), loaded after the ship's.
constexpr int32_t kShipResources[][2] = {{RP::PLAYER, RP::PLAYER_POD_1_ANIMS},
                                         {RP::PLAYER, RP::PLAYER_POD_2_ANIMS},
                                         {RP::PLAYER, RP::PLAYER_POD_3_ANIMS}};
constexpr int32_t kStageResources[][2] = {
    {RP::PLAYER_LASER_VERTICAL, RP::PLAYER_LASER_UP_ANIMS},
    {RP::PLAYER_LASER_VERTICAL, RP::PLAYER_LASER_DOWN_ANIMS},
    {RP::PLAYER_LASER_HORIZONTAL, RP::PLAYER_LASER_LEFT_ANIMS},
    {RP::PLAYER_LASER_HORIZONTAL, RP::PLAYER_LASER_RIGHT_ANIMS},
    {RP::PLAYER_BOMB, RP::PLAYER_BOMB_UP_ANIMS},
    {RP::PLAYER_BOMB, RP::PLAYER_BOMB_DOWN_ANIMS},
    {RP::PLAYER_BOMB, RP::PLAYER_BOMB_LEFT_ANIMS},
    {RP::PLAYER_BOMB, RP::PLAYER_BOMB_RIGHT_ANIMS},
    {RP::PLAYER_SHOTS, RP::PLAYER_SHOTS_ANIMS},
    {RP::PLAYER_SHOTS, RP::PLAYER_LASER_UP_ANIMS},
    {RP::ENEMY_BULLET, RP::ENEMY_BULLET_ANIMS},
    {RP::EXPLOSION, RP::EXPLOSION_ANIMS},
    {RP::ENEMY, RP::ENEMY_ANIMS},
    {RP::BOSS02, RP::ANIM_BOSS02},
    {RP::BOSS_HP, RP::ANIM_BOSS_HP},
    {RP::THEME_BIG, RP::THEME_BIG_ANIMS},
    {RP::THEME_PAIR, RP::THEME_PAIR_ANIMS},
    {RP::THEME_SMALL, RP::THEME_SMALL_ANIMS},
};
// What a preview or a demo flight shows: shots, pick-ups, explosions.
constexpr int32_t kFlightResources[][2] = {{RP::PLAYER_LASER_VERTICAL, RP::PLAYER_LASER_UP_ANIMS},
                                           {RP::PLAYER_SHOTS, RP::PLAYER_SHOTS_ANIMS},
                                           {RP::PLAYER_SHOTS, RP::PLAYER_LASER_UP_ANIMS},
                                           {RP::ENEMY_BULLET, RP::ENEMY_BULLET_ANIMS},
                                           {RP::EXPLOSION, RP::EXPLOSION_ANIMS},
                                           {RP::ENEMY, RP::ENEMY_ANIMS}};
constexpr int32_t kPanelItems = 10;
constexpr int32_t kHudItems = 10;
constexpr int32_t kPauseItems = 3;

// The stage's boss; none for a stage without one.
VMPtr<boss::ClsBoss> makeBoss(int32_t s, VMPtr<weapon::ClsBcreator> factory, int32_t level)
{
    switch (s) {
    case 0: return boss::ClsBoss_1::newInstance()->init(factory, level);
    case 1: return boss::ClsBoss_2::newInstance()->init(factory, level);
    case 2: return boss::ClsBoss_3::newInstance()->init(factory, level);
    case 3: return boss::ClsBoss_4::newInstance()->init(factory, level);
    case 4: return boss::ClsBoss_5::newInstance()->init(factory, level);
    case 5: return boss::ClsBoss_6::newInstance()->init(factory, level);
    case 6: return boss::ClsBoss_7::newInstance()->init(factory, level);
    case 7: return boss::ClsBoss_8::newInstance()->init(factory, level);
    default: return VMPtr<boss::ClsBoss>();
    }
}

VMPtr<ui::Scene> makeMainGame(int32_t)
{
    return MainGame::newInstance()->init();
}

const bool kRegistered =
    (scene::SceneManager::replaceScene(scene::SceneManager::MAIN_GAME, &makeMainGame), true);

} // namespace

VMPtr<MainGame> MainGame::init()
{
    Scene::init();
    VMPtr<IntTables> tables = IntTables::newArray(4);
    tables->set(0, waveTable(kWaves1));
    tables->set(1, waveTable(kWaves2));
    tables->set(2, waveTable(kWaves3));
    tables->set(3, waveTable(kWaves4));
    waveTables = tables;
    game = main::Main::game;

    bossStarted = false;
    playActive = true;
    bannerShown = false;
    frozen = false;
    paused = false;
    pauseChoice = true;
    bossDefeated = false;
    stageEnded = false;

    // Saved values are brought into range before they index anything.
    main::Game::_VM_clinit();
    stage = menu::StageSelectMenu::selectedStage;
    int32_t level = MIN_LEVEL;
    if (stage >= 0 && stage < STAGES && main::Game::stageDifficulty != nullptr &&
        stage < main::Game::stageDifficulty->length)
        level = (*main::Game::stageDifficulty)[stage];
    difficulty = std::clamp(level, MIN_LEVEL, MAX_LEVEL);
    money = main::Game::money;

    enemyControl = ClsEnemyControl::newInstance()->init(waveTables->get(difficulty - 1), false);
    VMPtr<ClsBgSpace> stars = ClsBgSpace::newInstance()->init(true);
    stars->setDrawOrder(ORDER_SPACE);
    space = stars;
    addObject(stars);

    playerBullets = ArrayList::newInstance()->init();
    VMPtr<weapon::ClsBcreator> factory = weapon::ClsBcreator::newInstance()->init();
    factory->setCapacity(PLAYER_FACTORY_SHOTS);
    playerFactory = factory;
    enemyBullets = ArrayList::newInstance()->init();
    factory = weapon::ClsBcreator::newInstance()->init();
    factory->setCapacity(ENEMY_FACTORY_SHOTS);
    enemyFactory = factory;
    return VMPtr<MainGame>(this);
}

// ---- Entry ----

void MainGame::load()
{
    VMPtr<ui::Addon> label = ui::Addon::newInstance()->init();
    label->setDrawOrder(ORDER_LABELS);
    label->setLabelCapacity(1);
    moneyLabel = label;
    addObject(label);

    label = ui::Addon::newInstance()->init();
    label->setDrawOrder(ORDER_LABELS);
    label->setLabelCapacity(5);
    pauseLabels = label;
    addObject(label);

    VMPtr<theme::ClsBgItem> theme = theme::ClsBgItem::newInstance()->init();
    theme->setDrawOrder(ORDER_THEME);
    theme->setBackgroundEnabled(false);
    themeItem = theme;
    addObject(theme);

    VMPtr<ui::Screen> panel = ui::Screen::newInstance()->initItems();
    panel->allocItems(kPanelItems);
    panelB = panel;

    addPlanes(ORDER_ENEMIES, ORDER_PLAYER);

    VMPtr<boss::ClsBoss> b = makeBoss(stage, enemyFactory, difficulty);
    switch (stage) {
    case 0: boss1 = b; break;
    case 1: boss2 = b; break;
    case 2: boss3 = b; break;
    case 3: boss4 = b; break;
    case 4: boss5 = b; break;
    case 5: boss6 = b; break;
    case 6: boss7 = b; break;
    case 7: boss8 = b; break;
    default: break;
    }
    if (b != nullptr) {
        b->setDrawOrder(ORDER_BOSS);
        addObject(b);
    }

    addExplosions();

    VMPtr<ClsUiPause> pausing = ClsUiPause::newInstance()->init();
    pausing->allocItems(kPauseItems);
    pausing->setDrawOrder(ORDER_PAUSE);
    pausePanel = pausing;
    addObject(pausing);

    VMPtr<ClsUiIngame> panelHud = ClsUiIngame::newInstance()->init();
    panelHud->allocItems(kHudItems);
    panelHud->setDrawOrder(ORDER_HUD);
    hud = panelHud;
    addObject(panelHud);
}

void MainGame::addPlanes(int32_t enemyOrder, int32_t playerOrder)
{
    VMPtr<ClsEnemy> enemy = ClsEnemy::newInstance()->init(enemyFactory);
    enemy->initEnemies();
    enemy->setDrawOrder(enemyOrder);
    enemies = enemy;
    addObject(enemy);

    VMPtr<ClsPlayer> ship = ClsPlayer::newInstance()->init(playerFactory);
    ship->allocItems(PLAYER_ITEMS);
    ship->setDrawOrder(playerOrder);
    player = ship;
    addObject(ship);
}

void MainGame::addExplosions()
{
    VMPtr<weapon::ClsExplo> explo = weapon::ClsExplo::newInstance()->init();
    explo->setupItems();
    explo->setDrawOrder(ORDER_EXPLOSIONS);
    explosions = explo;
    addObject(explo);
}

void MainGame::addShip(int32_t x, int32_t y)
{
    VMPtr<ClsPlayer> ship(player);
    ship->addAnimItem(ClsPlayer::GOB_SET, ClsPlayer::ANIM_SET, ClsPlayer::FRAME_SHIP, x, y);
    ship->addElement(0, ClsPlayer::RESPAWN_X, ClsPlayer::RESPAWN_Y);
}

void MainGame::preloadFlightPictures()
{
    for (const auto& r : kFlightResources)
        ui::ResManager::load(r[0], r[1]);
}

VMPtr<MainGame::IntTable> MainGame::waveTable(std::span<const int32_t[5]> rows)
{
    VMPtr<IntTable> table = IntTable::newArray(int32_t(rows.size()));
    for (size_t r = 0; r < rows.size(); r++) {
        VMPtr<IntArray> row = IntArray::newArray(5);
        for (int32_t c = 0; c < 5; c++)
            (*row)[c] = rows[r][c];
        table->set(int32_t(r), row);
    }
    return table;
}

void MainGame::load2()
{
    for (const auto& r : kShipResources)
        ui::ResManager::load(r[0], r[1]);
    addShip(-100, -100);
    for (const auto& r : kStageResources)
        ui::ResManager::load(r[0], r[1]);
    themeItem->setupItems();
    hud->setupItems();
    pausePanel->setupItems();
    pausePanel->setActive(false);
}

void MainGame::initTexts()
{
    VMPtr<IntArray> rect = hud->getMoneyRect();
    moneyLabel->addLabel(moneyText(), (*rect)[0], (*rect)[1]);
    moneyLabel->setLabelFont(0, 1);

    rect = pausePanel->getTitleRect();
    pauseLabels->addLabel(texts->getString(TEXT_PAUSE_TITLE), (*rect)[0], (*rect)[1], (*rect)[2],
                          (*rect)[3]);
    pauseLabels->setLabelFont(0, 0);
    rect = pausePanel->getUpperRowRect();
    pauseLabels->addLabel(texts->getString(TEXT_CONTINUE), (*rect)[0], (*rect)[1], (*rect)[2],
                          (*rect)[3]);
    pauseLabels->setLabelFont(1, 1);
    rect = pausePanel->getLowerRowRect();
    pauseLabels->addLabel(texts->getString(TEXT_QUIT), (*rect)[0], (*rect)[1], (*rect)[2],
                          (*rect)[3]);
    pauseLabels->setLabelFont(2, 1);
    pauseLabels->setActive(false);
}

VMPtr<java::lang::String> MainGame::moneyText()
{
    VMPtr<java::lang::StringBuffer> text = java::lang::StringBuffer::newInstance()->init();
    text->append(_VM_literal("$ "));
    text->append(money);
    return text->toString();
}

// ---- Frame ----

void MainGame::update()
{
    Scene::update();
    if (!playActive)
        return;
    handlePauseInput();
    if (paused)
        return;
    moneyLabel->setLabelText(0, moneyText());

    if (!bannerShown) {
        int32_t s = player->getState();
        if (s == ClsPlayer::STATE_CLEARED || s == ClsPlayer::STATE_DESTROYED) {
            hud->showEndBanner(s == ClsPlayer::STATE_CLEARED);
            bannerShown = true;
        }
    }

    if (stageEnded) {
        // Saved already; the scene change is under way.
    } else if (player->isGameOver()) {
        stageEnded = true;
        main::Game::money = money;
        game->saveProgress();
        sceneManager->changeScene(STAGE_SELECT_SCENE);
    } else if (player->getY(0) < CLEARED_Y) {
        stageEnded = true;
        if (difficulty < MAX_LEVEL)
            difficulty += 1;
        if (stage >= 0 && stage < STAGES)
            (*main::Game::stageDifficulty)[stage] = difficulty;
        main::Game::money = money;
        game->saveProgress();
        sceneManager->changeScene(STAGE_SELECT_SCENE);
    }

    enemyControl->update();

    if (sceneManager->isKeyHeld(KEY_UP))
        player->moveUp();
    if (sceneManager->isKeyHeld(KEY_DOWN))
        player->moveDown();
    if (sceneManager->isKeyHeld(KEY_LEFT))
        player->moveLeft();
    if (sceneManager->isKeyHeld(KEY_RIGHT))
        player->moveRight();
    if (sceneManager->wasKeyPressed(KEY_PAUSE))
        onPause();
    handlePointer();
    updateBullets(playerBullets);
    updateBullets(enemyBullets);
}

void MainGame::handlePointer()
{
    VMPtr<ui::Pointer> pointer = scene::SceneManager::pointer;
    VMPtr<IntArray> button = hud->getItemBox(ClsUiIngame::pauseButtonItem, 0);
    bool onButton = pointer->isInside(button, 0);
    if ((*ui::Pointer::released)[0] && onButton)
        onPause();
    if ((*ui::Pointer::pressed)[0] && !onButton) {
        pointerX = pointer->getX(0);
        pointerY = pointer->getY(0);
        if (player->getState() == ClsPlayer::STATE_PLAYING)
            player->moveTowards(0, pointerX, pointerY);
    }
}

void MainGame::stopPlay(bool stop)
{
    VMPtr<boss::ClsBoss> b = bossOf(stage);
    if (b != nullptr)
        b->setStopped(stop);
    player->setStopped(stop);
    themeItem->setStopped(stop);
    explosions->setStopped(stop);
    enemies->setStopped(stop);
    frozen = stop;
    space->setPaused(stop);
    paused = stop;
    pausePanel->setActive(stop);
    pauseLabels->setActive(stop);
}

void MainGame::onPause()
{
    if (player->getState() != ClsPlayer::STATE_PLAYING)
        return;
    stopPlay(true);
}

void MainGame::handlePauseInput()
{
    if (!paused)
        return;
    if (sceneManager->wasKeyPressed(KEY_UP)) {
        pausePanel->selectRow(true);
        pauseChoice = true;
    }
    if (sceneManager->wasKeyPressed(KEY_DOWN)) {
        pausePanel->selectRow(false);
        pauseChoice = false;
    }
    if (sceneManager->wasKeyReleased(KEY_SELECT))
        resumeOrQuit();
    // A key release may have closed the panel already.
    if (!paused)
        return;
    VMPtr<ui::Pointer> pointer = scene::SceneManager::pointer;
    VMPtr<IntArray> upper = pausePanel->getUpperRowRect();
    VMPtr<IntArray> lower = pausePanel->getLowerRowRect();
    bool down = (*ui::Pointer::pressed)[0];
    bool up = (*ui::Pointer::released)[0];
    if (down && pointer->isInside(upper, 0))
        pausePanel->selectRow(true);
    if (down && pointer->isInside(lower, 0))
        pausePanel->selectRow(false);
    if (up && pointer->isInside(upper, 0)) {
        pausePanel->selectRow(true);
        pauseChoice = true;
        resumeOrQuit();
    } else if (up && pointer->isInside(lower, 0)) {
        pausePanel->selectRow(false);
        pauseChoice = false;
        resumeOrQuit();
    }
}

void MainGame::resumeOrQuit()
{
    stopPlay(false);
    if (!pauseChoice) {
        stageEnded = true;
        main::Game::money = money;
        sceneManager->changeScene(STAGE_SELECT_SCENE);
        game->saveProgress();
    }
}

void MainGame::updateBullets(VMPtr<ArrayList> list)
{
    if (frozen)
        return;
    for (int32_t i = list->size() - 1; i >= 0; i--) {
        VMPtr<weapon::ClsBullet> bullet = vm_cast<weapon::ClsBullet>(list->get(i));
        bullet->update(int64_t(lastFrameTime), i);
    }
}

void MainGame::paintBullets(VMPtr<Graphics> g, VMPtr<ArrayList> list)
{
    for (int32_t i = list->size() - 1; i >= 0; i--) {
        VMPtr<weapon::ClsBullet> bullet = vm_cast<weapon::ClsBullet>(list->get(i));
        bullet->draw(g);
    }
}

void MainGame::paintLayer(VMPtr<Graphics> g)
{
    g->setColor(0xFFFFFF);
    paintBullets(g, playerBullets);
    paintBullets(g, enemyBullets);
    hud->paintBossBar(g);
}

void MainGame::setDifficulty(int32_t level)
{
    difficulty = level;
}

void MainGame::ignoreObject(VMPtr<java::lang::Object>) {}

// ---- Boss ----

VMPtr<boss::ClsBoss> MainGame::bossOf(int32_t s)
{
    switch (s) {
    case 0: return boss1;
    case 1: return boss2;
    case 2: return boss3;
    case 3: return boss4;
    case 4: return boss5;
    case 5: return boss6;
    case 6: return boss7;
    case 7: return boss8;
    default: return VMPtr<boss::ClsBoss>();
    }
}

void MainGame::startBoss()
{
    VMPtr<boss::ClsBoss> b = bossOf(stage);
    if (b != nullptr)
        b->start();
}

int32_t MainGame::getBossHp()
{
    VMPtr<boss::ClsBoss> b = bossOf(stage);
    return b != nullptr ? b->getBossHp() : 0;
}

int32_t MainGame::getBossMaxHp()
{
    VMPtr<boss::ClsBoss> b = bossOf(stage);
    return b != nullptr ? b->getMaxHp() : 0;
}

int32_t MainGame::countActiveBossParts()
{
    VMPtr<boss::ClsBoss> b = bossOf(stage);
    return b != nullptr ? b->countActiveParts() : 0;
}

VMPtr<ClsPlane> MainGame::getBoss()
{
    return bossOf(stage);
}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::MainGame, "scene.mainGame.MainGame", "ui.Scene",
                  "..\\src\\scene_mainGame_MainGame", nullptr);
