// The game's frame operations on the canvas's animation store: a frame
// picked by player slot or by set and number, then painted or measured.
#include "tq/TqCanvas.h"

#include "tq/AnimSet.h"
#include "tq/Resources.h"

namespace tq {

VMPtr<TqCanvasAnimations> TqCanvas::animationStore()
{
    if (animations == nullptr)
        animations = TqCanvasAnimations::newInstance()->init();
    return VMPtr<TqCanvasAnimations>(animations);
}

void TqCanvas::loadAnimationSet(int32_t resourceId)
{
    VMPtr<TqCanvasAnimations> store = animationStore();
    if (store->findAnimationSet(resourceId) >= 0)
        return;
    VMPtr<java::io::DataInputStream> in = Resources::openResourceStream(resourceId);
    try {
        store->loadAnimationSet(resourceId, in);
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> failure(caught);
        closeAndClear(in);
        throw;
    }
    closeAndClear(in);
}

void TqCanvas::loadAnimationSetAlias(int32_t resourceId)
{
    loadAnimationSet(resourceId);
}

void TqCanvas::compactAnimationSets()
{
    animationStore()->compactAnimationSets();
}

void TqCanvas::compactAnimationSetsAlias()
{
    compactAnimationSets();
}

void TqCanvas::startAnimation(int32_t slot, int32_t resourceId, int32_t animation)
{
    animationStore()->startAnimation(slot, resourceId, animation);
}

void TqCanvas::startAnimationAlias(int32_t slot, int32_t resourceId, int32_t animation)
{
    startAnimation(slot, resourceId, animation);
}

bool TqCanvas::updateAnimation(int32_t slot, int32_t elapsedMs)
{
    return animationStore()->updateAnimation(slot, elapsedMs);
}

bool TqCanvas::updateAnimationAlias(int32_t slot, int32_t elapsedMs)
{
    return updateAnimation(slot, elapsedMs);
}

VMPtr<AnimSet> TqCanvas::loadAnimSet(int32_t resourceId)
{
    return Resources::loadAnimSet(resourceId);
}

namespace {

// The slot's current frame with its set made current, or -1 when the
// slot's animation has no keys.
int32_t slotFrame(const VMPtr<TqCanvasAnimations>& store, int32_t slot)
{
    if (store->getAnimationKeyCount(slot) <= 0)
        return -1;
    return store->getCurrentFrame(slot);
}

// The set's frame store with the set made current.
VMPtr<TqCanvasAnimations> withSet(const VMPtr<TqCanvasAnimations>& store, int32_t setId)
{
    store->setCurrentSet(store->findAnimationSet(setId));
    return store;
}

} // namespace

void TqCanvas::paintSlot(VMPtr<Graphics> g, VMPtr<Gob::GobArray> gobs, int32_t slot, int32_t x,
                         int32_t y, int32_t transform)
{
    VMPtr<TqCanvasAnimations> store = animationStore();
    int32_t frame = slotFrame(store, slot);
    if (frame >= 0)
        store->paintFrame(g, gobs, frame, x, y, transform);
}

void TqCanvas::paintSlotAlias(VMPtr<Graphics> g, VMPtr<Gob::GobArray> gobs, int32_t slot,
                              int32_t x, int32_t y, int32_t transform)
{
    paintSlot(g, gobs, slot, x, y, transform);
}

void TqCanvas::getSlotFrameBounds(VMPtr<Gob::GobArray> gobs, int32_t slot, int32_t x, int32_t y,
                                  int32_t transform, VMPtr<IntArray> out)
{
    VMPtr<TqCanvasAnimations> store = animationStore();
    int32_t frame = slotFrame(store, slot);
    if (frame < 0)
        return;
    store->getFrameBounds(gobs, frame, transform, out);
    (*out)[0] += x;
    (*out)[1] += y;
}

void TqCanvas::getSlotFrameBoundsAlias(VMPtr<Gob::GobArray> gobs, int32_t slot, int32_t x,
                                       int32_t y, int32_t transform, VMPtr<IntArray> out)
{
    getSlotFrameBounds(gobs, slot, x, y, transform, out);
}

int32_t TqCanvas::getSlotFrameBoxes(VMPtr<ShortArray> out, int32_t slot, int32_t transform)
{
    VMPtr<TqCanvasAnimations> store = animationStore();
    int32_t frame = slotFrame(store, slot);
    return frame < 0 ? 0 : store->getFrameBoxes(out, frame, transform, false, 0);
}

int32_t TqCanvas::getSlotFrameBoxes(VMPtr<ShortArray> out, int32_t slot, int32_t transform,
                                    int32_t type)
{
    VMPtr<TqCanvasAnimations> store = animationStore();
    int32_t frame = slotFrame(store, slot);
    return frame < 0 ? 0 : store->getFrameBoxes(out, frame, transform, true, type);
}

int32_t TqCanvas::getSlotParts(VMPtr<ShortArray> out, int32_t slot, int32_t transform)
{
    VMPtr<TqCanvasAnimations> store = animationStore();
    int32_t frame = slotFrame(store, slot);
    return frame < 0 ? 0 : store->getFrameParts(out, frame, transform);
}

void TqCanvas::paintSetFrame(VMPtr<Graphics> g, VMPtr<Gob::GobArray> gobs, int32_t setId,
                             int32_t frame, int32_t x, int32_t y, int32_t transform)
{
    withSet(animationStore(), setId)->paintFrame(g, gobs, frame, x, y, transform);
}

void TqCanvas::getSetFrameBounds(VMPtr<Gob::GobArray> gobs, int32_t setId, int32_t frame,
                                 int32_t transform, VMPtr<IntArray> out)
{
    withSet(animationStore(), setId)->getFrameBounds(gobs, frame, transform, out);
}

int32_t TqCanvas::getSetFrameBoxes(VMPtr<ShortArray> out, int32_t setId, int32_t frame,
                                   int32_t transform)
{
    return withSet(animationStore(), setId)->getFrameBoxes(out, frame, transform, false, 0);
}

int32_t TqCanvas::getSetFrameBoxes(VMPtr<ShortArray> out, int32_t setId, int32_t frame,
                                   int32_t transform, int32_t type)
{
    return withSet(animationStore(), setId)->getFrameBoxes(out, frame, transform, true, type);
}

} // namespace tq
