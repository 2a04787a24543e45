#pragma once
// scene.mainGame.ClsPlayer: the player's plane. Element 0 is the ship; the
// further elements are the support units bought in the shop: a barrier, a
// pod, up to three orbiting satellites or a pair of wing guns. The player
// keeps the lives, the entering / playing / cleared / destroyed state, the
// automatic fire of the selected weapon and of the units, the respawn of
// the ship and of the units that go down, and a short invulnerability after
// a respawn.
//
// The play scene steers it with keys (moveUp ...) and touches (moveTowards
// of element 0); velocities are in 1/32 pixel per frame and are cleared
// after each move, so steering is repeated every frame.
//
// The statics are shared with the bullet factory, the player weapons, the
// money pick-up and the shop: the selected weapon and support, their
// levels, and the per-element shot tables.

#include <cstdint>

#include "generated/RP.h"
#include "scene/mainGame/ClsPlane.h"
#include "vm/VMArray.h"

namespace scene::mainGame {

class ClsPlayer : public ClsPlane {
    VM_CLASS(ClsPlayer, ClsPlane)

    using DoubleArray = VMArray<double, 1>;

    // getState values.
    static constexpr int32_t STATE_ENTERING = 0;
    static constexpr int32_t STATE_PLAYING = 1;
    static constexpr int32_t STATE_CLEARED = 2;
    static constexpr int32_t STATE_DESTROYED = 3;
    // Invulnerable and firing; set by the menus' demo flights.
    static constexpr int32_t STATE_DEMO = 4;

    // unitKind values: the ship, then the support units (wing guns are 3..6).
    static constexpr int32_t UNIT_SHIP = -1;
    static constexpr int32_t UNIT_BARRIER = 0;
    static constexpr int32_t UNIT_POD = 1;
    static constexpr int32_t UNIT_SATELLITE = 2;
    static constexpr int32_t UNIT_WING_FIRST = 3;
    static constexpr int32_t UNIT_WING_LAST = 6;
    // The support item that widens the money pick-up's reach.
    static constexpr int32_t SUPPORT_PICKUP_RANGE = 7;

    // direction values.
    static constexpr int32_t HEADING_DOWN = 0;
    static constexpr int32_t HEADING_UP = 1;
    static constexpr int32_t HEADING_RIGHT = 2;
    static constexpr int32_t HEADING_LEFT = 3;

    static constexpr int32_t START_LIVES = 3;
    // 1/32 pixel per ms.
    static constexpr int32_t SHIP_SPEED = 5;
    // Where a lost ship waits below the screen.
    static constexpr int32_t RESPAWN_X = 120;
    static constexpr int32_t RESPAWN_Y = 480;
    // The entering ship starts playing above this y.
    static constexpr int32_t PLAYING_Y = 256;
    static constexpr int32_t INVULNERABLE_MS = 2000;
    static constexpr int32_t FLY_OFF_MS = 4000;
    static constexpr int32_t GAME_OVER_MS = 5000;
    static constexpr int32_t SATELLITES_MAX = 3;

    // Pictures: every unit shows a frame of the player Gob set and AnimSet;
    // the pod has its own AnimSet per level.
    static constexpr int32_t GOB_SET = generated::RP::PLAYER;
    static constexpr int32_t ANIM_SET = generated::RP::PLAYER_ANIMS;
    static constexpr int32_t POD_ANIM_SET_1 = generated::RP::PLAYER_POD_1_ANIMS;
    static constexpr int32_t FRAME_BARRIER = 0;
    static constexpr int32_t FRAME_SHIP = 1;
    static constexpr int32_t FRAME_SHIP_INVULNERABLE = 3;
    static constexpr int32_t FRAME_DOWN = 4;
    static constexpr int32_t FRAME_WING = 5;
    static constexpr int32_t FRAME_SATELLITE = 6;
    // Explosion animation of a lost ship or wing gun.
    static constexpr int32_t EXPLOSION = 1;

    // Without a bullet factory (the registry's instance creator).
    VMPtr<ClsPlayer> init() { return init(VMPtr<weapon::ClsBcreator>()); }
    // The plane with the factory, then the selected weapon and support and
    // their levels from the save (brought into range), 3 lives.
    VMPtr<ClsPlayer> init(VMPtr<weapon::ClsBcreator> factory);

    // Per frame: state, invulnerability, fire clock, then every element.
    // Nothing while stopped.
    void update() override;
    // Also the unit arrays and the shot tables.
    void allocItems(int32_t n) override;
    // Steering towards a touch: sets the velocity and the heading unless
    // the point is within half the ship's width; does not move.
    void moveTowards(int32_t i, int32_t tx, int32_t ty) override;
    // Element 0: the ship's speed, hit point, shots and unitDistance, then
    // the support units.
    void addElement(int32_t elementKind, int32_t ex, int32_t ey) override;

    // The weapon's factory operation for element i, when the fire clock
    // allows it and the element is active.
    virtual void fire(int32_t i);
    // The selected support's level from the save, then its units rebuilt.
    virtual void refreshSupport();
    // Ends the ship's invulnerability invulnerableTime after it last ended.
    virtual void updateInvulnerability();
    // moveTowards; true when it set a velocity.
    virtual bool steerTo(int32_t i, int32_t tx, int32_t ty);
    virtual void moveDown();
    virtual int32_t getUnitKind(int32_t i);
    // The weapon's fire clock, in states playing and demo.
    virtual void updateFireReady();
    virtual void moveLeft();
    // Does nothing.
    virtual void idle();
    virtual void moveRight();
    virtual void setPosition(int32_t i, int32_t px, int32_t py);
    virtual void setLives(int32_t n);
    virtual int32_t getLives();
    // The selected weapon's level and shot values from the save; empties
    // the player's bullets.
    virtual void refreshWeapon();
    // The ship's state machine.
    virtual void updateState();
    virtual bool isGameOver();
    virtual void moveUp();

    // Moves element i (the ship by its velocity, a unit with the ship) and
    // lets the wing guns fire.
    void updateElement(int32_t i);
    // A ship or unit whose hit points are gone: explosion, respawn, or
    // pushed back (the pod) or restored (the satellites).
    void checkDestroyed(int32_t i);
    // Removes every unit and adds those of support item k.
    void buildSupport(int32_t k);

    static inline int32_t pickupRangeFactor = 1;
    static inline int32_t weaponLevel = 1;
    static inline int32_t fireInterval = 0;
    static inline int32_t weaponKind = 0;
    static inline int32_t supportKind = 0;
    static inline int32_t supportLevel = 1;
    static inline int32_t unitDistance = 0;
    VM_STATIC(IntArray, shotDir);
    VM_STATIC(IntArray, shotDamage);
    VM_STATIC(IntArray, shotCount);

    VMField<DoubleArray> orbitAngle;
    bool fireReady = false;
    VMField<IntArray> offsetY;
    VMField<IntArray> offsetX;
    int32_t lives = 0;
    int32_t podPushDivisor = 0;
    VMField<IntArray> respawnTime;
    VMField<IntArray> unitKind;
    bool gameOver = false;
    int32_t lastX = 0;
    int32_t direction = 0;
    int32_t lastY = 0;
    double orbitStep = 0;
    bool moving = false;
    int32_t invulnerableSince = 0;
    int32_t invulnerableTime = 0;

    // The weapon table's value for the selected weapon and level.
    static int32_t weaponStat(int32_t column);

private:
    // The saved level of weapon or support item k, in 0..3.
    static int32_t savedLevel(VMPtr<IntArray> levels, int32_t k);
    // The current scene's running sum of frame times.
    static int32_t sceneClock();
    // Adds a unit item at (ux, uy) and gives it kind and hit point 1.
    int32_t addUnit(int32_t animSetId, int32_t itemFrame, int32_t ux, int32_t uy, int32_t unit);
    // The left and right wing gun of kind k.
    void addWingGuns(int32_t k);
    // A steering key: heading and a full-speed velocity on one axis (dx,
    // dy -1, 0 or 1), only while playing.
    void steerKey(int32_t heading, int32_t dx, int32_t dy);

public:
    VM_FIELDS(orbitAngle, offsetY, offsetX, respawnTime, unitKind)
};

} // namespace scene::mainGame
