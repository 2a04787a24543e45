#pragma once
// scene.mainGame.weapon.ClsPlyHoming: a homing missile. It flies straight
// for its first 250 ms on screen, then turns each frame to the nearest
// enemy or boss part within its range.

#include <cstdint>

#include "scene/mainGame/weapon/ClsBullet.h"

namespace scene::mainGame::weapon {

class ClsPlyHoming : public ClsBullet {
    VM_CLASS(ClsPlyHoming, ClsBullet)

    static constexpr int32_t DELAY = 250;
    // Enemy items showing this frame are free slots, never targets.
    static constexpr int32_t FREE_FRAME = 34;

    // Position and speeds in 1/32 pixel; part: the firing element.
    VMPtr<ClsPlyHoming> init(int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t part);

    void update(int64_t frameTime, int32_t index) override;

    // As the bomb's.
    virtual bool timerElapsed(int32_t limit, bool reset);
    virtual void startTimer();
    // Pixels between two points.
    virtual int32_t distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    virtual void findTargetBoss(VMPtr<ClsPlane> plane);
    // Turns to face (tx, ty) at the shot speed; nothing when already there.
    virtual void steerTo(int32_t tx, int32_t ty);
    virtual void findTargetEnemy(VMPtr<ClsPlane> plane);

    // Pixel position at the start of the update.
    int32_t px = 0;
    int32_t dist = 0;
    // Distance to the target found so far; -1 for none.
    int32_t bestDist = 0;
    // Part index, -1 for none.
    int32_t target = 0;
    int32_t part = 0;
    bool targetIsBoss = false;
    int32_t delay = 0;
    int32_t timer = 0;
    // Pixels.
    int32_t range = 0;
    bool timerOn = false;
    int32_t py = 0;

private:
    // The nearest qualifying part of the plane within range, when nearer
    // than the best so far; enemy slots showing FREE_FRAME do not count.
    void findTarget(VMPtr<ClsPlane> plane, bool isBoss);
};

} // namespace scene::mainGame::weapon
