#include "scene/mainMenu/MainMenu.h"

#include <cstdlib>

#include "generated/RP.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "scene/mainGame/boss/ClsBoss_1.h"
#include "ui/Pointer.h"

namespace scene::mainMenu {

using mainGame::ClsEnemyControl;
using mainGame::ClsPlayer;

namespace {

// The demo's waves, looped: rows of (wave, count, kind, spawn point,
// destination point).
constexpr int32_t kDemoWaves[][5] = {
    {0, 4, 0, 0, 2},
    {1, 4, 0, 1, 3},
    {2, 4, 0, 0, 2},
    {3, 4, 0, 1, 3},
};
// The item names, by item.
constexpr int32_t kItemTexts[MainMenu::ITEMS] = {29, 24, 25, 27};
constexpr int32_t kBackdropGobs = generated::RP::BACKDROP;
constexpr int32_t kBackdropAnimations = generated::RP::BACKDROP_ANIMS;
constexpr int32_t kDemoStages = 7;
constexpr int32_t kPanelItems = 7;
constexpr int32_t kConfirmItems = 4;
constexpr int32_t kMenuLabels = 5;
constexpr int32_t kConfirmLabels = 2;
constexpr int32_t kLabelFont = 1;
constexpr int32_t kTitleFont = 0;
constexpr int32_t kDemoX = 120;
constexpr int32_t kDemoY = 213;
constexpr int32_t kDemoHp = 100;

} // namespace

VMPtr<MainMenu> MainMenu::init()
{
    MainGame::init();
    demoTarget = IntArray::newArray(2);
    selectedItem = 0;
    confirmOpen = false;
    stage = std::abs(main::Main::nextRandomAbs() % kDemoStages);
    playActive = false;
    drawTarget();
    enemyControl = ClsEnemyControl::newInstance()->init(waveTable(kDemoWaves), true);
    return VMPtr<MainMenu>(this);
}

// ---- Entry ----

void MainMenu::load()
{
    addPlanes(ORDER_MENU_ENEMIES, ORDER_MENU_PLAYER);
    addExplosions();

    VMPtr<mainGame::boss::ClsBoss> b =
        mainGame::boss::ClsBoss_1::newInstance()->init(enemyFactory, difficulty);
    boss1 = b;
    b->setDrawOrder(ORDER_MENU_BOSS);
    addObject(b);

    VMPtr<ui::Screen> back = ui::Screen::newInstance()->initItems();
    back->setBackgroundColor(0);
    back->setBackgroundEnabled(true);
    back->allocItems(1);
    back->setDrawOrder(ORDER_BACKDROP);
    backdrop = back;
    addObject(back);

    VMPtr<mainGame::theme::ClsBgItem> theme = mainGame::theme::ClsBgItem::newInstance()->init();
    themeItem = theme;
    theme->setBackgroundEnabled(false);
    theme->setDrawOrder(ORDER_THEME);
    addObject(theme);

    VMPtr<ClsUiMainMenu> menu = ClsUiMainMenu::newInstance()->init();
    menu->setDrawOrder(ORDER_PANEL);
    menu->allocItems(kPanelItems);
    panel = menu;
    addObject(menu);

    VMPtr<ClsUiConfirm> confirm = ClsUiConfirm::newInstance()->init();
    confirm->setDrawOrder(ORDER_CONFIRM);
    confirm->setBackgroundColor(0);
    confirm->setBackgroundEnabled(true);
    confirm->allocItems(kConfirmItems);
    confirm->setActive(false);
    confirmPanel = confirm;
    addObject(confirm);
}

void MainMenu::load2()
{
    backdrop->addItem(kBackdropGobs, kBackdropAnimations, 0, 120, 160);

    VMPtr<ClsPlayer> ship = player;
    addShip(kDemoX, kDemoY);
    ship->setState(ClsPlayer::STATE_DEMO);
    ship->refreshWeapon();
    ship->setPosition(0, kDemoX, kDemoY);

    preloadFlightPictures();
    themeItem->setupItems();
    panel->build();
    confirmPanel->build();

    ClsPlayer::weaponKind = 0;
    ClsPlayer::supportKind = 0;
    // The demo plane's levels stand in for the saved ones while the menu runs.
    savedLevelA = (*main::Game::itemLevelsA)[0];
    savedLevelB = (*main::Game::itemLevelsB)[0];
    (*main::Game::itemLevelsA)[0] = DEMO_WEAPON_LEVEL;
    (*main::Game::itemLevelsB)[0] = DEMO_SUPPORT_LEVEL;
    ship->refreshWeapon();
    ship->refreshSupport();
}

void MainMenu::initTexts()
{
    VMPtr<ui::Addon> label = ui::Addon::newInstance()->init();
    label->setDrawOrder(ORDER_MENU_LABEL);
    label->setLabelCapacity(kMenuLabels);
    VMPtr<IntArray> box = panel->getSelectBox(ClsUiMainMenu::LABEL_BOX);
    label->addLabel(kItemTexts[0], (*box)[0], (*box)[1], (*box)[2], (*box)[3]);
    label->setLabelFont(0, kLabelFont);
    menuLabel = label;
    addObject(label);

    label = ui::Addon::newInstance()->init();
    label->setDrawOrder(ORDER_CONFIRM_LABELS);
    label->setLabelCapacity(kConfirmLabels);
    box = confirmPanel->getTitleBox();
    label->addLabel(TEXT_QUIT_TITLE, (*box)[0], (*box)[1], (*box)[2], (*box)[3]);
    label->setLabelFont(0, kTitleFont);
    box = confirmPanel->getQuestionBox();
    label->addLabel(TEXT_QUIT_QUESTION, (*box)[0], (*box)[1], (*box)[2], (*box)[3]);
    label->setLabelFont(1, kLabelFont);
    label->setActive(false);
    confirmLabels = label;
    addObject(label);
}

void MainMenu::updateLabel()
{
    menuLabel->setLabelText(0, texts->getString(kItemTexts[selectedItem]));
}

// ---- Frame ----

void MainMenu::update()
{
    // Leaving releases the scene during this update.
    VMPtr<MainMenu> self(this);
    MainGame::update();
    // The demo and the panels exist once the scene has entered.
    if (entering || left)
        return;
    if (!confirmOpen)
        flyDemo();
    handleKeys();
    handlePointer();
}

void MainMenu::flyDemo()
{
    VMPtr<ClsPlayer> ship = player;
    ship->setHp(0, kDemoHp);
    enemyControl->update();
    ship->setLives(ClsPlayer::START_LIVES);
    if (!ship->steerTo(0, (*demoTarget)[0], (*demoTarget)[1]))
        drawTarget();
    updateBullets(playerBullets);
    updateBullets(enemyBullets);
}

void MainMenu::drawTarget()
{
    (*demoTarget)[0] = main::Main::nextRandomAbs() % TARGET_WIDTH;
    (*demoTarget)[1] = std::abs(main::Main::nextRandomAbs() % TARGET_HEIGHT) + TARGET_TOP;
}

void MainMenu::handleKeys()
{
    if (left)
        return;
    VMPtr<SceneManager> keys(sceneManager);
    if (confirmOpen) {
        if (keys->wasKeyPressed(KEY_NO))
            confirmPanel->pressNo();
        else if (keys->wasKeyPressed(KEY_YES))
            confirmPanel->pressYes();

        if (keys->wasKeyReleased(KEY_NO)) {
            confirmPanel->resetButtons();
            showConfirm(false);
        } else if (keys->wasKeyReleased(KEY_YES)) {
            confirmPanel->resetButtons();
            requestExit();
        }
        return;
    }

    if (keys->wasKeyPressed(KEY_UP))
        panel->pressUp();
    else if (keys->wasKeyPressed(KEY_DOWN))
        panel->pressDown();
    else if (keys->wasKeyPressed(KEY_SELECT))
        panel->pressSelect();

    if (keys->wasKeyReleased(KEY_UP)) {
        moveSelection(-1);
    } else if (keys->wasKeyReleased(KEY_DOWN)) {
        moveSelection(1);
    } else if (keys->wasKeyReleased(KEY_SELECT)) {
        activate();
    }
}

void MainMenu::handlePointer()
{
    if (left)
        return;
    VMPtr<ui::Pointer> pointer = SceneManager::pointer;
    bool down = (*ui::Pointer::pressed)[0];
    bool up = (*ui::Pointer::released)[0];
    if (confirmOpen) {
        VMPtr<IntArray> no = confirmPanel->getNoBox();
        VMPtr<IntArray> yes = confirmPanel->getYesBox();
        if (down) {
            if (pointer->isInside(no, 0))
                confirmPanel->pressNo();
            else if (pointer->isInside(yes, 0))
                confirmPanel->pressYes();
        }
        if (up) {
            if (pointer->isInside(no, 0)) {
                confirmPanel->resetButtons();
                showConfirm(false);
            } else if (pointer->isInside(yes, 0)) {
                confirmPanel->resetButtons();
                requestExit();
            }
        }
        return;
    }

    VMPtr<IntArray> upBox = panel->getUpBox();
    VMPtr<IntArray> downBox = panel->getDownBox();
    VMPtr<IntArray> select = panel->getSelectBox(ClsUiMainMenu::TOUCH_BOX);
    if (down) {
        if (pointer->isInside(upBox, 0))
            panel->pressUp();
        else if (pointer->isInside(downBox, 0))
            panel->pressDown();
        else if (pointer->isInside(select, 0))
            panel->pressSelect();
    }
    if (up) {
        if (pointer->isInside(upBox, 0))
            moveSelection(-1);
        else if (pointer->isInside(downBox, 0))
            moveSelection(1);
        else if (pointer->isInside(select, 0))
            activate();
    }
}

void MainMenu::moveSelection(int32_t step)
{
    panel->resetArrows();
    selectedItem = (selectedItem + step + ITEMS) % ITEMS;
    updateLabel();
}

void MainMenu::activate()
{
    panel->releaseSelect();
    if (selectedItem == QUIT_ITEM) {
        showConfirm(true);
        return;
    }
    const int32_t scenes[] = {STAGE_SELECT_SCENE, SOUND_SCENE, ABOUT_SCENE};
    int32_t next = scenes[selectedItem];
    restoreLevels();
    // A refused change keeps the menu up and answering.
    leaveTo(next);
}

void MainMenu::showConfirm(bool open)
{
    confirmOpen = open;
    confirmPanel->setActive(open);
    confirmLabels->setActive(open);
}

void MainMenu::requestExit()
{
    restoreLevels();
    // Nothing acts after the exit is asked for.
    left = true;
    // The exit path may release this scene before it returns.
    VMPtr<tq::TqCanvas> target(canvas);
    target->requestActivityState(tq::TqCanvas::ACTIVITY_EXIT);
}

void MainMenu::restoreLevels()
{
    (*main::Game::itemLevelsA)[0] = savedLevelA;
    (*main::Game::itemLevelsB)[0] = savedLevelB;
}

// ---- Painting ----

void MainMenu::paintLayer(VMPtr<Graphics> g)
{
    paintBullets(g, playerBullets);
    paintBullets(g, enemyBullets);
}

void MainMenu::onPause() {}

} // namespace scene::mainMenu

VM_REGISTER_CLASS(scene::mainMenu::MainMenu, "scene.mainMenu.MainMenu", "scene.mainGame.MainGame",
                  "..\\src\\scene_mainMenu_MainMenu", nullptr);
