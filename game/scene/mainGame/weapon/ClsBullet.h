#pragma once
// scene.mainGame.weapon.ClsBullet: the base of every shot and pick-up. A
// bullet keeps its position and speed in 1/32 pixel (pixel = value >> 5),
// a dead flag, its picture and the damage it deals. It lives in one of the
// play scene's two bullet lists, which the scene walks from the last entry
// to the first; a bullet found dead by its own update removes itself from
// its list by its index, so a bullet that dies is drawn once more.
//
// The generic update and paint of ui::MyObject do nothing here: the scene
// drives bullets through update(dt, index) and draw(g).

#include <cstdint>

#include "tq/AnimPlayer.h"
#include "ui/MyObject.h"
#include "vm/VMArray.h"

namespace scene::mainGame {
class ClsPlane;
}

namespace scene::mainGame::weapon {

class ClsBullet : public ui::MyObject {
    VM_CLASS(ClsBullet, ui::MyObject)

    using IntArray = VMArray<int32_t, 1>;
    using ClsPlane = scene::mainGame::ClsPlane;

    // The on-screen area in pixels, both bounds included.
    static constexpr int32_t SCREEN_WIDTH = 240;
    static constexpr int32_t SCREEN_HEIGHT = 320;
    // The fixed-point shift: pixel = value >> 5.
    static constexpr int32_t SUBPIXEL_SHIFT = 5;
    // stepPerMs = STEP_SCALE / speed.
    static constexpr int32_t STEP_SCALE = 320;

    // Position and speed in 1/32 pixel; a smaller speed is a faster bullet.
    VMPtr<ClsBullet> init(int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t speed);

    void release() override;
    void auxUpdate() override {}
    void update() override {}
    void paint(VMPtr<Graphics>) override {}
    void clearItems() override {}

    virtual void setY(int32_t value);
    // Strict overlap of two (x, y, w, h) rectangles.
    virtual bool overlaps(VMPtr<IntArray> a, VMPtr<IntArray> b);
    virtual void setX(int32_t value);
    virtual bool isPickup();
    virtual int32_t getX();
    virtual int32_t getY();
    // One frame of dt ms; index is the bullet's place in its list.
    virtual void update(int64_t dt, int32_t index);
    // Loads the picture through the resource cache and starts animIndex.
    virtual void setAnimation(int32_t gobSetId, int32_t animSetId, int32_t animIndex);
    // The shared drawing (drawPicture) of every kind that keeps it; a
    // bullet without a picture only says so on the standard output.
    virtual void draw(VMPtr<Graphics> g);
    // Point test: the first part whose rectangle strictly contains the
    // bullet's pixel takes the damage; at most one part per call.
    virtual void hitTest(VMPtr<ClsPlane> plane);
    virtual void setDead(bool value);
    virtual VMPtr<tq::AnimPlayer> getAnimPlayer();
    // The rectangle of the part tested last, null before the first test.
    virtual VMPtr<IntArray> getHitRect();
    // Box test: every part overlapping the bullet's collision box takes the
    // damage.
    virtual void collide(VMPtr<ClsPlane> plane);

    // STEP_SCALE / speed, the step per ms of a speed; a speed below 1 counts
    // as 1 (no division by zero, no backward step).
    static int32_t stepFor(int32_t speed);
    // True while the pixel (x >> 5, y >> 5) lies on screen, edges included.
    bool isOnScreen();
    // The picture at the pixel position, anchor 0, dead or not.
    void drawPicture(VMPtr<Graphics> g);
    // hitRect, made on first use and refilled by every later test.
    VMPtr<IntArray> ownHitRect();

    int32_t pixelX = 0;
    int32_t gobSlot = 0;
    VMField<tq::AnimPlayer> anim;
    int32_t stepPerMs = 0;
    int32_t x = 0;
    int32_t vx = 0;
    bool dead = false;
    VMField<IntArray> hitRect;
    int32_t vy = 0;
    int32_t animSetSlot = 0;
    bool pickup = false;
    int32_t y = 0;
    int32_t spare = 0;
    int32_t damage = 0;
    VMField<IntArray> box;
    int32_t pixelY = 0;

    VM_FIELDS(anim, hitRect, box)
};

} // namespace scene::mainGame::weapon
