#pragma once
// scene.mainMenu.MainMenu: the main menu (scene 1). A play scene with its
// play logic off that flies a demo behind a four-item menu: the player's
// plane steers between random points, invulnerable, while a four-wave table
// loops. Items: 0 stage selection (10), 1 sound (2), 2 about (4), 3 the
// quit question, whose Yes asks the canvas to exit. Keys and touches inside
// the buttons' boxes show the pressed look on press and act on release;
// only the first leave of a frame acts. The demo plane flies with weapon and
// support levels of its own; element 0 of both level arrays is put back
// before the menu is left.

#include <cstdint>

#include "generated/Texts.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainMenu/ClsUiConfirm.h"
#include "scene/mainMenu/ClsUiMainMenu.h"
#include "ui/Addon.h"
#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace scene::mainMenu {

class MainMenu : public mainGame::MainGame {
    VM_CLASS(MainMenu, mainGame::MainGame)

    static constexpr int32_t ITEMS = 4;
    static constexpr int32_t QUIT_ITEM = 3;
    // Scenes of items 0 to 2.
    static constexpr int32_t STAGE_SELECT_SCENE = 10;
    static constexpr int32_t SOUND_SCENE = 2;
    static constexpr int32_t ABOUT_SCENE = 4;
    // Logical keys of the scene manager.
    static constexpr int32_t KEY_NO = 12;
    static constexpr int32_t KEY_YES = 13;
    // Texts: the items' names, the quit question's title and question.
    static constexpr int32_t TEXT_QUIT_TITLE = generated::Texts::TXT_QUIT;
    static constexpr int32_t TEXT_QUIT_QUESTION = generated::Texts::TXT_ARE_YOU_SURE;
    // Draw orders.
    static constexpr int32_t ORDER_BACKDROP = 1;
    static constexpr int32_t ORDER_MENU_BOSS = 2;
    static constexpr int32_t ORDER_MENU_ENEMIES = 3;
    static constexpr int32_t ORDER_MENU_PLAYER = 4;
    static constexpr int32_t ORDER_PANEL = 52;
    static constexpr int32_t ORDER_MENU_LABEL = 53;
    static constexpr int32_t ORDER_CONFIRM = 54;
    static constexpr int32_t ORDER_CONFIRM_LABELS = 55;
    // The demo plane's upgrade levels of item 0 of each group.
    static constexpr int32_t DEMO_WEAPON_LEVEL = 2;
    static constexpr int32_t DEMO_SUPPORT_LEVEL = 1;
    // Where the demo plane flies: x in 0..239, y in 80..239.
    static constexpr int32_t TARGET_WIDTH = 240;
    static constexpr int32_t TARGET_HEIGHT = 160;
    static constexpr int32_t TARGET_TOP = 80;

    // The play scene's constructor body, then a random demo stage, play
    // logic off, the first demo target and the looping demo spawner.
    VMPtr<MainMenu> init();

    // The demo field and the panels.
    void load() override;
    // The panels' items, the demo plane and its levels, preloads.
    void load2() override;
    // The menu label and the quit question's labels.
    void initTexts() override;
    // The scene's update, then (unless the question is open) the demo,
    // then keys and touches.
    void update() override;
    // The two bullet lists.
    void paintLayer(VMPtr<Graphics> g) override;
    // No pause in the menu.
    void onPause() override;

    // The menu label shows the selected item's name.
    virtual void updateLabel();
    virtual void handleKeys();
    virtual void handlePointer();

    int32_t savedLevelA = 0;
    VMField<ui::Addon> menuLabel;
    VMField<ClsUiMainMenu> panel;
    VMField<ui::Addon> confirmLabels;
    int32_t selectedItem = 0;
    VMField<ClsUiConfirm> confirmPanel;
    bool confirmOpen = false;
    int32_t savedLevelB = 0;
    VMField<ui::Screen> backdrop;
    VMField<IntArray> demoTarget;

private:
    // One frame of the demo flight.
    void flyDemo();
    // A new demo target.
    void drawTarget();
    // The selection moved by step, wrapping over the four items.
    void moveSelection(int32_t step);
    // The selected item's action.
    void activate();
    void showConfirm(bool open);
    // Yes on the quit question.
    void requestExit();
    // Element 0 of both level arrays back to what the menu found.
    void restoreLevels();

public:
    VM_FIELDS(menuLabel, panel, confirmLabels, confirmPanel, backdrop, demoTarget)
};

} // namespace scene::mainMenu
