#pragma once
// scene.mainGame.MainGame: the play scene (scene 9). One instance plays one
// stage: star field, theme pictures, waves, the player, the boss, HUD and
// pause panel. Its statics are the shared state of the whole play, which
// every play object reads directly. The main menu and the shop extend it
// and switch its play logic off (playActive).
//
// Entry: load creates the stage's objects, load2 loads the resources and
// builds the panels, initTexts the money and pause labels. The bullets and
// the boss bar are the scene's own layer at draw order 40.

#include <cstdint>
#include <span>

#include "generated/Texts.h"
#include "main/Game.h"
#include "scene/mainGame/ClsBgSpace.h"
#include "scene/mainGame/ClsEnemy.h"
#include "scene/mainGame/ClsEnemyControl.h"
#include "scene/mainGame/ClsPlayer.h"
#include "scene/mainGame/ClsUiIngame.h"
#include "scene/mainGame/ClsUiPause.h"
#include "scene/mainGame/boss/ClsBoss.h"
#include "scene/mainGame/theme/ClsBgItem.h"
#include "scene/mainGame/weapon/ClsBcreator.h"
#include "scene/mainGame/weapon/ClsBullet.h"
#include "scene/mainGame/weapon/ClsExplo.h"
#include "tq/util/ArrayList.h"
#include "ui/Addon.h"
#include "ui/Scene.h"
#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace scene::mainGame {

class MainGame : public ui::Scene {
    VM_CLASS(MainGame, ui::Scene)

    using IntTable = VMArray<int32_t, 2>;
    using IntTables = VMArray<int32_t, 3>;
    using ArrayList = tq::util::ArrayList;

    static constexpr int32_t STAGES = 8;
    static constexpr int32_t MIN_LEVEL = 1;
    static constexpr int32_t MAX_LEVEL = 4;
    static constexpr int32_t STAGE_SELECT_SCENE = 10;
    // The ship's y below which the stage is cleared.
    static constexpr int32_t CLEARED_Y = -80;
    static constexpr int32_t PLAYER_FACTORY_SHOTS = 10;
    static constexpr int32_t ENEMY_FACTORY_SHOTS = 30;
    // Items of the player's plane.
    static constexpr int32_t PLAYER_ITEMS = 9;
    // Logical keys.
    static constexpr int32_t KEY_PAUSE = 13;
    static constexpr int32_t KEY_UP = 14;
    static constexpr int32_t KEY_LEFT = 15;
    static constexpr int32_t KEY_RIGHT = 16;
    static constexpr int32_t KEY_DOWN = 17;
    static constexpr int32_t KEY_SELECT = 18;
    // Draw orders.
    static constexpr int32_t ORDER_SPACE = 0;
    static constexpr int32_t ORDER_THEME = 1;
    static constexpr int32_t ORDER_ENEMIES = 2;
    static constexpr int32_t ORDER_BOSS = 2;
    static constexpr int32_t ORDER_EXPLOSIONS = 4;
    static constexpr int32_t ORDER_PLAYER = 51;
    static constexpr int32_t ORDER_HUD = 52;
    static constexpr int32_t ORDER_PAUSE = 53;
    static constexpr int32_t ORDER_LABELS = 54;
    // Translation texts of the pause panel.
    static constexpr int32_t TEXT_PAUSE_TITLE = generated::Texts::TXT_PAUSED;
    static constexpr int32_t TEXT_CONTINUE = generated::Texts::TXT_CONTINUE;
    static constexpr int32_t TEXT_QUIT = generated::Texts::TXT_QUIT_STAGE;

    // The constructor body: wave tables, save data, flags, stage, level and
    // money (brought into range), spawner, star field, bullet lists and
    // factories.
    VMPtr<MainGame> init();

    void load2() override;
    void update() override;
    void load() override;
    // Bullets and the boss bar.
    void paintLayer(VMPtr<Graphics> g) override;
    // Opens the pause panel while the player is playing.
    void onPause() override;
    void initTexts() override;

    // Keys and touches while paused.
    virtual void handlePauseInput();
    // Moves every bullet of the list, last first, unless frozen.
    virtual void updateBullets(VMPtr<ArrayList> list);
    virtual void setDifficulty(int32_t level);
    virtual void paintBullets(VMPtr<Graphics> g, VMPtr<ArrayList> list);
    // Does nothing.
    virtual void ignoreObject(VMPtr<java::lang::Object> o);

    // The enemy manager (at enemyOrder) and the player's plane (at
    // playerOrder), kept in their statics and added to the scene.
    void addPlanes(int32_t enemyOrder, int32_t playerOrder);
    // The explosion pool, set up, kept in its static and added to the scene.
    void addExplosions();
    // The player's ship item at (x, y) and its element 0 at the respawn point
    // below the screen.
    void addShip(int32_t x, int32_t y);
    // Loads ahead the shots, pick-ups and explosions that a preview or a
    // demo flight shows.
    static void preloadFlightPictures();
    // Closes the pause panel and quits the stage when pauseChoice is 0.
    void resumeOrQuit();
    // Touches while playing: the pause button and steering.
    void handlePointer();

    // The boss of the current stage: its entry, hit points, parts, itself;
    // 0 (or null) without one.
    static void startBoss();
    static int32_t getBossHp();
    static int32_t getBossMaxHp();
    static int32_t countActiveBossParts();
    static VMPtr<ClsPlane> getBoss();

    static inline int32_t money = 0;
    static inline bool bossDefeated = false;
    static inline bool bossStarted = false;
    static inline bool playActive = false;
    static inline int32_t playerX = 0;
    static inline int32_t playerY = 0;
    static inline int32_t difficulty = 0;
    // The stage being flown; the initialiser copies the stage selection's choice.
    static inline int32_t stage = 0;
    VM_STATIC(ArrayList, playerBullets);
    VM_STATIC(ArrayList, enemyBullets);
    VM_STATIC(ClsPlayer, player);
    VM_STATIC(ClsEnemy, enemies);
    VM_STATIC(weapon::ClsExplo, explosions);
    VM_STATIC(boss::ClsBoss, boss1);
    VM_STATIC(boss::ClsBoss, boss2);
    VM_STATIC(boss::ClsBoss, boss3);
    VM_STATIC(boss::ClsBoss, boss4);
    VM_STATIC(boss::ClsBoss, boss5);
    VM_STATIC(boss::ClsBoss, boss6);
    VM_STATIC(boss::ClsBoss, boss7);
    VM_STATIC(boss::ClsBoss, boss8);

    VMField<theme::ClsBgItem> themeItem;
    VMField<ClsEnemyControl> enemyControl;
    VMField<ClsBgSpace> space;
    VMField<weapon::ClsBcreator> playerFactory;
    VMField<weapon::ClsBcreator> enemyFactory;
    bool frozen = false;
    VMField<ui::Screen> panelA;
    VMField<ui::Screen> panelB;
    VMField<ClsUiIngame> hud;
    VMField<ui::Addon> pauseLabels;
    VMField<ui::Addon> moneyLabel;
    int32_t pointerX = 0;
    bool bannerShown = false;
    int32_t pointerY = 0;
    VMField<ClsUiPause> pausePanel;
    VMField<main::Game> game;
    bool pauseChoice = true;
    VMField<IntTables> waveTables;
    bool paused = false;
    // Set once the stage's end has been saved (cleared, game over or quit):
    // the record is written once even while the scene is still updated.
    bool stageEnded = false;

    // The boss static of stage s; null outside 0..7.
    static VMPtr<boss::ClsBoss> bossOf(int32_t s);
    // "$ " and the money.
    static VMPtr<java::lang::String> moneyText();

protected:
    // A wave table of rows (wave, count, kind, spawn point, destination point).
    static VMPtr<IntTable> waveTable(std::span<const int32_t[5]> rows);

private:
    // Stops (or starts) every play object of the stage.
    void stopPlay(bool stop);

public:
    VM_FIELDS(themeItem, enemyControl, space, playerFactory, enemyFactory, panelA, panelB, hud,
              pauseLabels, moneyLabel, pausePanel, game, waveTables)
};

} // namespace scene::mainGame
