#include "scene/mainMenu/ClsUiConfirm.h"

namespace scene::mainMenu {

VMPtr<ClsUiConfirm> ClsUiConfirm::init()
{
    initItems();
    return VMPtr<ClsUiConfirm>(this);
}

void ClsUiConfirm::build()
{
    addItem(BACKGROUND_GOBS, BACKGROUND_ANIMATION_SET, 0, 120, 160);

    dialogItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, DIALOG_FRAME, 120, 160);
    titleBox = getItemBox(dialogItem, TITLE_BOX);
    questionBox = getItemBox(dialogItem, QUESTION_BOX);

    yesItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, YES_FRAME, 240, 320);
    yesBox = getItemBox(yesItem, BUTTON_BOX);

    noItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, NO_FRAME, 0, 320);
    noBox = getItemBox(noItem, BUTTON_BOX);
}

void ClsUiConfirm::resetButtons()
{
    setItemFrame(yesItem, YES_FRAME);
    setItemFrame(noItem, NO_FRAME);
}

void ClsUiConfirm::pressYes()
{
    setItemFrame(yesItem, YES_PRESSED_FRAME);
}

void ClsUiConfirm::pressNo()
{
    setItemFrame(noItem, NO_PRESSED_FRAME);
}

VMPtr<ClsUiConfirm::IntArray> ClsUiConfirm::getNoBox()
{
    return noBox;
}

VMPtr<ClsUiConfirm::IntArray> ClsUiConfirm::getYesBox()
{
    return yesBox;
}

VMPtr<ClsUiConfirm::IntArray> ClsUiConfirm::getTitleBox()
{
    return titleBox;
}

VMPtr<ClsUiConfirm::IntArray> ClsUiConfirm::getQuestionBox()
{
    return questionBox;
}

VMPtr<ClsUiConfirm::IntArray> ClsUiConfirm::getBodyBox()
{
    return getItemBox(dialogItem, BODY_BOX);
}

} // namespace scene::mainMenu

VM_REGISTER_CLASS(scene::mainMenu::ClsUiConfirm, "scene.mainMenu.ClsUiConfirm", "ui.Screen",
                  "..\\src\\scene_mainMenu_ClsUiConfirm", nullptr);
