#pragma once
// tq.TqCanvasAnimations: the canvas's compact animation store. Sets read
// from resources keep every table as packed integers, one row per set;
// player slots (eight shorts each) advance through a set's animations by
// elapsed milliseconds and report the motion of the animated position.
// The canvas holds one store and forwards its animation operations to it.
//
// Packing of one row's elements:
//   animations  first key << 16 | loop count (signed 6 bits) << 10 | key count
//   key kinds   kind << 6 | duration index
//   keys        frame << 22 | x (signed 10) << 12 | y (signed 10) << 2 | interpolation
//   frames      first part << 16 | box count << 8 | part count
//   parts       gob << 22 | x (signed 10) << 12 | y (signed 10) << 2 | transform
//   boxes       x (signed 11) << 21 | y (signed 11) << 10 | width
//   box heights height << 6 | box type
// Slot entries: 0 set row, 1 animation, 2 key, 3 loops left, 4 time in the
// key, 5 x, 6 y, 7 frame key.

#include <cstdint>

#include "java/io/DataInputStream.h"
#include "java/lang/Object.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "tq/Gob.h"
#include "vm/VMArray.h"

namespace tq {

class TqCanvasAnimations : public virtual java::lang::Object {
    VM_CLASS(TqCanvasAnimations, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;
    using ShortArray = VMArray<int16_t, 1>;
    using CharArray = VMArray<char16_t, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using ByteRows = VMArray<int8_t, 2>;
    using ShortRows = VMArray<int16_t, 2>;
    using CharRows = VMArray<char16_t, 2>;
    using IntRows = VMArray<int32_t, 2>;

    VMPtr<TqCanvasAnimations> init() { return VMPtr<TqCanvasAnimations>(this); }

    // ---- Sets ----
    // Reads the set of resourceId from in unless it is loaded. A damaged or
    // short stream throws its exception and leaves the store as it was.
    void loadAnimationSet(int32_t resourceId, VMPtr<java::io::DataInputStream> in);
    // Row of the set, or -1.
    int32_t findAnimationSet(int32_t resourceId);
    int32_t getFrameCount(int32_t resourceId);
    // Makes the set current; the frame's collision box count.
    int32_t getFrameBoxCount(int32_t resourceId, int32_t frame);
    // Sets or clears the keep mark of a loaded set.
    void markAnimationSet(int32_t resourceId, bool keep);
    // Keeps only the marked sets, in order; with none marked everything
    // (slots too) is dropped. Slots are not renumbered.
    void compactAnimationSets();
    // Makes the row the one frame operations use.
    void setCurrentSet(int32_t row) { currentSet = row; }
    int32_t getCurrentSet() const { return currentSet; }

    // ---- Slots ----
    // Grows the slot table to n slots; it never shrinks.
    void setAnimationSlotCount(int32_t n);
    void startAnimation(int32_t slot, int32_t resourceId, int32_t animation);
    void copyAnimationSlot(int32_t from, int32_t to);
    // Advances by elapsedMs; false when no loops are left.
    bool updateAnimation(int32_t slot, int32_t elapsedMs);
    void setAnimationKey(int32_t slot, int32_t key);
    int32_t getAnimationKey(int32_t slot);
    int32_t getAnimationFrameKey(int32_t slot);
    int32_t getAnimationIndex(int32_t slot);
    int32_t getAnimationKeyCount(int32_t slot);
    // Time in the current key plus the durations of the earlier keys.
    int32_t getAnimationTime(int32_t slot);
    // Makes the slot's set current; the frame of its frame key.
    int32_t getCurrentFrame(int32_t slot);
    // The last motion under a sprite transform.
    int32_t getMotionX(int32_t transform);
    int32_t getMotionY(int32_t transform);

    // ---- Frames of the current set ----
    // Paints each part's Gob of gobs at (x, y) shifted by the part's offset,
    // under the part's transform combined with `transform`.
    void paintFrame(VMPtr<javax::microedition::lcdui::Graphics> g, VMPtr<VMArray<Gob, 1>> gobs,
                    int32_t frame, int32_t x, int32_t y, int32_t transform);
    // out[0..3]: x, y, width and height of the union of the parts' boxes;
    // a frame without parts gives (MAX, MAX, 1, 1).
    void getFrameBounds(VMPtr<VMArray<Gob, 1>> gobs, int32_t frame, int32_t transform,
                        VMPtr<IntArray> out);
    // Five shorts per collision box (x, y, width, height, type) under the
    // transform, only boxes of `type` when filter is set; the count written.
    int32_t getFrameBoxes(VMPtr<ShortArray> out, int32_t frame, int32_t transform, bool filter,
                          int32_t type);
    // Four shorts per part while they fit (gob, corner x, corner y,
    // transform); the frame's part count.
    int32_t getFrameParts(VMPtr<ShortArray> out, int32_t frame, int32_t transform);
    // The packed frame entry and part entry of the current set.
    int32_t frameEntry(int32_t frame);
    int32_t partEntry(int32_t part);

    // Corner of the box (x, y, w, h) under a sprite transform.
    static int32_t transformedX(int32_t x, int32_t y, int32_t w, int32_t h, int32_t transform);
    static int32_t transformedY(int32_t x, int32_t y, int32_t w, int32_t h, int32_t transform);

    VMField<ShortArray> identifiers;
    VMField<IntRows> animations;
    VMField<ByteRows> keyKinds;
    VMField<IntRows> keys;
    VMField<CharRows> durations;
    VMField<IntRows> frames;
    VMField<CharRows> frameBoxStarts;
    VMField<IntRows> parts;
    VMField<IntRows> boxes;
    VMField<CharRows> boxHeights;
    VMField<ShortRows> slots;
    int32_t motionX = 0;
    int32_t motionY = 0;
    int32_t currentSet = 0;

    VM_FIELDS(identifiers, animations, keyKinds, keys, durations, frames, frameBoxStarts, parts,
              boxes, boxHeights, slots)

private:
    // Signed value of `bits` bits whose lowest bit is `shift`.
    static int32_t field(int32_t v, int32_t shift, int32_t bits)
    {
        return int32_t(uint32_t(v) << (32 - shift - bits)) >> (32 - bits);
    }
    VMPtr<ShortArray> slotOf(int32_t slot);
    // The slot, made when the table is too short for it.
    VMPtr<ShortArray> grownSlot(int32_t slot);
    int32_t keyEntry(int32_t row, int32_t animation, int32_t key);
    int32_t keyKind(int32_t row, int32_t animation, int32_t key);
    int32_t keyDuration(int32_t row, int32_t animation, int32_t key);
};

} // namespace tq
