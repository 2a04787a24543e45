#include "scene/mainGame/ClsUiIngame.h"

namespace scene::mainGame {

VMPtr<ClsUiIngame> ClsUiIngame::init()
{
    initItems();
    return VMPtr<ClsUiIngame>(this);
}

void ClsUiIngame::allocItems(int32_t n)
{
    Screen::allocItems(n);
}

void ClsUiIngame::update()
{
    Screen::update();
}

VMPtr<ClsUiIngame::IntArray> ClsUiIngame::getPauseButtonRect()
{
    return getItemBox(pauseButtonItem, 0);
}

void ClsUiIngame::setPauseFrame19() {}

void ClsUiIngame::setupItems() {}

void ClsUiIngame::showEndBanner(bool) {}

VMPtr<ClsUiIngame::IntArray> ClsUiIngame::getMoneyRect()
{
    return getItemBox(topBarItem, MONEY_BOX);
}

void ClsUiIngame::setPauseFrame15() {}

void ClsUiIngame::paintBossBar(VMPtr<Graphics>) {}

int32_t ClsUiIngame::bossBarWidth(int32_t, int32_t, int32_t)
{
    return 0;
}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsUiIngame, "scene.mainGame.ClsUiIngame", "ui.Screen",
                  "..\\src\\scene_mainGame_ClsUiIngame", nullptr);
