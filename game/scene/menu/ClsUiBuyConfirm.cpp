#include "scene/menu/ClsUiBuyConfirm.h"

namespace scene::menu {

VMPtr<ClsUiBuyConfirm> ClsUiBuyConfirm::init()
{
    initItems();
    choice = false;
    return VMPtr<ClsUiBuyConfirm>(this);
}

void ClsUiBuyConfirm::build()
{
    setBackgroundColor(0);
    setBackgroundEnabled(true);

    dialogItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, DIALOG_FRAME, 120, 160);
    VMPtr<IntArray> d0 = getItemBox(dialogItem, BUTTON_ROW_BOX);
    textBox = getItemBox(dialogItem, TEXT_BOX);
    int32_t x = (*d0)[0];
    int32_t y = (*d0)[1] + (*d0)[3];
    int32_t w = (*d0)[2];

    yesItem = getNextItem();
    addAnimItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, YES_NOT_CHOSEN, x, y);
    yesBox = getItemBox(yesItem, BUTTON_BOX);
    noItem = getNextItem();
    addAnimItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, NO_CHOSEN, x + w, y);
    noBox = getItemBox(noItem, BUTTON_BOX);
    okItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, OK_FRAME, x + w / 2, y);
    okBox = getItemBox(okItem, BUTTON_BOX);

    hideOk();
}

bool ClsUiBuyConfirm::isYes()
{
    return choice;
}

void ClsUiBuyConfirm::setChoice(bool yes)
{
    choice = yes;
    showChoice();
}

void ClsUiBuyConfirm::showChoice()
{
    setItemFrame(yesItem, choice ? YES_CHOSEN : YES_NOT_CHOSEN);
    setItemFrame(noItem, choice ? NO_NOT_CHOSEN : NO_CHOSEN);
}

void ClsUiBuyConfirm::hideYesNo()
{
    setItemFrame(yesItem, CHOICE_HIDDEN);
    setItemFrame(noItem, CHOICE_HIDDEN);
}

void ClsUiBuyConfirm::hideOk()
{
    setItemFrame(okItem, OK_HIDDEN);
}

void ClsUiBuyConfirm::showOk()
{
    setItemFrame(okItem, OK_FRAME);
}

void ClsUiBuyConfirm::pressOk()
{
    setItemFrame(okItem, OK_PRESSED);
}

VMPtr<ClsUiBuyConfirm::IntArray> ClsUiBuyConfirm::getYesBox()
{
    return yesBox;
}

VMPtr<ClsUiBuyConfirm::IntArray> ClsUiBuyConfirm::getNoBox()
{
    return noBox;
}

VMPtr<ClsUiBuyConfirm::IntArray> ClsUiBuyConfirm::getOkBox()
{
    return okBox;
}

VMPtr<ClsUiBuyConfirm::IntArray> ClsUiBuyConfirm::getTextBox()
{
    return textBox;
}

} // namespace scene::menu

VM_REGISTER_CLASS(scene::menu::ClsUiBuyConfirm, "scene.menu.ClsUiBuyConfirm", "ui.Screen",
                  "..\\src\\scene_menu_ClsUiBuyConfirm", nullptr);
