#include "scene/mainGame/ClsUiPause.h"

namespace scene::mainGame {

VMPtr<ClsUiPause> ClsUiPause::init()
{
    initItems();
    return VMPtr<ClsUiPause>(this);
}

VMPtr<ClsUiPause::IntArray> ClsUiPause::getUpperRowRect()
{
    return upperRowBox;
}

VMPtr<ClsUiPause::IntArray> ClsUiPause::getLowerRowRect()
{
    return lowerRowBox;
}

void ClsUiPause::selectRow(bool) {}

VMPtr<ClsUiPause::IntArray> ClsUiPause::getTitleRect()
{
    return titleBox;
}

void ClsUiPause::setupItems()
{
    titleBox = IntArray::newArray(4);
    upperRowBox = IntArray::newArray(4);
    lowerRowBox = IntArray::newArray(4);
}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsUiPause, "scene.mainGame.ClsUiPause", "ui.Screen",
                  "..\\src\\scene_mainGame_ClsUiPause", nullptr);
