#include "scene/menu/StageSelectMenu.h"

#include <algorithm>

#include "java/lang/System.h"
#include "main/Game.h"
#include "scene/SceneManager.h"
#include "scene/mainGame/MainGame.h"
#include "ui/Pointer.h"
#include "ui/ResManager.h"
#include "vm/VMStringLiterals.h"

namespace scene::menu {

using mainGame::MainGame;

VMPtr<StageSelectMenu> StageSelectMenu::init()
{
    Scene::init();
    main::Game::_VM_clinit();
    MainGame::money = main::Game::money;
    lastChangeTime = 0;
    left = false;
    return VMPtr<StageSelectMenu>(this);
}

// ---- Entry ----

void StageSelectMenu::load()
{
    VMPtr<ClsUiSelectMenu> p = ClsUiSelectMenu::newInstance()->init();
    p->setDrawOrder(PANEL_DRAW_ORDER);
    p->allocItems(PANEL_ITEMS);
    panel = p;
    addObject(p);

    VMPtr<ui::Addon> l = ui::Addon::newInstance()->init();
    l->setDrawOrder(LABEL_DRAW_ORDER);
    l->setLabelCapacity(LABELS);
    label = l;
    addObject(l);
}

void StageSelectMenu::load2()
{
    panel->setupItems();
    ui::ResManager::load(ClsUiSelectMenu::BACKING_GOBS, ClsUiSelectMenu::BACKING_ANIMATIONS);
    refresh();
}

void StageSelectMenu::initTexts()
{
    VMPtr<IntArray> box = panel->getPlayRect(PLAY_LABEL_BOX);
    label->addLabel(_VM_literal("Start"), (*box)[0], (*box)[1], (*box)[2],
                    (*box)[3]);
    label->setLabelFont(0, 1);

    box = panel->getMoneyRect();
    label->addLabel(MainGame::moneyText(), (*box)[0], (*box)[1]);
    label->setLabelFont(1, 1);

    box = panel->getTitleRect();
    label->addLabel(texts->getString(TITLE_TEXT), (*box)[0], (*box)[1], (*box)[2], (*box)[3]);
    label->setLabelFont(2, 0);
}

void StageSelectMenu::paintLayer(VMPtr<Graphics>) {}

// ---- Stages ----

void StageSelectMenu::refresh()
{
    // The saved level is 1..4 once loaded; kept to the mark's four frames.
    int32_t level = main::Game::MIN_DIFFICULTY;
    VMPtr<IntArray> levels(main::Game::stageDifficulty);
    if (levels != nullptr && selectedStage >= 0 && selectedStage < levels->length)
        level = (*levels)[selectedStage];
    level = std::clamp(level, main::Game::MIN_DIFFICULTY, main::Game::MAX_DIFFICULTY);
    panel->showProgress(level - 1);
    panel->showStage(selectedStage);
}

bool StageSelectMenu::canChangeStage()
{
    int64_t now = java::lang::System::currentTimeMillis();
    if (now - lastChangeTime <= CHANGE_GUARD_MS)
        return false;
    lastChangeTime = now;
    return true;
}

void StageSelectMenu::previousStage()
{
    panel->arrowsNormal();
    selectedStage -= 1;
    if (selectedStage < 0)
        selectedStage = STAGES - 1;
    refresh();
}

void StageSelectMenu::nextStage()
{
    panel->arrowsNormal();
    selectedStage += 1;
    if (selectedStage >= STAGES)
        selectedStage = 0;
    refresh();
}

// ---- Frame ----

void StageSelectMenu::update()
{
    // A change of scene releases this scene: it is held till the end.
    VMPtr<StageSelectMenu> self(this);
    Scene::update();
    // The panel's items exist once the scene has entered.
    if (!entering && !left)
        handleInput();
}

void StageSelectMenu::handleInput()
{
    VMPtr<SceneManager> manager(sceneManager);
    VMPtr<ClsUiSelectMenu> p(panel);
    bool touchReleased = (*ui::Pointer::released)[0];
    if (touchReleased) {
        p->arrowsNormal();
        p->playUp();
        p->backUp();
    }

    if (manager->wasKeyPressed(KEY_LEFT))
        p->leftDown();
    else if (manager->wasKeyPressed(KEY_RIGHT))
        p->rightDown();
    else if (manager->wasKeyPressed(KEY_PLAY))
        p->playDown();
    else if (manager->wasKeyPressed(KEY_BACK))
        p->backDown();

    // The guard is asked only for a release that would change the stage.
    if (manager->wasKeyReleased(KEY_LEFT) && canChangeStage()) {
        previousStage();
    } else if (manager->wasKeyReleased(KEY_RIGHT) && canChangeStage()) {
        nextStage();
    } else if (manager->wasKeyReleased(KEY_PLAY)) {
        p->playUp();
        leave(SHOP_SCENE);
        return;
    } else if (manager->wasKeyReleased(KEY_BACK)) {
        p->backUp();
        leave(MAIN_MENU_SCENE);
        return;
    }

    VMPtr<ui::Pointer> pointer(SceneManager::pointer);
    if ((*ui::Pointer::pressed)[0]) {
        if (pointer->isInside(p->getLeftArrowRect(), 0))
            p->leftDown();
        else if (pointer->isInside(p->getRightArrowRect(), 0))
            p->rightDown();
        else if (pointer->isInside(p->getPlayRect(ClsUiSelectMenu::TOUCH_BOX), 0))
            p->playDown();
        else if (pointer->isInside(p->getBackRect(), 0))
            p->backDown();
    }
    if (!touchReleased)
        return;
    if (pointer->isInside(p->getLeftArrowRect(), 0) && canChangeStage()) {
        previousStage();
    } else if (pointer->isInside(p->getRightArrowRect(), 0) && canChangeStage()) {
        nextStage();
    } else if (pointer->isInside(p->getPlayRect(ClsUiSelectMenu::TOUCH_BOX), 0)) {
        p->playUp();
        leave(SHOP_SCENE);
    } else if (pointer->isInside(p->getBackRect(), 0)) {
        p->backUp();
        leave(MAIN_MENU_SCENE);
    }
}

void StageSelectMenu::leave(int32_t id)
{
    VMPtr<SceneManager> manager(sceneManager);
    manager->changeScene(id);
    left = manager->currentId == id;
}

} // namespace scene::menu

VM_REGISTER_CLASS(scene::menu::StageSelectMenu, "scene.menu.StageSelectMenu", "ui.Scene",
                  "..\\src\\scene_menu_StageSelectMenu", nullptr);
