#include "scene/menu/Audio.h"

#include "main/Main.h"
#include "scene/SceneManager.h"
#include "ui/Pointer.h"

namespace scene::menu {

using mainMenu::ClsUiConfirm;

VMPtr<Audio> Audio::init(int32_t sceneId)
{
    Scene::init();
    mode = sceneId;
    return VMPtr<Audio>(this);
}

void Audio::load()
{
    panel = ClsUiConfirm::newInstance()->init();
    panel->setDrawOrder(PANEL_DRAW_ORDER);
    panel->allocItems(PANEL_ITEMS);
    addObject(panel);
}

void Audio::load2()
{
    panel->build();
}

void Audio::initTexts()
{
    labels = ui::Addon::newInstance()->init();
    labels->setDrawOrder(LABELS_DRAW_ORDER);
    labels->setLabelCapacity(LABELS);
    VMPtr<IntArray> title = panel->getTitleBox();
    labels->addLabel(TITLE_TEXT, (*title)[0], (*title)[1], (*title)[2], (*title)[3]);
    labels->setTextFont(TEXT_FONT);
    VMPtr<IntArray> body = panel->getBodyBox();
    labels->setText(texts->getString(QUESTION_TEXT), (*body)[0], (*body)[1], (*body)[2],
                    (*body)[3]);
    addObject(labels);
}

void Audio::paintLayer(VMPtr<Graphics>) {}

void Audio::update()
{
    Scene::update();
    // The panel and its boxes exist once the scene has entered.
    if (!entering)
        handleInput();
}

void Audio::handleInput()
{
    if (left)
        return;
    if (sceneManager->wasKeyPressed(KEY_NO))
        panel->pressNo();
    else if (sceneManager->wasKeyPressed(KEY_YES))
        panel->pressYes();

    if (sceneManager->wasKeyReleased(KEY_YES)) {
        answer(true);
        return;
    }
    if (sceneManager->wasKeyReleased(KEY_NO)) {
        answer(false);
        return;
    }

    VMPtr<ui::Pointer> pointer = SceneManager::pointer;
    if ((*ui::Pointer::pressed)[0]) {
        if (pointer->isInside(panel->getNoBox(), 0))
            panel->pressNo();
        else if (pointer->isInside(panel->getYesBox(), 0))
            panel->pressYes();
    }
    if ((*ui::Pointer::released)[0]) {
        panel->resetButtons();
        if (pointer->isInside(panel->getYesBox(), 0))
            answer(true);
        else if (pointer->isInside(panel->getNoBox(), 0))
            answer(false);
    }
}

void Audio::answer(bool soundOn)
{
    panel->resetButtons();
    if (soundOn) {
        main::Main::instance->soundOn(MUSIC);
        main::Main::instance->replayMusic();
    } else {
        main::Main::instance->soundOff();
    }
    leave();
}

void Audio::leave()
{
    // A refused change keeps the question up and answerable.
    leaveTo(mode == START_MODE ? AFTER_START : AFTER_MENU);
}

} // namespace scene::menu

VM_REGISTER_CLASS_NO_CREATOR(scene::menu::Audio, "scene.menu.Audio", "ui.Scene",
                             "..\\src\\scene_menu_Audio", nullptr);
