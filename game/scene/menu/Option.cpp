#include "scene/menu/Option.h"

#include "main/Main.h"
#include "scene/SceneManager.h"
#include "ui/Pointer.h"

namespace scene::menu {

VMPtr<Option> Option::init(int32_t id)
{
    Scene::init();
    selectedRow = UPPER_ROW;
    sceneId = id;
    return VMPtr<Option>(this);
}

void Option::load()
{
    panel = ClsUiOption::newInstance()->init();
    panel->setDrawOrder(PANEL_DRAW_ORDER);
    panel->allocItems(PANEL_ITEMS);
    addObject(panel);
}

void Option::load2()
{
    panel->setupItems();
}

void Option::initTexts()
{
    label = ui::Addon::newInstance()->init();
    label->setLabelCapacity(LABELS);
    label->setDrawOrder(LABELS_DRAW_ORDER);
    VMPtr<IntArray> r = panel->getText1Rect();
    label->addLabel(texts->getString(TEXT_ROW_TEXT), (*r)[0], (*r)[1], (*r)[2], (*r)[3]);
    label->setLabelFont(0, LABEL_FONT);
    r = panel->getText2Rect();
    label->addLabel(texts->getString(SOUND_ROW_TEXT), (*r)[0], (*r)[1], (*r)[2], (*r)[3]);
    label->setLabelFont(1, LABEL_FONT);
    addObject(label);
}

void Option::paintLayer(VMPtr<Graphics>) {}

void Option::update()
{
    Scene::update();
    // The panel exists once the scene has entered.
    if (!entering && !left)
        handleInput();
}

void Option::handleInput()
{
    if (sceneManager->wasKeyPressed(KEY_BACK))
        panel->backDown();
    else if (sceneManager->wasKeyPressed(SceneManager::KEY_UP))
        selectRow(UPPER_ROW);
    else if (sceneManager->wasKeyPressed(SceneManager::KEY_DOWN))
        selectRow(LOWER_ROW);
    else if (sceneManager->wasKeyPressed(SceneManager::KEY_FIRE))
        actOnRow(selectedRow);

    if (sceneManager->wasKeyReleased(KEY_BACK)) {
        panel->backUp();
        leave();
        // Nothing more once the scene is gone.
        if (left)
            return;
    }

    VMPtr<ui::Pointer> pointer = SceneManager::pointer;
    if ((*ui::Pointer::pressed)[0]) {
        if (pointer->isInside(panel->getBackRect(), 0))
            panel->backDown();
        else if (pointer->isInside(panel->getUpperRect(), 0))
            selectRow(UPPER_ROW);
        else if (pointer->isInside(panel->getLowerRect(), 0))
            selectRow(LOWER_ROW);
    }
    if ((*ui::Pointer::released)[0]) {
        panel->backUp();
        if (pointer->isInside(panel->getBackRect(), 0))
            leave();
        else if (pointer->isInside(panel->getUpperRect(), 0))
            actOnRow(UPPER_ROW);
        else if (pointer->isInside(panel->getLowerRect(), 0))
            actOnRow(LOWER_ROW);
    }
}

void Option::selectRow(int32_t row)
{
    selectedRow = row;
    panel->selectRow(row == UPPER_ROW);
}

void Option::actOnRow(int32_t row)
{
    if (row == LOWER_ROW) {
        panel->toggleSound();
        return;
    }
    panel->upperRowAction();
    VMPtr<main::Main> hub = main::Main::instance;
    hub->loadTexts(main::Main::textId);
    texts = main::Main::texts;
    hub->selectFont(RESOURCE_SET);
}

void Option::leave()
{
    leaveTo(sceneId == SceneManager::OPTIONS ? SceneManager::TITLE : SceneManager::MAIN_MENU);
}

} // namespace scene::menu

VM_REGISTER_CLASS_NO_CREATOR(scene::menu::Option, "scene.menu.Option", "ui.Scene",
                             "..\\src\\scene_menu_Option", nullptr);
