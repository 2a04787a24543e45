#include "scene/mainGame/ClsPlayer.h"

namespace scene::mainGame {

VMPtr<ClsPlayer> ClsPlayer::init(VMPtr<weapon::ClsBcreator> factory)
{
    ClsPlane::init(factory);
    return VMPtr<ClsPlayer>(this);
}

bool ClsPlayer::isGameOver()
{
    return gameOver;
}

void ClsPlayer::moveUp() {}

void ClsPlayer::moveDown() {}

void ClsPlayer::moveLeft() {}

void ClsPlayer::moveRight() {}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsPlayer, "scene.mainGame.ClsPlayer", "scene.mainGame.ClsPlane",
                  "..\\src\\scene_mainGame_ClsPlayer", nullptr);
