#pragma once
// scene.mainGame.ClsPlayer: the player's plane; element 0 is the ship. The
// play scene steers it with the keys and touches and asks it for the end
// of the stage.

#include <cstdint>

#include "scene/mainGame/ClsPlane.h"

namespace scene::mainGame {

class ClsPlayer : public ClsPlane {
    VM_CLASS(ClsPlayer, ClsPlane)

    // getState values.
    static constexpr int32_t STATE_ENTERING = 0;
    static constexpr int32_t STATE_PLAYING = 1;
    static constexpr int32_t STATE_CLEARED = 2;
    static constexpr int32_t STATE_DESTROYED = 3;

    // Without a bullet factory.
    VMPtr<ClsPlayer> init() { return init(VMPtr<weapon::ClsBcreator>()); }
    VMPtr<ClsPlayer> init(VMPtr<weapon::ClsBcreator> factory);

    virtual bool isGameOver();
    virtual void moveUp();
    virtual void moveDown();
    virtual void moveLeft();
    virtual void moveRight();

    bool gameOver = false;
};

} // namespace scene::mainGame
