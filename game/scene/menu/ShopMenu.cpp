#include "scene/menu/ShopMenu.h"

#include "global/GameGlobals.h"
#include "java/lang/StringBuffer.h"
#include "main/Game.h"
#include "scene/SceneManager.h"
#include "scene/mainGame/boss/ClsBoss_3.h"
#include "ui/Pointer.h"
#include "vm/VMStringLiterals.h"

namespace scene::menu {

using java::lang::String;
using java::lang::StringBuffer;
using mainGame::ClsPlayer;

namespace {

using IntArray = VMArray<int32_t, 1>;
using IntTable = VMArray<int32_t, 2>;

constexpr int32_t kWeapons = main::Game::ITEMS_A;
constexpr int32_t kSupports = main::Game::ITEMS_B;
constexpr int32_t kMaxLevel = main::Game::MAX_ITEM_LEVEL;

// k moved by step within 0..n-1, wrapping at both ends.
int32_t wrap(int32_t k, int32_t step, int32_t n)
{
    k += step;
    return k < 0 ? n - 1 : k >= n ? 0 : k;
}

int32_t levelOf(const VMPtr<IntArray>& levels, int32_t kind)
{
    return (*levels)[kind];
}

// The text of id, a blank and the number.
VMPtr<String> textAndNumber(VMPtr<tq::util::text::Translation> texts, int32_t id, int32_t n)
{
    VMPtr<StringBuffer> text = StringBuffer::newInstance()->init();
    text->append(texts->getString(id));
    text->append(_VM_literal(" "));
    text->append(n);
    return text->toString();
}

bool inside(const VMPtr<IntArray>& box)
{
    return scene::SceneManager::pointer->isInside(box, 0);
}

} // namespace

VMPtr<ShopMenu> ShopMenu::init()
{
    MainGame::init();
    state = BROWSING;
    playActive = false;
    startRowSelected = false;
    previewTarget = false;
    weaponRow = true;
    return VMPtr<ShopMenu>(this);
}

// ---- Entry ----

void ShopMenu::load()
{
    buyEnabled = true;
    weaponRow = true;

    addPlanes(ORDER_ENEMIES, ORDER_PREVIEW_SHIP);
    addExplosions();

    VMPtr<mainGame::boss::ClsBoss> b =
        mainGame::boss::ClsBoss_3::newInstance()->init(enemyFactory, difficulty);
    b->setDrawOrder(ORDER_BOSS);
    boss3 = b;
    addObject(b);

    VMPtr<ClsUiShopMenu> panel = ClsUiShopMenu::newInstance()->init();
    panel->setDrawOrder(ORDER_PANEL);
    panel->allocItems(PANEL_ITEMS);
    shopPanel = panel;
    addObject(panel);

    VMPtr<ClsUiBuyConfirm> dialog = ClsUiBuyConfirm::newInstance()->init();
    dialog->setDrawOrder(ORDER_DIALOG);
    dialog->allocItems(DIALOG_ITEMS);
    buyConfirm = dialog;
    addObject(dialog);

    VMPtr<ui::Addon> labels = ui::Addon::newInstance()->init();
    labels->setDrawOrder(ORDER_PANEL);
    labels->setLabelCapacity(SHOP_LABELS);
    shopLabels = labels;
    addObject(labels);

    labels = ui::Addon::newInstance()->init();
    labels->setDrawOrder(ORDER_DIALOG);
    labels->setLabelCapacity(DIALOG_LABELS);
    confirmLabels = labels;
    addObject(labels);
}

void ShopMenu::load2()
{
    addShip(-100, -100);
    player->setState(ClsPlayer::STATE_DEMO);
    player->refreshWeapon();
    shopPanel->build();
    buyConfirm->build();
    player->setPosition(0, shopPanel->getPreviewX(), shopPanel->getPreviewY());
    preloadFlightPictures();
}

void ShopMenu::initTexts()
{
    // Each label takes the next index as it is added.
    VMPtr<IntArray> box = shopPanel->getTitleBox();
    titleLabel = shopLabels->labelCount;
    shopLabels->addLabel(texts->getString(TEXT_TITLE), (*box)[0], (*box)[1], (*box)[2], (*box)[3]);
    shopLabels->setLabelFont(titleLabel, 0);

    const struct {
        int32_t* index;
        VMPtr<IntArray> box;
    } points[] = {
        {&moneyLabelIndex, shopPanel->getMoneyBox()},
        {&levelLabel, shopPanel->getRowBox(ClsUiShopMenu::LEVEL_BOX)},
        {&nextLevelLabel, shopPanel->getRowBox(ClsUiShopMenu::NEXT_LEVEL_BOX)},
        {&priceLabel, shopPanel->getRowBox(ClsUiShopMenu::PRICE_BOX)},
    };
    for (const auto& p : points) {
        *p.index = shopLabels->labelCount;
        shopLabels->addLabel(_VM_literal(""), (*p.box)[0], (*p.box)[1]);
        shopLabels->setLabelFont(*p.index, 1);
    }
    refreshTexts();

    box = buyConfirm->getTextBox();
    confirmLabels->addLabel(TEXT_BUY_QUESTION, (*box)[0], (*box)[1], (*box)[2], (*box)[3]);
    confirmLabels->setLabelFont(0, 1);
    box = buyConfirm->getOkBox();
    confirmLabels->addLabel(_VM_literal(""), (*box)[0], (*box)[1], (*box)[2], (*box)[3]);
    confirmLabels->setLabelFont(1, 1);

    buyConfirm->setActive(false);
    confirmLabels->setActive(false);
}

// ---- Frame ----

void ShopMenu::update()
{
    MainGame::update();
    if (entering || left)
        return;

    if (previewTarget) {
        VMPtr<IntArray> box = shopPanel->getPreviewBox();
        enemyControl->keepTarget((*box)[0] + (*box)[2] / 2, (*box)[1] + (*box)[3] / 5);
    }
    player->setHp(0, PREVIEW_HP);
    previewTarget = ClsPlayer::weaponKind == HOMING_WEAPON || ClsPlayer::weaponKind == BOMB_WEAPON ||
                    ClsPlayer::supportKind == PICKUP_SUPPORT;
    if (!previewTarget && enemies->getAlive() > 0)
        enemies->damage(0, TARGET_REMOVAL);

    handleKeys();
    if (!left)
        handlePointer();
    // The scene has changed: its objects may be released already.
    if (left)
        return;
    resetPressedLooks();
    updateBullets(playerBullets);
    updateBullets(enemyBullets);
}

void ShopMenu::paintLayer(VMPtr<Graphics> g)
{
    paintBullets(g, playerBullets);
    paintBullets(g, enemyBullets);
}

void ShopMenu::resetPressedLooks()
{
    if (!(*ui::Pointer::released)[0])
        return;
    shopPanel->releaseBack();
    if (!startRowSelected) {
        shopPanel->resetLeftArrow();
        shopPanel->resetRightArrow();
    }
    if (buyEnabled)
        shopPanel->releaseAction();
}

// ---- Input ----

void ShopMenu::handleKeys()
{
    VMPtr<SceneManager> keys(sceneManager);
    switch (state) {
    case BROWSING:
        // Presses only show; the first matching key takes each group.
        if (keys->wasKeyPressed(KEY_UP)) {
            rowUp();
        } else if (keys->wasKeyPressed(KEY_DOWN)) {
            rowDown();
        } else if (keys->wasKeyPressed(KEY_LEFT)) {
            if (!startRowSelected)
                shopPanel->pressLeft();
        } else if (keys->wasKeyPressed(KEY_RIGHT)) {
            if (!startRowSelected)
                shopPanel->pressRight();
        } else if (keys->wasKeyPressed(KEY_SELECT) && buyEnabled) {
        } else if (keys->wasKeyPressed(KEY_BACK)) {
            shopPanel->pressBack();
        } else if (keys->wasKeyPressed(KEY_ACTION)) {
            if (buyEnabled)
                shopPanel->pressAction();
        }

        if (keys->wasKeyReleased(KEY_LEFT)) {
            changeSelection(-1);
        } else if (keys->wasKeyReleased(KEY_RIGHT)) {
            changeSelection(1);
        } else if (keys->wasKeyReleased(KEY_SELECT) && buyEnabled) {
        } else if (keys->wasKeyReleased(KEY_BACK)) {
            shopPanel->releaseBack();
            leave(SceneManager::STAGE_SELECT);
        } else if (keys->wasKeyReleased(KEY_ACTION)) {
            act();
        }
        break;
    case BUY_QUESTION:
    case MUST_BUY:
        if (keys->wasKeyPressed(KEY_LEFT))
            buyConfirm->setChoice(true);
        else if (keys->wasKeyPressed(KEY_RIGHT))
            buyConfirm->setChoice(false);
        else if (keys->wasKeyReleased(KEY_SELECT))
            answerDialog();
        break;
    case NOTICE:
        if (keys->wasKeyPressed(KEY_SELECT))
            buyConfirm->pressOk();
        if (keys->wasKeyReleased(KEY_SELECT)) {
            buyConfirm->showOk();
            closeDialog();
        }
        break;
    default:
        break;
    }
}

void ShopMenu::handlePointer()
{
    bool pressed = (*ui::Pointer::pressed)[0];
    bool released = !pressed && (*ui::Pointer::released)[0];
    if (!pressed && !released)
        return;
    switch (state) {
    case BROWSING:
        if (pressed) {
            if (inside(shopPanel->getRowBox(ClsUiShopMenu::WEAPON_ROW_BOX))) {
                focusRow(true);
            } else if (inside(shopPanel->getRowBox(ClsUiShopMenu::SUPPORT_ROW_BOX))) {
                focusRow(false);
            } else if (inside(shopPanel->getRowBox(ClsUiShopMenu::START_ROW_BOX))) {
                focusStartRow();
            } else if (inside(shopPanel->getLeftBox())) {
                if (!startRowSelected)
                    shopPanel->pressLeft();
            } else if (inside(shopPanel->getRightBox())) {
                if (!startRowSelected)
                    shopPanel->pressRight();
            } else if (inside(shopPanel->getBackBox())) {
                shopPanel->pressBack();
            } else if (inside(shopPanel->getActionBox())) {
                if (buyEnabled)
                    shopPanel->pressAction();
            }
        } else if (inside(shopPanel->getLeftBox())) {
            changeSelection(-1);
        } else if (inside(shopPanel->getRightBox())) {
            changeSelection(1);
        } else if (inside(shopPanel->getBackBox())) {
            shopPanel->releaseBack();
            leave(SceneManager::STAGE_SELECT);
        } else if (inside(shopPanel->getActionBox())) {
            act();
        }
        break;
    case BUY_QUESTION:
    case MUST_BUY:
        if (inside(buyConfirm->getYesBox())) {
            if (pressed)
                buyConfirm->setChoice(true);
            else
                answerDialog();
        } else if (inside(buyConfirm->getNoBox())) {
            if (pressed)
                buyConfirm->setChoice(false);
            else
                closeDialog();
        }
        break;
    case NOTICE:
        if (!inside(buyConfirm->getOkBox()))
            break;
        if (pressed) {
            buyConfirm->pressOk();
        } else {
            buyConfirm->showOk();
            closeDialog();
        }
        break;
    default:
        break;
    }
}

// ---- Rows and selection ----

void ShopMenu::changeSelection(int32_t step)
{
    if (startRowSelected)
        return;
    shopPanel->resetArrows();
    if (weaponRow)
        ClsPlayer::weaponKind = wrap(ClsPlayer::weaponKind, step, kWeapons);
    else
        ClsPlayer::supportKind = wrap(ClsPlayer::supportKind, step, kSupports);
    player->refreshWeapon();
    player->refreshSupport();
    refreshTexts();
}

void ShopMenu::rowUp()
{
    // From the start row back to the row it was entered from.
    focusRow(startRowSelected ? weaponRow : true);
}

void ShopMenu::rowDown()
{
    // The start row is the last row.
    if (startRowSelected)
        return;
    if (weaponRow)
        focusRow(false);
    else
        focusStartRow();
}

void ShopMenu::focusRow(bool weapons)
{
    weaponRow = weapons;
    startRowSelected = false;
    shopPanel->resetLeftArrow();
    shopPanel->resetRightArrow();
    shopPanel->showRow(weaponRow);
    refreshTexts();
}

void ShopMenu::focusStartRow()
{
    startRowSelected = true;
    shopPanel->hideArrows();
    shopPanel->showStartRow();
    refreshTexts();
}

void ShopMenu::refreshTexts()
{
    shopLabels->setLabelText(moneyLabelIndex, moneyText());
    int32_t level = selectedLevel();
    shownLevel = level;
    if (startRowSelected) {
        // The start row shows no level, price or markers; its key starts.
        for (int32_t label : {levelLabel, nextLevelLabel, priceLabel})
            shopLabels->setLabelText(label, _VM_literal(" "));
        buyEnabled = true;
        return;
    }

    if (level >= kMaxLevel) {
        shopLabels->setLabelText(levelLabel, textAndNumber(texts, TEXT_LEVEL, kMaxLevel));
        shopLabels->setLabelText(nextLevelLabel, _VM_literal("  "));
        shopLabels->setLabelText(priceLabel, _VM_literal(""));
        shopPanel->hideAction();
        buyEnabled = false;
    } else {
        global::GameGlobals::_VM_clinit();
        VMPtr<IntTable> prices =
            weaponRow ? global::GameGlobals::weaponPrices : global::GameGlobals::itemPrices;
        int32_t kind = weaponRow ? ClsPlayer::weaponKind : ClsPlayer::supportKind;
        shownPrice = (*prices->get(kind))[level];
        shopLabels->setLabelText(levelLabel, textAndNumber(texts, TEXT_LEVEL, level));
        shopLabels->setLabelText(nextLevelLabel, textAndNumber(texts, TEXT_LEVEL, level + 1));
        VMPtr<StringBuffer> price = StringBuffer::newInstance()->init();
        price->append(_VM_literal("$  "));
        price->append(shownPrice);
        shopLabels->setLabelText(priceLabel, price->toString());
        shopPanel->releaseAction();
        buyEnabled = true;
    }

    for (int32_t i = 0; i < ClsUiShopMenu::MARKER_COUNT; i++) {
        int32_t frame = ClsUiShopMenu::MARKER_EMPTY;
        if (!weaponRow || i < kWeapons) {
            VMPtr<IntArray> levels = weaponRow ? main::Game::itemLevelsA : main::Game::itemLevelsB;
            frame = levelOf(levels, i) >= 1 ? ClsUiShopMenu::MARKER_OWNED
                                            : ClsUiShopMenu::MARKER_NOT_OWNED;
        }
        shopPanel->setMarker(i, frame);
    }
    shopPanel->moveCursor(weaponRow ? ClsPlayer::weaponKind : ClsPlayer::supportKind);
    shopPanel->showCursor();
}

// ---- Purchases and leaving ----

int32_t ShopMenu::selectedLevel()
{
    return weaponRow ? levelOf(main::Game::itemLevelsA, ClsPlayer::weaponKind)
                     : levelOf(main::Game::itemLevelsB, ClsPlayer::supportKind);
}

bool ShopMenu::purchase()
{
    int32_t level = selectedLevel();
    if (level >= kMaxLevel)
        return false;
    global::GameGlobals::_VM_clinit();
    VMPtr<IntTable> prices =
        weaponRow ? global::GameGlobals::weaponPrices : global::GameGlobals::itemPrices;
    int32_t kind = weaponRow ? ClsPlayer::weaponKind : ClsPlayer::supportKind;
    int32_t price = (*prices->get(kind))[level];
    if (money < price)
        return false;
    money -= price;
    VMPtr<IntArray> levels = weaponRow ? main::Game::itemLevelsA : main::Game::itemLevelsB;
    (*levels)[kind] = level + 1;
    main::Game::money = money;
    return true;
}

void ShopMenu::act()
{
    if (!buyEnabled)
        return;
    shopPanel->releaseAction();
    if (startRowSelected)
        start();
    else
        openBuyConfirmation();
}

void ShopMenu::answerDialog()
{
    if (!buyConfirm->isYes()) {
        closeDialog();
        return;
    }
    bool bought = purchase();
    if (!bought)
        openNotice();
    else if (state == BUY_QUESTION)
        closeDialog();
    else if (weaponRow && levelOf(main::Game::itemLevelsB, ClsPlayer::supportKind) <= 0)
        openSupportPrompt();
    else
        start();
    if (left)
        return;
    player->refreshWeapon();
    player->refreshSupport();
    refreshTexts();
}

void ShopMenu::start()
{
    bool weaponOwned = levelOf(main::Game::itemLevelsA, ClsPlayer::weaponKind) > 0;
    bool supportOwned = levelOf(main::Game::itemLevelsB, ClsPlayer::supportKind) > 0;
    if (weaponOwned && supportOwned) {
        main::Game::selectedItemB = ClsPlayer::supportKind;
        main::Game::selectedItemA = ClsPlayer::weaponKind;
        leave(SceneManager::MAIN_GAME);
    } else if (!weaponOwned) {
        openWeaponPrompt();
    } else {
        openSupportPrompt();
    }
}

void ShopMenu::leave(int32_t id)
{
    // Saved first: a failure while the next scene is made keeps the
    // purchases.
    game->saveProgress();
    // A refused change keeps the shop up and usable.
    leaveTo(id);
}

// ---- Dialogs ----

void ShopMenu::openDialog(int32_t s, int32_t textId)
{
    state = s;
    confirmLabels->setLabelText(0, texts->getString(textId));
    confirmLabels->setLabelText(1, _VM_literal(""));
    // A prompt that follows another opens with No chosen too.
    buyConfirm->setChoice(false);
    buyConfirm->setActive(true);
    confirmLabels->setActive(true);
    buyConfirm->hideOk();
}

void ShopMenu::openBuyConfirmation()
{
    openDialog(BUY_QUESTION, TEXT_BUY_QUESTION);
}

void ShopMenu::openWeaponPrompt()
{
    openDialog(MUST_BUY, TEXT_BUY_WEAPON);
    weaponRow = true;
}

void ShopMenu::openSupportPrompt()
{
    openDialog(MUST_BUY, TEXT_BUY_SUPPORT);
    weaponRow = false;
}

void ShopMenu::openNotice()
{
    state = NOTICE;
    confirmLabels->setLabelText(0, texts->getString(TEXT_CANNOT_BUY));
    confirmLabels->setLabelText(1, _VM_literal("OK"));
    buyConfirm->hideYesNo();
    buyConfirm->showOk();
}

void ShopMenu::closeDialog()
{
    state = BROWSING;
    buyConfirm->setChoice(false);
    buyConfirm->setActive(false);
    confirmLabels->setActive(false);
}

} // namespace scene::menu

VM_REGISTER_CLASS(scene::menu::ShopMenu, "scene.menu.ShopMenu", "scene.mainGame.MainGame",
                  "..\\src\\scene_menu_ShopMenu", nullptr);
