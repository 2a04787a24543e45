#pragma once
// scene.mainGame.weapon.ClsBcreator: the bullet factory of a stage, the one
// place where shots and pick-ups are made. Its firing operations take pixel
// coordinates, turn a start, a target and a speed into per-frame steps in
// 1/32 pixel and append the new bullets to the play scene's lists: enemy
// bullets and money pick-ups to the enemy-bullet list, player shots to the
// player-bullet list.
//
// Speeds: a smaller speed is a faster bullet. Aimed over dist pixels by
// (dx, dy), a shot steps K * d * (320 / speed) / dist per frame on each
// axis, K the frame time (ms), computed in exactly that order. A zero
// distance keeps the previous shot's steps. A spread or ring of more shots
// than the capacity throws the array-index exception.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace scene::mainGame::weapon {

class ClsBcreator : public virtual java::lang::Object {
    VM_CLASS(ClsBcreator, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;
    using IntTable = VMArray<int32_t, 2>;

    // The speed of the enemies' shots and of fireAtPoint and the like.
    static constexpr int32_t ENEMY_SPEED = 80;
    // Distance of a direction's target point from the start (pixels).
    static constexpr int32_t TARGET_DISTANCE = 30;
    static constexpr int32_t JITTER_WIDTH = 40;
    // Shot kinds of fireSpread: enemy bullet or reacting shot, flame,
    // homing missile.
    static constexpr int32_t KIND_BULLET = 0;
    static constexpr int32_t KIND_FLAME = 1;
    static constexpr int32_t KIND_HOMING = 2;

    // The gun points and the row table; setCapacity follows.
    VMPtr<ClsBcreator> init();

    // An enemy spread of count shots spreadDeg apart, towards the player or
    // towards direction dir (0..7).
    virtual void fireDirectional(int32_t dir, int32_t spreadDeg, int32_t x, int32_t y,
                                 int32_t count, bool jitter, bool aimAtPlayer);
    virtual void fireHomingSpread(int32_t dir, int32_t x, int32_t y, int32_t part);
    // count money pick-ups flying out in a circle.
    virtual void dropMoneyRing(int32_t count, int32_t x, int32_t y, int32_t speed);
    // center, radius and the eight gun points of player part `part`.
    virtual void computeGunPoints(int32_t part);
    // count enemy bullets in a circle, the first to the right.
    virtual void fireRing(int32_t count, int32_t x, int32_t y, int32_t speed);
    virtual void fireReactSpread(int32_t dir, int32_t x, int32_t y, int32_t part);
    // A laser, only while the player-bullet list holds at most `part`
    // entries.
    virtual void fireLaser(int32_t dir, int32_t part);
    virtual void fireFlameSpread(int32_t dir, int32_t x, int32_t y, int32_t part);
    // Integer square root of the squared distance.
    virtual int32_t distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    virtual void fireAtPoint(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    virtual void fireAtPlayer(int32_t x, int32_t y);
    virtual void fireRingDefault(int32_t count, int32_t x, int32_t y);
    // One enemy bullet from (x1, y1) towards (x2, y2).
    virtual void fireTowards(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t speed);
    // One bomb from the edge of the player's ship in direction dir (0..5).
    virtual void fireBombs(int32_t dir, int32_t x, int32_t y, int32_t part);
    virtual void dropMoneySlow(int32_t count, int32_t x, int32_t y);
    // One enemy bullet from (x1, y1) directly away from (x2, y2).
    virtual void fireAimed(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t speed);
    virtual void dropMoneyFast(int32_t count, int32_t x, int32_t y);
    // The fan of count shots spreadDeg degrees apart, symmetric about the
    // direction from (x1, y1) to (x2, y2).
    virtual void fireSpread(bool player, int32_t part, int32_t kind, int32_t spreadDeg,
                            int32_t count, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            int32_t speed, bool jitter);
    // The main gun: one to three parallel shots by the weapon level.
    virtual void firePlayerShot(int32_t dir, int32_t part);
    virtual void fireAimedDefault(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Room for n shots in one spread or ring.
    virtual void setCapacity(int32_t n);
    virtual void fireBomb(int32_t dir, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                          int32_t part);
    virtual void fireEightWay(int32_t dir, int32_t x, int32_t y);
    // Parallel main-gun shots from the chosen gun points towards (tx, ty).
    virtual void fireRows(VMPtr<IntTable> chosen, int32_t tx, int32_t ty, int32_t part);

    VMField<IntArray> center;
    int32_t spareA = 0;
    int32_t radius = 0;
    int32_t vy = 0;
    int32_t jitter = 0;
    int32_t spareB = 0;
    VMField<IntTable> rows;
    VMField<IntTable> gunPoints;
    VMField<IntArray> spreadVx;
    VMField<IntArray> spreadVy;
    int32_t spareC = 0;
    int32_t spareD = 0;
    int32_t spareE = 0;
    int32_t spareF = 0;
    int32_t vx = 0;
    int32_t dist = 0;

private:
    // vx and vy by the speed rule, kept when dist is 0.
    void aim(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t speed);
    // The point TARGET_DISTANCE pixels from (x, y) in direction dir; false
    // for a direction beyond `directions`.
    static bool targetOf(int32_t dir, int32_t directions, int32_t x, int32_t y, int32_t& tx,
                         int32_t& ty);
    // The shot count of player part `part`.
    static int32_t shotCountOf(int32_t part);
    // A ring of enemy bullets or money, shot i at angle i * 2pi / count,
    // each made as soon as its steps are known; nothing for a count below 1.
    void makeRing(bool money, int32_t count, int32_t x, int32_t y, int32_t speed);
    static void addEnemyBullet(int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t speed);

public:
    VM_FIELDS(center, rows, gunPoints, spreadVx, spreadVy)
};

} // namespace scene::mainGame::weapon
