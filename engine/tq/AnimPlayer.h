#pragma once
// tq.AnimPlayer: plays one animation of an AnimSet at a position. Each
// update consumes elapsed time against the step durations, counts loops,
// moves the position by the steps' motion offsets (gliding between steps
// whose glide bits are set) and picks the step to display: of the steps
// passed since the last paint, the last one whose event level is at least
// the highest met, and a level-3 step halts the stepping so that it is
// shown. The transform mirrors or turns both the painting and the motion.
//
// The collision tests share Paintable's and CollisionBox's statics: read
// one test's results before the next. Updates allocate nothing.

#include <cstdint>

#include "tq/AnimSet.h"
#include "tq/Frame.h"

namespace tq {

class AnimPlayer : public Paintable {
    VM_CLASS(AnimPlayer, Paintable)

    using GobArray = VMArray<Gob, 1>;
    using CollisionBox = graphics::CollisionBox;

    static VMPtr<AnimPlayer> create() { return newInstance(); }
    VMPtr<AnimPlayer> init();

    int32_t getType() override;
    // Size and position are those of the whole-animation Frame.
    int32_t getHeight(int32_t transform) override;
    // At the position moved by (x, y), with the transform XORed in.
    void paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t transform) override;
    void paint(VMPtr<Graphics> g) override;
    int32_t getCollisionBoxes(int32_t transform, VMPtr<BoxArray> out, int32_t id) override;
    int32_t getCollisionRects(int32_t transform, VMPtr<IntArray> out, int32_t id) override;
    int32_t getWidth(int32_t transform) override;
    int32_t getCollisionBoxCount() override;
    int32_t getX(int32_t transform) override;
    int32_t getY(int32_t transform) override;
    using Paintable::collidesWith;
    using Paintable::getCollisionRects;

    // The displayed frame's Frame.
    virtual VMPtr<Frame> getFrame();
    virtual int32_t getPrevPosX();
    virtual void move(int32_t dx, int32_t dy);
    virtual bool collidesWithGob(VMPtr<Gob> gob, int32_t x, int32_t y, int32_t transform);
    virtual bool collidesWith(VMPtr<AnimPlayer> other);
    virtual bool containsPoint(int32_t x, int32_t y);
    // The displayed frame's boxes at the position against box; the pair
    // found goes to CollisionBox::hitBoxA and hitBoxB.
    virtual bool collidesWithBox(VMPtr<CollisionBox> box);
    // Negative counts (for ever) as -1.
    virtual int32_t getLoopsLeft();
    virtual int32_t getTransform();
    virtual int32_t getUserByte();
    virtual int32_t getUserShort();
    virtual int32_t getCollisionRects(VMPtr<IntArray> out, int32_t id);
    virtual int32_t getCollisionBoxes(VMPtr<BoxArray> out, int32_t id);
    virtual void setTransform(int32_t transform);
    // Time since the animation's start.
    virtual int32_t getElapsedTime();
    // Moves to a step of the animation without touching the loops; a step
    // outside the animation throws IndexOutOfBoundsException.
    virtual void setStep(int32_t step);
    // Made on the first call and kept, also across setAnimation.
    virtual VMPtr<Frame> getAnimationFrame();
    virtual int32_t getPlacements(VMPtr<IntArray> out);
    virtual int32_t getCollisionBoxes(VMPtr<BoxArray> out);
    virtual int32_t getCollisionRects(VMPtr<IntArray> out);
    virtual int32_t getStep();
    // Advances by dt time units; true while the animation plays. A pass
    // whose steps all last 0 ends the call.
    virtual bool update(int32_t dt);
    virtual VMPtr<GobArray> getGobs();
    virtual int32_t getAnimationDuration();
    virtual void paintCollisionBoxes(VMPtr<Graphics> g);
    virtual int32_t getDeltaX();
    // The displayed frame's bounds at the position.
    virtual void getBounds(VMPtr<IntArray> out);
    // The displayed frame's index; -1 without an animation.
    virtual int32_t getFrameIndex();
    virtual void setPosY(int32_t y);
    // Starts the animation with its own loop count; one outside the set is
    // no animation.
    virtual void setAnimation(int32_t animation);
    virtual int32_t getDisplayedStep();
    virtual int32_t getPosX();
    virtual int32_t getStepCount();
    virtual int32_t getDeltaY();
    // The first of the displayed frame's boxes under the transform, moved by
    // (x, y), into out; false (out's width 0) without one.
    virtual bool getFirstCollisionBox(VMPtr<CollisionBox> out, int32_t x, int32_t y,
                                      int32_t transform);
    virtual bool getFirstCollisionBox(VMPtr<CollisionBox> out);
    virtual void setUserByte(int32_t value);
    virtual void setPrevPosX(int32_t x);
    virtual void xorTransform(int32_t value);
    virtual void setPosX(int32_t x);
    virtual int32_t getPrevPosY();
    virtual void setPrevPosY(int32_t y);
    virtual int32_t getPosY();
    virtual void setUserShort(int32_t value);
    virtual void setAnimSet(VMPtr<AnimSet> set);
    virtual VMPtr<AnimSet> getAnimSet();
    virtual int32_t getAnimation();

    int8_t userByte = 0;
    int16_t userShort = 0;
    int8_t transform = 0;
    int8_t boxIdFilter = 0;
    int16_t prevY = 0;
    int16_t prevX = 0;
    int16_t posY = 0;
    int16_t posX = 0;
    int8_t loopsLeft = 0;
    VMField<Frame> animationFrame;
    int16_t motionX = 0;
    uint16_t firstStep = 0;
    int16_t step = 0;
    int16_t motionY = 0;
    uint16_t time = 0;
    int16_t animation = 0;
    uint16_t stepCount = 0;
    VMField<AnimSet> animSet;
    int16_t displayedStep = 0;
    int8_t eventLevel = 0;

private:
    // Step k of the animation: packed entry, duration and event level (0
    // for a step outside the set's tables).
    int32_t entryOf(int32_t k);
    int32_t durationOf(int32_t k);
    int32_t levelOf(int32_t k);
    int32_t displayedFrame();

public:
    VM_FIELDS(animationFrame, animSet)
};

} // namespace tq
