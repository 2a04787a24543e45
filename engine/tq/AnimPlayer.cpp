#include "tq/AnimPlayer.h"

#include <algorithm>

#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/String.h"
#include "tq/graphics/CollisionBox.h"
#include "vm/VMException.h"

namespace tq {

using graphics::CollisionBox;

namespace {

constexpr int32_t FULL_GLIDE = 1 << 12;

int32_t offsetX(int32_t entry)
{
    return AnimSet::signedField(entry, 12, 10);
}

int32_t offsetY(int32_t entry)
{
    return AnimSet::signedField(entry, 2, 10);
}

} // namespace

VMPtr<AnimPlayer> AnimPlayer::init()
{
    Paintable::init();
    animation = -1;
    boxIdFilter = -1;
    return VMPtr<AnimPlayer>(this);
}

int32_t AnimPlayer::entryOf(int32_t k)
{
    if (k < 0 || k >= stepCount)
        return 0;
    return VMPtr<AnimSet>(animSet)->stepEntry(firstStep + k);
}

int32_t AnimPlayer::durationOf(int32_t k)
{
    if (k < 0 || k >= stepCount)
        return 0;
    return VMPtr<AnimSet>(animSet)->stepDuration(firstStep + k);
}

int32_t AnimPlayer::levelOf(int32_t k)
{
    if (k < 0 || k >= stepCount)
        return 0;
    return VMPtr<AnimSet>(animSet)->stepInfo(firstStep + k) >> 6;
}

int32_t AnimPlayer::displayedFrame()
{
    return int32_t(uint32_t(entryOf(displayedStep)) >> 22);
}

// ---- Animation ----

void AnimPlayer::setAnimation(int32_t a)
{
    animation = int16_t(a);
    VMPtr<AnimSet> set(animSet);
    int32_t entry = set->getStepCount(a) ? (*VMPtr<AnimSet::IntArray>(set->animations))[a] : 0;
    loopsLeft = int8_t(AnimSet::signedField(entry, 10, 6));
    stepCount = uint16_t(entry & 0x3FF);
    firstStep = uint16_t(uint32_t(entry) >> 16);
    setStep(0);
    motionX = 0;
    motionY = 0;
}

void AnimPlayer::setStep(int32_t s)
{
    if (stepCount != 0 && (s < 0 || s >= stepCount))
        vm_throwNew<java::lang::IndexOutOfBoundsException>(java::lang::String::valueOf(s));
    int32_t entry = entryOf(s);
    time = 0;
    step = int16_t(s);
    motionX = int16_t(offsetX(entry));
    motionY = int16_t(offsetY(entry));
    displayedStep = int16_t(s);
    eventLevel = int8_t(levelOf(s));
}

bool AnimPlayer::update(int32_t dt)
{
    if (loopsLeft == 0) {
        prevX = posX;
        prevY = posY;
        return false;
    }
    if (stepCount == 0)
        return false;
    int32_t k = step;
    // A negative dt counts as none.
    int64_t acc = int64_t(time) + std::max(dt, 0);
    int32_t shown = k;
    // Steps passed in a row without consuming time: a whole pass of them
    // ends the call rather than spinning on.
    int32_t idleSteps = 0;
    int32_t wraps = 0;
    for (;;) {
        int32_t d = durationOf(k);
        if (acc < d)
            break;
        k++;
        step = int16_t(k);
        acc -= d;
        idleSteps = d == 0 ? idleSteps + 1 : 0;
        if (k == stepCount) {
            if (loopsLeft > 0 && --loopsLeft == 0) {
                step = int16_t(k - 1);
                acc = d;
                break;
            }
            step = 0;
            k = 0;
            int32_t last = entryOf(stepCount - 1);
            motionX = int16_t(motionX - offsetX(last));
            motionY = int16_t(motionY - offsetY(last));
            // A whole pass went by without a halting step, so every further
            // whole pass ends where it began, moved by the last step's
            // offset: skip them at once, each counted as a loop. The last
            // counted pass is left to the stepping, which stops on it.
            if (++wraps >= 2) {
                int64_t pass = 0;
                for (int32_t j = 0; j < stepCount; j++)
                    pass += durationOf(j);
                if (pass > 0 && acc >= pass) {
                    int64_t passes = acc / pass;
                    if (loopsLeft > 0)
                        passes = std::min<int64_t>(passes, loopsLeft - 1);
                    acc -= passes * pass;
                    if (loopsLeft > 0)
                        loopsLeft = int8_t(loopsLeft - passes);
                    motionX = int16_t(motionX - passes * offsetX(last));
                    motionY = int16_t(motionY - passes * offsetY(last));
                }
            }
        }
        int32_t level = levelOf(k);
        if (level >= eventLevel) {
            eventLevel = int8_t(level);
            shown = k;
            if (level == 3)
                break;
        }
        if (idleSteps >= stepCount)
            break;
    }

    k = step;
    int32_t entry = entryOf(k);
    int32_t mx = offsetX(entry);
    int32_t my = offsetY(entry);
    bool last = k + 1 == stepCount;
    if ((entry & 3) != 0 && loopsLeft != 0 && !(last && loopsLeft == 1)) {
        int32_t next = entryOf(last ? 0 : k + 1);
        int32_t targetX = offsetX(next) + (last ? mx : 0);
        int32_t targetY = offsetY(next) + (last ? my : 0);
        // The time may exceed the step's duration when a level-3 step halted
        // the stepping: the glide then ends at its target.
        int32_t d = durationOf(k);
        int32_t f = d == 0 || acc >= d ? FULL_GLIDE : int32_t((acc << 12) / d);
        mx += ((targetX - mx) * f) >> 12;
        my += ((targetY - my) * f) >> 12;
    }
    int32_t dx = int16_t(mx - motionX);
    int32_t dy = int16_t(my - motionY);
    prevX = posX;
    prevY = posY;
    displayedStep = int16_t(shown);
    time = uint16_t(acc);
    motionX = int16_t(mx);
    motionY = int16_t(my);
    if (transform & 4) {
        posX = int16_t(posX + ((transform & 1) ? -dy : dy));
        posY = int16_t(posY + ((transform & 2) ? -dx : dx));
    } else {
        posX = int16_t(posX + ((transform & 2) ? -dx : dx));
        posY = int16_t(posY + ((transform & 1) ? -dy : dy));
    }
    return loopsLeft != 0;
}

int32_t AnimPlayer::getElapsedTime()
{
    int32_t elapsed = time;
    for (int32_t k = 0; k < step; k++)
        elapsed += durationOf(k);
    return elapsed;
}

int32_t AnimPlayer::getAnimationDuration()
{
    return animSet ? VMPtr<AnimSet>(animSet)->getAnimationDuration(animation) : 0;
}

// ---- Drawing and geometry ----

int32_t AnimPlayer::getType()
{
    return 2;
}

VMPtr<Frame> AnimPlayer::getAnimationFrame()
{
    if (!animationFrame)
        animationFrame = VMPtr<AnimSet>(animSet)->getAnimationFrame(animation);
    return VMPtr<Frame>(animationFrame);
}

int32_t AnimPlayer::getWidth(int32_t t)
{
    return getAnimationFrame()->getWidth(t);
}

int32_t AnimPlayer::getHeight(int32_t t)
{
    return getAnimationFrame()->getHeight(t);
}

int32_t AnimPlayer::getX(int32_t t)
{
    return getAnimationFrame()->getX(t);
}

int32_t AnimPlayer::getY(int32_t t)
{
    return getAnimationFrame()->getY(t);
}

void AnimPlayer::paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t t)
{
    int16_t oldX = posX;
    int16_t oldY = posY;
    int8_t oldTransform = transform;
    posX = int16_t(posX + x);
    posY = int16_t(posY + y);
    transform = int8_t(transform ^ t);
    try {
        paint(g);
    } catch (...) {
        posX = oldX;
        posY = oldY;
        transform = oldTransform;
        throw;
    }
    posX = oldX;
    posY = oldY;
    transform = oldTransform;
}

void AnimPlayer::paint(VMPtr<Graphics> g)
{
    if (!animSet || stepCount == 0)
        return;
    VMPtr<AnimSet>(animSet)->paintFrame(g, displayedFrame(), posX, posY, transform);
    eventLevel = 0;
}

VMPtr<Frame> AnimPlayer::getFrame()
{
    return VMPtr<AnimSet>(animSet)->getFrame(getFrameIndex());
}

int32_t AnimPlayer::getFrameIndex()
{
    return stepCount == 0 ? -1 : displayedFrame();
}

int32_t AnimPlayer::getPlacements(VMPtr<IntArray> out)
{
    if (stepCount == 0)
        return 0;
    return VMPtr<AnimSet>(animSet)->getPlacements(displayedFrame(), transform, out);
}

void AnimPlayer::getBounds(VMPtr<IntArray> out)
{
    if (stepCount == 0)
        return;
    VMPtr<AnimSet>(animSet)->getFrameBounds(displayedFrame(), transform, out);
    (*out)[0] += posX;
    (*out)[1] += posY;
}

VMPtr<AnimPlayer::GobArray> AnimPlayer::getGobs()
{
    return animSet ? VMPtr<AnimSet>(animSet)->getGobs() : VMPtr<GobArray>();
}

// ---- Collision ----

int32_t AnimPlayer::getCollisionBoxCount()
{
    if (stepCount == 0)
        return 0;
    return VMPtr<AnimSet>(animSet)->getCollisionBoxCount(displayedFrame());
}

int32_t AnimPlayer::getCollisionBoxes(int32_t t, VMPtr<BoxArray> out, int32_t id)
{
    if (stepCount == 0)
        return 0;
    return VMPtr<AnimSet>(animSet)->getCollisionBoxes(displayedFrame(), t, out, id);
}

int32_t AnimPlayer::getCollisionRects(int32_t t, VMPtr<IntArray> out, int32_t id)
{
    if (stepCount == 0)
        return 0;
    return VMPtr<AnimSet>(animSet)->getCollisionRects(displayedFrame(), t, out, id);
}

int32_t AnimPlayer::getCollisionRects(VMPtr<IntArray> out, int32_t id)
{
    return getCollisionRects(transform, out, id);
}

int32_t AnimPlayer::getCollisionBoxes(VMPtr<BoxArray> out, int32_t id)
{
    return getCollisionBoxes(transform, out, id);
}

int32_t AnimPlayer::getCollisionBoxes(VMPtr<BoxArray> out)
{
    return getCollisionBoxes(transform, out, -1);
}

int32_t AnimPlayer::getCollisionRects(VMPtr<IntArray> out)
{
    return getCollisionRects(transform, out, -1);
}

bool AnimPlayer::collidesWithGob(VMPtr<Gob> gob, int32_t x, int32_t y, int32_t t)
{
    CollisionBox::_VM_clinit();
    VMPtr<CollisionBox> box(CollisionBox::scratchBox);
    gob->getCollisionBox(box, x, y, t);
    return collidesWithBox(box);
}

bool AnimPlayer::collidesWith(VMPtr<AnimPlayer> other)
{
    return Paintable::collidesWith(posX, posY, transform, boxIdFilter, other, other->posX,
                                   other->posY, other->transform, other->boxIdFilter);
}

bool AnimPlayer::containsPoint(int32_t x, int32_t y)
{
    CollisionBox::_VM_clinit();
    VMPtr<CollisionBox> box(CollisionBox::scratchBox);
    box->setBounds(x, y, 1, 1);
    box->id = -1;
    box->type = CollisionBox::RECTANGLE;
    return collidesWithBox(box);
}

int32_t AnimPlayer::fillOwnBoxes(VMPtr<BoxArray>& own)
{
    own = CollisionBox::ensureCapacity(VMPtr<BoxArray>(ownBoxes), getCollisionBoxCount());
    ownBoxes = own;
    return getCollisionBoxes(transform, own, boxIdFilter);
}

bool AnimPlayer::collidesWithBox(VMPtr<CollisionBox> box)
{
    CollisionBox::_VM_clinit();
    if (getCollisionBoxCount() >= 1 && !box->isEmpty()) {
        VMPtr<BoxArray> own;
        int32_t c = fillOwnBoxes(own);
        for (int32_t i = 0; i < c; i++) {
            VMPtr<CollisionBox> mine = own->get(i);
            mine->translate(posX, posY);
            if (mine->intersects(box)) {
                CollisionBox::hitBoxA = mine;
                CollisionBox::hitBoxB = box;
                return true;
            }
        }
    }
    CollisionBox::hitBoxA = nullptr;
    CollisionBox::hitBoxB = nullptr;
    return false;
}

bool AnimPlayer::getFirstCollisionBox(VMPtr<CollisionBox> out, int32_t x, int32_t y, int32_t t)
{
    out->width = 0;
    if (stepCount == 0)
        return false;
    VMPtr<BoxArray> own = CollisionBox::ensureCapacity(VMPtr<BoxArray>(ownBoxes), 1);
    ownBoxes = own;
    if (getCollisionBoxes(t, own, boxIdFilter) < 1)
        return false;
    own->get(0)->copyTo(out);
    out->translate(x, y);
    return true;
}

bool AnimPlayer::getFirstCollisionBox(VMPtr<CollisionBox> out)
{
    return getFirstCollisionBox(out, posX, posY, transform);
}

void AnimPlayer::paintCollisionBoxes(VMPtr<Graphics> g)
{
    VMPtr<BoxArray> own;
    int32_t c = fillOwnBoxes(own);
    for (int32_t i = 0; i < c; i++)
        own->get(i)->paint(g, posX, posY, 0);
}

// ---- Accessors ----

int32_t AnimPlayer::getPrevPosX()
{
    return prevX;
}

int32_t AnimPlayer::getPrevPosY()
{
    return prevY;
}

void AnimPlayer::setPrevPosX(int32_t x)
{
    prevX = int16_t(x);
}

void AnimPlayer::setPrevPosY(int32_t y)
{
    prevY = int16_t(y);
}

int32_t AnimPlayer::getPosX()
{
    return posX;
}

int32_t AnimPlayer::getPosY()
{
    return posY;
}

void AnimPlayer::setPosX(int32_t x)
{
    posX = int16_t(x);
}

void AnimPlayer::setPosY(int32_t y)
{
    posY = int16_t(y);
}

void AnimPlayer::move(int32_t dx, int32_t dy)
{
    posX = int16_t(posX + dx);
    posY = int16_t(posY + dy);
}

int32_t AnimPlayer::getDeltaX()
{
    return posX - prevX;
}

int32_t AnimPlayer::getDeltaY()
{
    return posY - prevY;
}

int32_t AnimPlayer::getLoopsLeft()
{
    return loopsLeft < 0 ? -1 : loopsLeft;
}

int32_t AnimPlayer::getTransform()
{
    return transform;
}

void AnimPlayer::setTransform(int32_t t)
{
    transform = int8_t(t);
}

void AnimPlayer::xorTransform(int32_t value)
{
    transform = int8_t(transform ^ value);
}

int32_t AnimPlayer::getUserByte()
{
    return userByte;
}

void AnimPlayer::setUserByte(int32_t value)
{
    userByte = int8_t(value);
}

int32_t AnimPlayer::getUserShort()
{
    return userShort;
}

void AnimPlayer::setUserShort(int32_t value)
{
    userShort = int16_t(value);
}

int32_t AnimPlayer::getStep()
{
    return step;
}

int32_t AnimPlayer::getDisplayedStep()
{
    return displayedStep;
}

int32_t AnimPlayer::getStepCount()
{
    return stepCount;
}

int32_t AnimPlayer::getAnimation()
{
    return animation;
}

void AnimPlayer::setAnimSet(VMPtr<AnimSet> set)
{
    animSet = set;
}

VMPtr<AnimSet> AnimPlayer::getAnimSet()
{
    return VMPtr<AnimSet>(animSet);
}

} // namespace tq

VM_REGISTER_CLASS(tq::AnimPlayer, "tq.AnimPlayer", "tq.Paintable", "..\\src\\tq_AnimPlayer", nullptr);
