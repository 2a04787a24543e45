#pragma once
// scene.mainGame.weapon.ClsBullet: the base of every bullet. A bullet lives
// in one of the play scene's two bullet lists, which the scene walks from
// the last entry to the first; a bullet that dies removes itself from its
// list by its index.

#include <cstdint>

#include "ui/MyObject.h"

namespace scene::mainGame::weapon {

class ClsBullet : public ui::MyObject {
    VM_ABSTRACT_CLASS(ClsBullet, ui::MyObject)

    // One frame of dt ms; index is the bullet's place in its list.
    virtual void update(int64_t dt, int32_t index) = 0;

    void update() override {}
    void auxUpdate() override {}
    void release() override {}
    void clearItems() override {}
};

} // namespace scene::mainGame::weapon
