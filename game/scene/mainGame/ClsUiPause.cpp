#include "scene/mainGame/ClsUiPause.h"

namespace scene::mainGame {

VMPtr<ClsUiPause> ClsUiPause::init()
{
    initItems();
    return VMPtr<ClsUiPause>(this);
}

void ClsUiPause::setupItems() {}

VMPtr<ClsUiPause::IntArray> ClsUiPause::getTitleRect()
{
    return IntArray::newArray(4);
}

VMPtr<ClsUiPause::IntArray> ClsUiPause::getUpperRowRect()
{
    return IntArray::newArray(4);
}

VMPtr<ClsUiPause::IntArray> ClsUiPause::getLowerRowRect()
{
    return IntArray::newArray(4);
}

void ClsUiPause::selectRow(bool upper)
{
    upperSelected = upper;
}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsUiPause, "scene.mainGame.ClsUiPause", "ui.Screen",
                  "..\\src\\scene_mainGame_ClsUiPause", nullptr);
