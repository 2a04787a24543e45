#pragma once
// ui.Screen: a panel of numbered items, the base of the menu panels, the HUD,
// the planes, bosses and explosions. Each item shows one engine drawable: a
// picture of a Gob set (kind code 2), a frame of an AnimSet (1) or a running
// AnimPlayer (0); the sets come from the resource cache, and each item holds
// one use of its cache slots until it is replaced or removed. Everything
// about the items lives in parallel per-item arrays of `capacity` places
// made by allocItems. The panel paints an optional full-screen background,
// then its items (clipped when they have a clip rectangle) and then its
// filled rectangles, all moved by -origin; it animates the items below
// nextItem from the frame time, through frame sequences or by playing the
// animations one after another. The logical screen is 240 x 320.
//
// Queries answer -1, 0 or an all-zero array for an index beyond the arrays
// or an empty place; the set, remove and sequence operations throw the
// array-index exception for an index outside the arrays.

#include <cstdint>

#include "tq/AnimPlayer.h"
#include "tq/Gob.h"
#include "tq/Paintable.h"
#include "tq/graphics/CollisionBox.h"
#include "ui/MyObject.h"
#include "vm/VMArray.h"

namespace ui {

class Screen : public MyObject {
    VM_CLASS(Screen, MyObject)

    using IntArray = VMArray<int32_t, 1>;
    using IntTable = VMArray<int32_t, 2>;
    using PaintableArray = VMArray<tq::Paintable, 1>;
    using PlayerArray = VMArray<tq::AnimPlayer, 1>;
    using BoxArray = VMArray<tq::graphics::CollisionBox, 1>;

    static constexpr int32_t SCREEN_WIDTH = 240;
    static constexpr int32_t SCREEN_HEIGHT = 320;
    static constexpr int32_t DEFAULT_BACKGROUND = 0xE3CA83;
    // Kind codes of getItemKind.
    static constexpr int32_t ANIM_ITEM = 0;
    static constexpr int32_t FRAME_ITEM = 1;
    static constexpr int32_t GOB_ITEM = 2;

    // The constructor body of every panel: no items yet, background off in
    // the default colour, origin (0, 0).
    VMPtr<Screen> initItems();
    VMPtr<Screen> init() { return initItems(); }

    // Hands back every held cache use and empties every place.
    void release() override;
    void auxUpdate() override;
    // Sequences and animations of the places below nextItem.
    void update() override;
    // The animation step of item k, timed by t: a frame sequence with its
    // durations, or the next animation once a player without a sequence has
    // stopped. update runs it for every item with the frame time.
    void stepItem(int32_t k, int32_t t);
    void paint(VMPtr<Graphics> g) override;
    // Empties every place without telling the cache.
    void clearItems() override;

    virtual void clearItemSequences();
    // {x, y, width, height, value} of the item's box of kind k, placed.
    virtual VMPtr<IntArray> getItemBox(int32_t i, int32_t k);
    // getItemBox written into the caller's out of five ints, with no
    // allocation: for the collision loops that test a box per part.
    virtual void getItemBoxInto(int32_t i, int32_t k, VMPtr<IntArray> out);
    virtual int32_t getItemFrame(int32_t i);
    virtual void setBackgroundColors(int32_t c1, int32_t c2);
    virtual void setBackgroundColor(int32_t c);
    // Ignored outside 0..capacity.
    virtual void setNextItem(int32_t k);
    virtual int32_t getItemPlayerValue(int32_t i);
    virtual int32_t getItemY(int32_t i);
    virtual int32_t getOriginY();
    virtual void setAnimItem(int32_t i, int32_t gobSetId, int32_t animSetId, int32_t animation,
                             int32_t x, int32_t y);
    virtual int32_t getItemCapacity();
    virtual void setItemPosition(int32_t i, int32_t x, int32_t y);
    virtual void removeItem(int32_t i);
    virtual void addAnimItem(int32_t gobSetId, int32_t animSetId, int32_t animation, int32_t x,
                             int32_t y);
    // Moves an animation item's player to step f of its animation.
    virtual void setItemPlayerFrame(int32_t i, int32_t f);
    virtual VMPtr<IntArray> getItemBox3(int32_t i);
    virtual int32_t getOriginX();
    virtual int32_t getItemAnimSetSlot(int32_t i);
    virtual void setBackgroundEnabled(bool flag);
    virtual int32_t getNextItem();
    virtual void clearRect(int32_t k);
    virtual int32_t getItemGobSlot(int32_t i);
    virtual int32_t getItemBoxCount(int32_t i);
    virtual void addItem(int32_t gobSetId, int32_t animSetId, int32_t frame, int32_t x, int32_t y);
    virtual void setItemFrame(int32_t i, int32_t f);
    virtual int32_t hitItemRect(int32_t i, VMPtr<IntArray> rect);
    // The value of the item's first rectangle that box intersects, or -1.
    virtual int32_t hitItemBox(int32_t i, VMPtr<tq::graphics::CollisionBox> box);
    virtual VMPtr<IntArray> getItemBox2(int32_t i);
    virtual void resetOrigin();
    virtual void setItem(int32_t i, int32_t gobSetId, int32_t animSetId, int32_t frame, int32_t x,
                         int32_t y);
    // A rectangle of width or height 0 is a point.
    virtual bool itemContains(int32_t i, int32_t k, VMPtr<IntArray> rect);
    virtual bool itemContainsBox(int32_t i, int32_t k, VMPtr<tq::graphics::CollisionBox> box);
    virtual int32_t getItemKind(int32_t i);
    virtual void setRect(int32_t k, VMPtr<IntArray> rect, int32_t colour);
    virtual void setOrigin(int32_t x, int32_t y);
    virtual void setItemClip(int32_t i, VMPtr<IntArray> rect);
    // Every place's clip rectangle to the whole screen (0, 0, 240, 320).
    void clipItemsToScreen();
    virtual void setItemSequence1(int32_t i, int32_t frame, int32_t duration);
    // durations must be at least as long as frames.
    virtual void setItemSequence(int32_t i, VMPtr<IntArray> frames, VMPtr<IntArray> durations);
    virtual VMPtr<tq::graphics::CollisionBox> getItemBoxObject(int32_t i, int32_t k);
    virtual int32_t getItemCollisionRects(int32_t i, VMPtr<IntArray> out);
    virtual int32_t getItemCollisionBoxes(int32_t i, VMPtr<BoxArray> out);
    virtual VMPtr<IntArray> getItemBox4(int32_t i);
    virtual int32_t getItemX(int32_t i);
    virtual void allocItems(int32_t n);
    // The drawable's two size queries in the engine's order: height, then
    // width (transform 0); 0 for a missing item.
    virtual int32_t getItemSize2(int32_t i);
    virtual void allocRects(int32_t m);
    virtual int32_t getItemSize1(int32_t i);
    // Every collision rectangle of the item's current picture, placed.
    virtual VMPtr<IntArray> getItemRects(int32_t i);
    virtual int32_t getItemAnimLength(int32_t i);
    virtual void setGobItem(int32_t i, int32_t gobSetId);
    virtual void addGobItem(int32_t gobSetId);
    virtual VMPtr<IntArray> getItemBox1(int32_t i);

    VMField<IntArray> clipSave;
    VMField<IntTable> itemClip;
    VMField<IntArray> gobSlot;
    VMField<PlayerArray> players;
    int32_t bgColor1 = 0;
    int32_t nextItem = 0;
    int32_t capacity = 0;
    bool bgEnabled = false;
    VMField<IntArray> seqIndex;
    VMField<IntTable> seqFrames;
    VMField<IntArray> frame;
    VMField<IntArray> origin;
    VMField<IntArray> animSetSlot;
    VMField<IntTable> seqDurations;
    VMField<PaintableArray> paintables;
    int32_t bgColor2 = 0;
    VMField<IntTable> itemPos;
    VMField<IntTable> rects;
    VMField<IntArray> rectColors;

private:
    // The item's kind code, -1 for a missing item.
    int32_t kindOf(int32_t i);
    // Picture 0 of the item's cached Gob set.
    VMPtr<tq::Gob> firstGob(int32_t i);
    // The relative box of kind k of a frame or animation item into out.
    void relativeBox(int32_t i, int32_t kind, int32_t k, VMPtr<IntArray> out);
    // The placed box of kind k of a frame or animation item into out's five
    // ints, all zero for any other item or a missing box.
    void fillItemBoxOfKind(int32_t i, int32_t k, VMPtr<IntArray> out);
    VMPtr<IntArray> getItemBoxOfKind(int32_t i, int32_t k);
    // Empties place i, loads both sets into it and answers its AnimSet; an
    // AnimSet that is missing hands the uses back and throws
    // IllegalArgumentException.
    VMPtr<tq::AnimSet> loadSets(int32_t i, int32_t gobSetId, int32_t animSetId);
    // How far the item's collision records are moved: by the player for an
    // animation item, by its position for a frame item, not for a Gob.
    void collisionShift(int32_t i, int32_t kind, int32_t& dx, int32_t& dy);

public:
    VM_FIELDS(clipSave, itemClip, gobSlot, players, seqIndex, seqFrames, frame, origin,
              animSetSlot, seqDurations, paintables, itemPos, rects, rectColors)
};

} // namespace ui
