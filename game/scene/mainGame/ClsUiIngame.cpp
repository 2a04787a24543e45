#include "scene/mainGame/ClsUiIngame.h"

namespace scene::mainGame {

VMPtr<ClsUiIngame> ClsUiIngame::init()
{
    initItems();
    return VMPtr<ClsUiIngame>(this);
}

void ClsUiIngame::setupItems() {}

VMPtr<ClsUiIngame::IntArray> ClsUiIngame::getMoneyRect()
{
    return IntArray::newArray(4);
}

void ClsUiIngame::showEndBanner(bool) {}

void ClsUiIngame::paintBossBar(VMPtr<Graphics>) {}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsUiIngame, "scene.mainGame.ClsUiIngame", "ui.Screen",
                  "..\\src\\scene_mainGame_ClsUiIngame", nullptr);
