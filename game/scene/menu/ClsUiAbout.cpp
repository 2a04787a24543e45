#include "scene/menu/ClsUiAbout.h"

namespace scene::menu {

VMPtr<ClsUiAbout> ClsUiAbout::init()
{
    initItems();
    return VMPtr<ClsUiAbout>(this);
}

void ClsUiAbout::build()
{
    addItem(BACKGROUND_GOBS, BACKGROUND_ANIMATION_SET, 0, 120, 160);

    textPageItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, TEXT_PAGE_FRAME, 120, 160);

    backItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, BACK_FRAME, 240, 320);

    headingBox = getItemBox(textPageItem, HEADING_BOX);
    backBox = getItemBox(backItem, BUTTON_BOX);
    textBox = getItemBox(textPageItem, TEXT_BOX);
}

void ClsUiAbout::pressBack()
{
    setItemFrame(backItem, BACK_PRESSED_FRAME);
}

void ClsUiAbout::releaseBack()
{
    setItemFrame(backItem, BACK_FRAME);
}

VMPtr<ClsUiAbout::IntArray> ClsUiAbout::getBackBox()
{
    return backBox;
}

VMPtr<ClsUiAbout::IntArray> ClsUiAbout::getTitleBox()
{
    return textBox;
}

} // namespace scene::menu

VM_REGISTER_CLASS(scene::menu::ClsUiAbout, "scene.menu.ClsUiAbout", "ui.Screen",
                  "..\\src\\scene_menu_ClsUiAbout", nullptr);
