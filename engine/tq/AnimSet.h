#pragma once
// tq.AnimSet: one set of animations read from a resource. Frames place Gobs
// and carry collision boxes; animations are runs of steps, each showing a
// frame for a duration at a motion offset. Everything is kept as packed
// integer arrays:
//
//   animation   first step << 16 | loop count (signed 6) << 10 | step count
//   frame       first placement << 16 | box count << 8 | placement count
//   placement   gob << 22 | x (signed 10) << 12 | y (signed 10) << 2 | mirror bits
//   step        frame << 22 | x (signed 10) << 12 | y (signed 10) << 2 | glide bits
//   step info   event level << 6 | duration index
//   box origin  x (signed 11) << 21 | y (signed 11) << 10 | width
//   box extent  height << 6 | circle << 5 | id
//
// The Gobs are not in the stream: setGobs hands them in. A frame or
// animation index outside the tables (a whole-animation Frame's negative
// index among them) is an empty frame: nothing painted, no placements, no
// boxes, bounds {MAX, MAX, 0, 0}. Transforms are the MIDP Sprite codes; a
// placement's mirror bits are XORed with the caller's transform.
//
// The loader keeps its stream in a static: one load at a time, on the VM's
// thread.

#include <cstdint>

#include "java/io/DataInputStream.h"
#include "java/lang/Object.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "tq/Gob.h"

namespace tq {

class Frame;

class AnimSet : public virtual java::lang::Object {
    VM_CLASS(AnimSet, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;
    using CharArray = VMArray<char16_t, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using GobArray = VMArray<Gob, 1>;
    using FrameArray = VMArray<Frame, 1>;
    using BoxArray = Paintable::BoxArray;
    using Graphics = javax::microedition::lcdui::Graphics;

    VMPtr<AnimSet> init() { return VMPtr<AnimSet>(this); }

    virtual int32_t getFrameCount();
    virtual int32_t getStepCount(int32_t animation);
    // Made on first use and cached; an index outside the table gives an
    // empty Frame that is not cached.
    virtual VMPtr<Frame> getFrame(int32_t frame);
    // The sum of the animation's step durations; 0 for an index outside.
    virtual int32_t getAnimationDuration(int32_t animation);
    virtual int32_t getCollisionRects(int32_t frame, int32_t transform, VMPtr<IntArray> out);
    virtual int32_t getCollisionBoxes(int32_t frame, int32_t transform, VMPtr<BoxArray> out);
    // Four ints per placement {gob, x, y, transform} while they fit; answers
    // the frame's placement count.
    virtual int32_t getPlacements(int32_t frame, int32_t transform, VMPtr<IntArray> out);
    virtual int32_t getAnimationCount();
    // {x, y, width, height} of the placed Gobs under the transform.
    virtual void getFrameBounds(int32_t frame, int32_t transform, VMPtr<IntArray> out);
    virtual int32_t getPlacementCount(int32_t frame);
    virtual void setGobs(VMPtr<GobArray> gobs);
    // The frame's boxes of the id (every box for a negative id) while out
    // has room; the number filled.
    virtual int32_t getCollisionBoxes(int32_t frame, int32_t transform, VMPtr<BoxArray> out,
                                      int32_t id);
    // The same as records of five ints {x, y, width, height, id}.
    virtual int32_t getCollisionRects(int32_t frame, int32_t transform, VMPtr<IntArray> out,
                                      int32_t id);
    // A set sharing every table (the duration totals too) with other Gobs
    // and empty Frame caches.
    virtual VMPtr<AnimSet> withGobs(VMPtr<GobArray> gobs);
    virtual int32_t getCollisionBoxCount(int32_t frame);
    virtual int32_t getResourceId();
    virtual VMPtr<GobArray> getGobs();
    virtual void paintFrame(VMPtr<Graphics> g, int32_t frame, int32_t x, int32_t y,
                            int32_t transform);
    // The union of the step frames' bounds, each moved by its step's offset.
    virtual void getAnimationBounds(int32_t animation, int32_t transform, VMPtr<IntArray> out);
    // A Frame standing for the whole animation (index -animation), cached.
    virtual VMPtr<Frame> getAnimationFrame(int32_t animation);

    // Reads the set from resource id. A stream that ends early, or whose
    // values do not fit their fields, throws IOException.
    static VMPtr<AnimSet> load(int32_t id);
    static int32_t readCompactUnsigned();
    static int32_t readCompactSigned();
    // Counts into the low bits, first indexes into bits 16-31; the sum.
    static int32_t readRunIndex(VMPtr<IntArray> entries);
    // Gob or frame index, x and y offsets ORed into the entries.
    static void readPackedPlacements(VMPtr<IntArray> entries);

    // Left and top of the rectangle (x, y, w, h) under the transform; a
    // point is a rectangle of size 0.
    static int32_t transformX(int32_t x, int32_t y, int32_t w, int32_t h, int32_t transform);
    static int32_t transformY(int32_t x, int32_t y, int32_t w, int32_t h, int32_t transform);
    // The signed field of `bits` bits whose lowest bit is `shift`.
    static int32_t signedField(int32_t word, int32_t shift, int32_t bits)
    {
        return int32_t(uint32_t(word) << (32 - shift - bits)) >> (32 - bits);
    }

    // The packed step entry, step info and duration of a step of the
    // steps table; 0 outside it.
    int32_t stepEntry(int32_t index);
    int32_t stepInfo(int32_t index);
    int32_t stepDuration(int32_t index);

    VMField<IntArray> animations;
    VMField<GobArray> gobs;
    VMField<IntArray> animationDurations;
    VMField<IntArray> frames;
    VMField<IntArray> placements;
    VMField<CharArray> firstBox;
    int32_t resourceId = 0;
    VMField<CharArray> boxExtents;
    VMField<IntArray> boxOrigins;
    VMField<IntArray> steps;
    VMField<CharArray> durations;
    VMField<ByteArray> stepInfos;
    VMField<FrameArray> animationFrames;
    VMField<FrameArray> frameObjects;

    // The stream being loaded (null outside a load) and the scratch bounds
    // Frames are made from.
    VM_STATIC(java::io::DataInputStream, loadingStream);
    VM_STATIC(IntArray, scratchBounds);

private:
    bool hasFrame(int32_t frame);
    bool hasAnimation(int32_t animation);
    // Reads every table from the loading stream.
    void readTables();

public:
    VM_FIELDS(animations, gobs, animationDurations, frames, placements, firstBox, boxExtents,
              boxOrigins, steps, durations, stepInfos, animationFrames, frameObjects)
};

} // namespace tq
