#pragma once
// scene.mainGame.weapon.ClsPlyBomb: a bomb. It flies until its fuse runs
// out or it strikes a part, then stands still and plays its explosion
// (animation 1, 2 or 3 by weapon level), hurting every part under it on
// every frame until the explosion ends.

#include <cstdint>

#include "scene/mainGame/weapon/ClsBullet.h"

namespace scene::mainGame::weapon {

class ClsPlyBomb : public ClsBullet {
    VM_CLASS(ClsPlyBomb, ClsBullet)

    static constexpr int32_t FUSE = 1200;

    // dir 0 up, 1 down, 2 left, 3 right (4 and 5 count as up); position and
    // speeds in 1/32 pixel; part: the firing element.
    VMPtr<ClsPlyBomb> init(int32_t dir, int32_t x, int32_t y, int32_t vx, int32_t vy,
                           int32_t part);

    void update(int64_t frameTime, int32_t index) override;

    // Hurts every part the explosion overlaps; the bomb stays alive.
    virtual void blast(VMPtr<ClsPlane> plane);
    // Adds the frame time while running; true once above limit (and then
    // stopped when reset is set).
    virtual bool timerElapsed(int32_t limit, bool reset);
    // From 0, unless it runs.
    virtual void startTimer();
    virtual void blastBoss(VMPtr<ClsPlane> plane);
    // The box test of a flying bomb: a hit sets it off.
    virtual void impact(VMPtr<ClsPlane> plane);

    bool blastPending = false;
    int32_t part = 0;
    bool exploded = false;
    int32_t fuse = 0;
    int32_t timer = 0;
    bool timerOn = false;
    int32_t dir = 0;
};

} // namespace scene::mainGame::weapon
