#pragma once
// scene.menu.ShopMenu: the shop, scene 11. Sells levels (1 to 3) of the five
// weapons and the eight supports for the play's money, and starts the stage
// (scene 9) once the selected weapon and support are owned, or goes back to
// the stage selection (10). It is a play scene with its play logic off: the
// player's ship flies in the panel's preview window with the selected
// weapon and support, never destroyed, with a still enemy to aim at for the
// weapons and the support that need one.
//
// States: browsing (three rows: weapons, supports, start), the buy
// question, the must-buy prompt (a start with something not owned), and
// the notice that a purchase cannot be made. Keys act on release, touches
// on the release inside a box; a press only shows the pressed look.
//
// A purchase changes the levels and the saved money at once; the progress
// record is written as the shop is left, before the scene changes, so the
// record on disk is always the one the shop was entered with or the one it
// left. After the change the shop acts no more.

#include <cstdint>

#include "generated/Texts.h"
#include "scene/mainGame/MainGame.h"
#include "scene/menu/ClsUiBuyConfirm.h"
#include "scene/menu/ClsUiShopMenu.h"
#include "ui/Addon.h"

namespace scene::menu {

class ShopMenu : public mainGame::MainGame {
    VM_CLASS(ShopMenu, mainGame::MainGame)

    // state values.
    static constexpr int32_t BROWSING = 0;
    static constexpr int32_t BUY_QUESTION = 1;
    static constexpr int32_t MUST_BUY = 2;
    static constexpr int32_t NOTICE = 3;
    // Logical keys of the scene manager.
    static constexpr int32_t KEY_BACK = 12;
    static constexpr int32_t KEY_ACTION = 13;
    // Texts.
    static constexpr int32_t TEXT_BUY_QUESTION = generated::Texts::TXT_ARE_YOU_SURE;
    static constexpr int32_t TEXT_LEVEL = generated::Texts::TXT_LEVEL;
    static constexpr int32_t TEXT_TITLE = generated::Texts::TXT_SHOP;
    static constexpr int32_t TEXT_BUY_WEAPON = generated::Texts::TXT_BUY_WEAPON_FIRST;
    static constexpr int32_t TEXT_BUY_SUPPORT = generated::Texts::TXT_BUY_SUPPORT_FIRST;
    static constexpr int32_t TEXT_CANNOT_BUY = generated::Texts::TXT_NOT_ENOUGH_MONEY;
    // Draw orders.
    static constexpr int32_t ORDER_PREVIEW_SHIP = 4;
    static constexpr int32_t ORDER_PANEL = 53;
    static constexpr int32_t ORDER_DIALOG = 54;
    static constexpr int32_t PANEL_ITEMS = 20;
    static constexpr int32_t DIALOG_ITEMS = 5;
    static constexpr int32_t SHOP_LABELS = 6;
    static constexpr int32_t DIALOG_LABELS = 2;
    // The preview ship keeps these hit points every frame.
    static constexpr int32_t PREVIEW_HP = 100;
    // Damage that takes a left-over target away.
    static constexpr int32_t TARGET_REMOVAL = 10000;
    // The weapons and the support that get a target in the preview.
    static constexpr int32_t HOMING_WEAPON = 2;
    static constexpr int32_t BOMB_WEAPON = 4;
    static constexpr int32_t PICKUP_SUPPORT = 7;

    // The play scene's initialiser, then browsing with play logic off.
    VMPtr<ShopMenu> init();

    // Entry step 0: the preview's planes, the panels and the label sets.
    void load() override;
    // Entry step 1: the preview ship, the panels' items, the preloads.
    void load2() override;
    // Entry step 2: the shop labels and the dialog's labels.
    void initTexts() override;
    // The objects, the preview, the input, then the bullets.
    void update() override;
    // Both bullet lists.
    void paintLayer(VMPtr<Graphics> g) override;

    // The labels, the markers, the cursor and the action key for the
    // selected kind of the active group; the start row keeps its look.
    virtual void refreshTexts();
    virtual void openBuyConfirmation();
    // Each prompt makes its group the active one.
    virtual void openWeaponPrompt();
    virtual void openSupportPrompt();
    // Over the open dialog: the notice and OK.
    virtual void openNotice();
    virtual void closeDialog();
    virtual void handleKeys();
    virtual void handlePointer();
    // On a touch's release the keys and arrows look normal again.
    virtual void resetPressedLooks();

    int32_t titleLabel = 0;
    int32_t moneyLabelIndex = 0;
    int32_t levelLabel = 0;
    int32_t nextLevelLabel = 0;
    int32_t priceLabel = 0;
    bool startRowSelected = false;
    bool previewTarget = false;
    int32_t shownPrice = 0;
    int32_t shownLevel = 0;
    VMField<ui::Addon> confirmLabels;
    bool buyEnabled = false;
    VMField<ui::Addon> shopLabels;
    VMField<ClsUiShopMenu> shopPanel;
    int32_t state = BROWSING;
    bool weaponRow = true;
    VMField<ClsUiBuyConfirm> buyConfirm;

private:
    // Level of the selected kind of the active group.
    int32_t selectedLevel();
    // Buys the next level of the selected kind of the active group; false
    // (nothing changed) at level 3 or without the money.
    bool purchase();
    // Key 18 or the Yes button released in the buy question or the prompt.
    void answerDialog();
    // Key 13 or the action key released while browsing.
    void act();
    // The stage, or the must-buy prompt for what is not owned.
    void start();
    // Saves the progress and changes to scene id.
    void leave(int32_t id);
    // By step (-1 or 1) within the active group, wrapping.
    void changeSelection(int32_t step);
    void rowUp();
    void rowDown();
    // The focus on the weapon (true) or support row.
    void focusRow(bool weapons);
    void focusStartRow();
    // The question or prompt with text id in state s, No chosen.
    void openDialog(int32_t s, int32_t textId);

public:
    VM_FIELDS(confirmLabels, shopLabels, shopPanel, buyConfirm)
};

} // namespace scene::menu
