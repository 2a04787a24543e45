#pragma once
// scene.mainGame.ClsEnemy: the one plane that holds every enemy of a stage in
// a pool of 50 slots. The wave spawner pushes a group's destination into the
// point ring and spawns the group: its first enemy leads towards the point,
// each further one follows the enemy spawned before it. Every frame the
// enemies fire and move by their kind, are tested against the player, and
// are freed when they leave the screen or destroyed (money and explosion)
// when their hit points are gone.
//
// A slot is free when its item shows FREE_FRAME and its hit points are
// below 1.

#include <cstdint>

#include "generated/RP.h"
#include "scene/mainGame/ClsPlane.h"

namespace scene::mainGame {

class ClsEnemy : public ClsPlane {
    VM_CLASS(ClsEnemy, ClsPlane)

    static constexpr int32_t SLOTS = 50;
    static constexpr int32_t GOB_SET = generated::RP::ENEMY;
    static constexpr int32_t ANIM_SET = generated::RP::ENEMY_ANIMS;
    // The frame of a free slot.
    static constexpr int32_t FREE_FRAME = 34;
    // The frame of kind 2, whatever the stage.
    static constexpr int32_t HEAVY_FRAME = 33;
    // y at which kind 2 stops descending.
    static constexpr int32_t HOLD_Y = 106;
    static constexpr int32_t EXPLOSION = 1;
    // The link of a leader that flies a course of its own, without a point
    // of the ring.
    static constexpr int32_t NO_POINT = -1;

    // Without a bullet factory: the creator of the class made by name.
    VMPtr<ClsEnemy> init() { return init(VMPtr<weapon::ClsBcreator>()); }
    VMPtr<ClsEnemy> init(VMPtr<weapon::ClsBcreator> factory);

    void update() override;
    void removeItem(int32_t i) override;
    // Also the per-enemy arrays and the point ring.
    void allocItems(int32_t n) override;
    void moveTowards(int32_t i, int32_t tx, int32_t ty) override;
    // The kind's values, the stage's frame, and a course for a leader.
    void addElement(int32_t elementKind, int32_t ex, int32_t ey) override;
    // The hit look: an odd frame becomes the even one below it.
    void onPartHit(int32_t i) override;

    virtual int32_t getAlive();
    // Out of play with no hit points: freed on the next update.
    virtual void retire(int32_t i);
    // Kind 4: follows the player's x towards the ring's first point.
    virtual void trackPlayer(int32_t i);
    virtual void updateShotClock(int32_t i);
    // The next group's destination; the next spawned enemy leads towards it.
    virtual void pushPoint(int32_t px, int32_t py, int32_t param);
    // The 50 free slots.
    virtual void initEnemies();
    // Leader: flies its course and is freed once off the screen. Follower:
    // heads for the enemy it follows, or takes over the destination when
    // that one is gone.
    virtual void followPath(int32_t i);
    // Frees the slot, drops money and explodes.
    virtual void destroy(int32_t i);
    virtual int32_t getWaveAlive();
    // Into the lowest free slot; nothing when every slot is taken.
    virtual void spawn(int32_t sx, int32_t sy, int32_t enemyKind);
    virtual void allocPointRing(int32_t n);
    // Kind 2: descends to HOLD_Y and fires from there.
    virtual void descendAndHold(int32_t i);
    // Every slot inactive, no leaders, empty ring.
    virtual void reset();
    // As spawn, but not counted for the wave.
    virtual void spawnUncounted(int32_t sx, int32_t sy, int32_t enemyKind);
    virtual bool isLeader(int32_t i);
    virtual int32_t getLink(int32_t i);

    // Leader: its point's index in the ring, or NO_POINT; follower: minus
    // the index of the enemy it follows.
    VMField<IntArray> link;
    int32_t waveAlive = 0;
    VMField<IntArray> pointY;
    VMField<IntArray> pointX;
    VMField<BoolArray> canFire;
    VMField<BoolArray> leaderFlags;
    VMField<IntArray> baseFrame;
    int32_t pointIndex = 0;
    int32_t pointParam = 0;
    VMField<IntArray> dropCount;
    VMField<IntArray> shotParam;
    VMField<BoolArray> counted;
    int32_t alive = 0;
    bool leaderPending = false;

    VM_FIELDS(link, pointY, pointX, canFire, leaderFlags, baseFrame, dropCount, shotParam, counted)

private:
    // The kind's fire rule, then its movement.
    void act(int32_t i);
    // Contact with the player's elements costs the enemy its hit points and
    // the element 1 hit point.
    void collideWithPlayer(int32_t i);
    // Shows the free frame and takes the enemy off the counts.
    void freeSlot(int32_t i);
    bool isOffScreen(int32_t i);
};

} // namespace scene::mainGame
