#pragma once
// scene.mainGame.ClsPlane: the base of everything that flies and can be hit
// (the player, the enemy manager, the bosses). Item i of the panel is element
// i of the plane: the panel draws and animates it, the plane keeps its
// position (the centre, screen pixels), velocity, hit points, kind, flags and
// a private timer in parallel per-element arrays made by allocItems.
//
// Call order: init, allocItems(n), then per element addItem of the panel
// followed at once by addElement. The per-frame operations read
// ui::MyObject::frameTime.

#include <cstdint>

#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace scene::mainGame {

namespace weapon { class ClsBcreator; }

class ClsPlane : public ui::Screen {
    VM_CLASS(ClsPlane, ui::Screen)

    using BoolArray = VMArray<bool, 1>;

    // The clip rectangle of every element: the play area.
    static constexpr int32_t AREA_WIDTH = 240;
    static constexpr int32_t AREA_HEIGHT = 320;
    // Steps placeBehind takes at most before it gives up on a leader that
    // never gets far enough away.
    static constexpr int32_t MAX_FOLLOW_STEPS = 1000;

    // The panel's set-up, the clip area, the bullet factory; state 0.
    VMPtr<ClsPlane> init(VMPtr<weapon::ClsBcreator> factory);

    void clearItems() override;
    // Also zeroes the element's numbers and makes it inactive.
    void removeItem(int32_t i) override;
    void setItemPlayerFrame(int32_t i, int32_t f) override;
    void setItemFrame(int32_t i, int32_t f) override;
    // Also the per-element arrays, and every item clipped to the play area.
    void allocItems(int32_t n) override;

    // Adds frameTime to a running timer; true once it is above limit (and
    // then stopped when stop is set). false while the timer is off.
    virtual bool isTimerExpired(int32_t i, int32_t limit, bool stop);
    virtual void setShotInterval(int32_t i, int32_t ms);
    virtual int32_t getX(int32_t i);
    virtual int32_t distanceBetween(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    virtual void damage(int32_t i, int32_t amount);
    virtual bool isInactive(int32_t i);
    virtual int32_t getState();
    // Puts element i on j's course, the first whole velocity step at least
    // followDistance behind j.
    virtual void placeBehind(int32_t i, int32_t j);
    virtual bool isInvulnerable(int32_t i);
    // The panel's animation step for element i alone.
    virtual void animateElement(int32_t i);
    // Homes in on (tx, ty); velocity in 1/32 pixel per frame.
    virtual void moveTowards(int32_t i, int32_t tx, int32_t ty);
    // A straight course to (tx, ty); velocity in whole pixels per frame.
    // Does not move the element.
    virtual void setTarget(int32_t i, int32_t tx, int32_t ty);
    // Starts the timer unless it runs.
    virtual void startTimer(int32_t i);
    virtual void setHp(int32_t i, int32_t value);
    // Sets up the element last added to the panel, inactive.
    virtual void addElement(int32_t elementKind, int32_t ex, int32_t ey);
    virtual int32_t getY(int32_t i);
    // Called by a bullet right after damage; nothing here.
    virtual void onPartHit(int32_t i);
    virtual void setState(int32_t s);
    virtual void setInvulnerable(int32_t i, bool b);
    virtual int32_t getHp(int32_t i);

    // Minimum distance of a follower behind its leader.
    static inline int32_t followDistance = 0;

    VMField<IntArray> x;
    VMField<IntArray> spare;
    VMField<IntArray> kind;
    VMField<IntArray> shotClock;
    VMField<IntArray> y;
    VMField<BoolArray> invulnerable;
    VMField<BoolArray> timerActive;
    VMField<weapon::ClsBcreator> bulletFactory;
    VMField<IntArray> prevX;
    VMField<IntArray> prevY;
    // 1/32 pixel per ms.
    VMField<IntArray> speed;
    // The last frame or animation given to the element (the panel's own
    // frame array is ui::Screen::frame).
    VMField<IntArray> elementFrame;
    VMField<IntArray> shotInterval;
    VMField<BoolArray> inactive;
    VMField<IntArray> vx;
    VMField<IntArray> timerElapsed;
    // A collision rectangle borrowed from another plane.
    VMField<IntArray> hitRect;
    VMField<IntArray> vy;
    VMField<IntArray> targetX;
    VMField<IntArray> targetY;
    VMField<IntArray> distance;
    int32_t state = 0;
    VMField<IntArray> hp;
    VMField<IntArray> area;

    VM_FIELDS(x, spare, kind, shotClock, y, invulnerable, timerActive, bulletFactory, prevX, prevY,
              speed, elementFrame, shotInterval, inactive, vx, timerElapsed, hitRect, vy, targetX,
              targetY, distance, hp, area)
};

} // namespace scene::mainGame

#include "scene/mainGame/weapon/ClsBcreator.h"
