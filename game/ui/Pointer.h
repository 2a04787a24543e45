#pragma once
// ui.Pointer: the game's view of the touch screen, all class-wide (every
// object shares it). It registers engine key regions for the four on-screen
// direction buttons (game keys 1 up, 6 down, 2 left, 5 right), and once a
// frame drains the engine's pointer-event queue into the touch state of
// pointer 0: where the touch started, where it was before the latest event,
// where it is, whether it is held and whether it was released during the
// latest processEvents (seen by exactly one frame). It answers hit tests
// against item boxes (right and bottom edges out) and single rectangles
// (edges in). The offsets gather the finished drags of past touches, kept
// within their bounds.

#include <cstdint>

#include "java/lang/Object.h"
#include "tq/graphics/CollisionBox.h"
#include "tq/input/PointerInputKeyManager.h"
#include "vm/VMArray.h"

namespace ui {

class Pointer : public virtual java::lang::Object {
    VM_CLASS(Pointer, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;
    using IntTable = VMArray<int32_t, 2>;
    using BoolArray = VMArray<bool, 1>;
    using BoxArray = VMArray<tq::graphics::CollisionBox, 1>;
    using RegionArray = VMArray<tq::input::PointerInputKeyRegion, 1>;

    static constexpr int8_t KEY_UP = 1;
    static constexpr int8_t KEY_LEFT = 2;
    static constexpr int8_t KEY_RIGHT = 5;
    static constexpr int8_t KEY_DOWN = 6;
    // Events consumed per processEvents, the size of the engine's ring.
    static constexpr int32_t EVENTS_PER_FRAME = 20;

    // Starts the shared touch state afresh.
    VMPtr<Pointer> init();

    // p is the pointer index (0); rect is {x, y, width, height}. The add and
    // remove operations ignore a rectangle of width or height 0.
    virtual int32_t getX(int32_t p);
    virtual void addDownRegion(VMPtr<IntArray> rect);
    virtual int32_t getDragX(int32_t p);
    virtual void setOffsetX(int32_t v);
    virtual int32_t getPreviousY(int32_t p);
    virtual void setOffsetBounds(int32_t maxX, int32_t maxY, int32_t minX, int32_t minY);
    virtual void setStartX(int32_t p, int32_t v);
    virtual void resetX();
    virtual int32_t getHeldItem(int32_t p);
    // The lowest item whose box holds the touch, -1 outside the item area.
    virtual int32_t getItemAt(int32_t p);
    virtual void addRightRegion(VMPtr<IntArray> rect);
    virtual int32_t getStartX(int32_t p);
    virtual void removeDownRegions(VMPtr<IntArray> rect);
    virtual int32_t getY(int32_t p);
    virtual void update();
    // boxes: rows {x, y, width, height}; area: {x, y, width, height}.
    virtual void setItemBoxes(VMPtr<IntTable> boxes, VMPtr<IntArray> area);
    virtual void addUpRegion(VMPtr<IntArray> rect);
    // Removes every key region of every key, then reset.
    virtual void clearRegions();
    virtual void reset();
    virtual int32_t getPendingEventCount();
    virtual int32_t getDragY(int32_t p);
    virtual void setOffsetY(int32_t v);
    virtual void removeUpRegions(VMPtr<IntArray> rect);
    virtual int32_t getPreviousX(int32_t p);
    virtual void removeLeftRegions(VMPtr<IntArray> rect);
    virtual void setStartY(int32_t p, int32_t v);
    virtual void addLeftRegion(VMPtr<IntArray> rect);
    virtual int32_t getReleasedItem(int32_t p);
    // Edges included.
    virtual bool isInside(VMPtr<IntArray> rect, int32_t p);
    virtual void resetY();
    virtual void removeRightRegions(VMPtr<IntArray> rect);
    // Takes up to EVENTS_PER_FRAME events from the engine's queue.
    virtual void processEvents();
    virtual int32_t getStartY(int32_t p);

    VM_STATIC(IntArray, startX);
    VM_STATIC(IntArray, startY);
    VM_STATIC(IntArray, previousX);
    VM_STATIC(IntArray, previousY);
    VM_STATIC(IntArray, currentX);
    VM_STATIC(IntArray, currentY);
    VM_STATIC(BoolArray, pressed);
    VM_STATIC(BoolArray, released);
    VM_STATIC(BoxArray, itemBoxes);
    VM_STATIC(tq::graphics::CollisionBox, itemArea);
    VM_STATIC(RegionArray, directionRegions);
    static inline int32_t offsetX = 0;
    static inline int32_t offsetY = 0;
    static inline int32_t offsetMaxX = 0;
    static inline int32_t offsetMaxY = 0;
    static inline int32_t offsetMinX = 0;
    static inline int32_t offsetMinY = 0;

private:
    static void addRegion(int8_t key, VMPtr<IntArray> rect);
    static void removeRegions(int8_t key, VMPtr<IntArray> rect);
    // Adds the finished drag of the touch that ended to the offsets.
    static void foldDrag();
};

} // namespace ui
