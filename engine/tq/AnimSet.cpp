#include "tq/AnimSet.h"

#include <algorithm>
#include <climits>

#include "java/io/IOException.h"
#include "tq/Frame.h"
#include "tq/Resources.h"
#include "tq/graphics/CollisionBox.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq {

using graphics::CollisionBox;
using java::io::DataInputStream;

namespace {

void initialiseAnimSet()
{
    AnimSet::scratchBounds = AnimSet::IntArray::newArray(4);
}

[[noreturn]] void damaged()
{
    vm_throwNew<java::io::IOException>(_VM_literal("Damaged animation set"));
}

// A value that must fit `bits` bits of its packed field.
int32_t fitting(int32_t v, int32_t bits)
{
    if (v < 0 || v >= (1 << bits))
        damaged();
    return v;
}

// Unsigned first index in bits 16-31 of an entry.
int32_t firstIndex(int32_t entry)
{
    return int32_t(uint32_t(entry) >> 16);
}

// The running bounds of a union of rectangles.
struct Union {
    int32_t left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;

    void add(int32_t x, int32_t y, int32_t w, int32_t h)
    {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x + w);
        bottom = std::max(bottom, y + h);
    }
    // {x, y, width, height}; {MAX, MAX, 0, 0} when nothing was added.
    void write(const VMPtr<AnimSet::IntArray>& out) const
    {
        bool empty = left == INT_MAX;
        (*out)[0] = left;
        (*out)[1] = top;
        (*out)[2] = empty ? 0 : right - left;
        (*out)[3] = empty ? 0 : bottom - top;
    }
};

} // namespace

int32_t AnimSet::transformX(int32_t x, int32_t y, int32_t w, int32_t h, int32_t t)
{
    if (t & 4)
        return (t & 1) ? -(y + h) : y;
    return (t & 2) ? -(x + w) : x;
}

int32_t AnimSet::transformY(int32_t x, int32_t y, int32_t w, int32_t h, int32_t t)
{
    if (t & 4)
        return (t & 2) ? -(x + w) : x;
    return (t & 1) ? -(y + h) : y;
}

bool AnimSet::hasFrame(int32_t frame)
{
    return frame >= 0 && frames && frame < frames->length;
}

bool AnimSet::hasAnimation(int32_t animation)
{
    return animation >= 0 && animations && animation < animations->length;
}

int32_t AnimSet::stepEntry(int32_t index)
{
    return index >= 0 && steps && index < steps->length ? (*steps)[index] : 0;
}

int32_t AnimSet::stepInfo(int32_t index)
{
    return index >= 0 && stepInfos && index < stepInfos->length ? uint8_t((*stepInfos)[index]) : 0;
}

int32_t AnimSet::stepDuration(int32_t index)
{
    int32_t slot = stepInfo(index) & 63;
    return durations && slot < durations->length ? (*durations)[slot] : 0;
}

// ---- Loading ----

VMPtr<AnimSet> AnimSet::load(int32_t id)
{
    VMPtr<AnimSet> set = newInstance()->init();
    loadingStream = Resources::openResourceStream(id);
    set->resourceId = id;
    try {
        set->readTables();
    } catch (...) {
        loadingStream = nullptr;
        throw;
    }
    loadingStream = nullptr;
    return set;
}

int32_t AnimSet::readCompactUnsigned()
{
    VMPtr<DataInputStream> in(loadingStream);
    int32_t b = in->readUnsignedByte();
    return b == 255 ? in->readUnsignedShort() : b;
}

int32_t AnimSet::readCompactSigned()
{
    VMPtr<DataInputStream> in(loadingStream);
    int32_t b = in->readByte();
    return b == -128 ? in->readShort() : b;
}

int32_t AnimSet::readRunIndex(VMPtr<IntArray> entries)
{
    int32_t sum = 0;
    for (int32_t i = 0; i < entries->length; i++) {
        int32_t count = readCompactUnsigned();
        (*entries)[i] = fitting(sum, 16) << 16 | count;
        sum += count;
    }
    return fitting(sum, 16);
}

void AnimSet::readPackedPlacements(VMPtr<IntArray> entries)
{
    int32_t n = entries->length;
    int32_t* e = entries->elements();
    for (int32_t i = 0; i < n; i++)
        e[i] |= fitting(readCompactUnsigned(), 10) << 22;
    for (int32_t i = 0; i < n; i++)
        e[i] |= (readCompactSigned() & 0x3FF) << 12;
    for (int32_t i = 0; i < n; i++)
        e[i] |= (readCompactSigned() & 0x3FF) << 2;
}

void AnimSet::readTables()
{
    VMPtr<DataInputStream> in(loadingStream);
    in->readByte();

    int32_t animationCount = in->readUnsignedShort();
    VMPtr<IntArray> anims = IntArray::newArray(animationCount);
    animations = anims;
    animationDurations = IntArray::newArray(animationCount);
    int32_t stepCount = readRunIndex(anims);
    for (int32_t a = 0; a < animationCount; a++) {
        fitting((*anims)[a] & 0xFFFF, 10);
        (*anims)[a] |= (readCompactSigned() & 0x3F) << 10;
    }

    VMPtr<ByteArray> infos = ByteArray::newArray(stepCount);
    VMPtr<IntArray> stepTable = IntArray::newArray(stepCount);
    stepInfos = infos;
    steps = stepTable;
    for (int32_t s = 0; s < stepCount; s++) {
        int32_t v = fitting(readCompactUnsigned(), 10);
        (*infos)[s] = int8_t(v);
        (*stepTable)[s] = v >> 8;
    }
    readPackedPlacements(stepTable);

    int32_t frameCount = in->readUnsignedShort();
    VMPtr<CharArray> boxStarts = CharArray::newArray(frameCount);
    VMPtr<IntArray> frameTable = IntArray::newArray(frameCount);
    firstBox = boxStarts;
    frames = frameTable;
    int32_t placementCount = readRunIndex(frameTable);
    for (int32_t f = 0; f < frameCount; f++)
        fitting((*frameTable)[f] & 0xFFFF, 8);
    VMPtr<IntArray> placed = IntArray::newArray(placementCount);
    placements = placed;
    int32_t mirrors = 0;
    for (int32_t p = 0; p < placementCount; p++) {
        if ((p & 3) == 0)
            mirrors = readCompactUnsigned();
        (*placed)[p] = (mirrors >> (6 - 2 * (p & 3))) & 3;
    }
    readPackedPlacements(placed);

    int32_t boxCount = 0;
    for (int32_t f = 0; f < frameCount; f++) {
        int32_t n = fitting(readCompactUnsigned(), 8);
        (*frameTable)[f] |= n << 8;
        (*boxStarts)[f] = char16_t(fitting(boxCount, 16));
        boxCount += n;
    }
    fitting(boxCount, 16);
    VMPtr<IntArray> origins = IntArray::newArray(boxCount);
    VMPtr<CharArray> extents = CharArray::newArray(boxCount);
    boxOrigins = origins;
    boxExtents = extents;
    for (int32_t b = 0; b < boxCount; b++)
        (*origins)[b] = (readCompactSigned() & 0x7FF) << 21;
    for (int32_t b = 0; b < boxCount; b++)
        (*origins)[b] |= (readCompactSigned() & 0x7FF) << 10;
    for (int32_t b = 0; b < boxCount; b++)
        (*origins)[b] |= fitting(readCompactUnsigned(), 10);
    for (int32_t b = 0; b < boxCount; b++)
        (*extents)[b] = char16_t(fitting(readCompactUnsigned(), 10) << 6);
    for (int32_t b = 0; b < boxCount; b++)
        (*extents)[b] = char16_t((*extents)[b] | fitting(readCompactUnsigned(), 6));

    int32_t durationCount = in->readUnsignedShort();
    VMPtr<CharArray> table = CharArray::newArray(durationCount);
    durations = table;
    for (int32_t d = 0; d < durationCount; d++)
        (*table)[d] = char16_t(readCompactUnsigned());
    // Every step's duration is in the table.
    for (int32_t s = 0; s < stepCount; s++) {
        if (((*infos)[s] & 63) >= durationCount)
            damaged();
    }
}

// ---- Lookups ----

int32_t AnimSet::getFrameCount()
{
    return frames ? frames->length : 0;
}

int32_t AnimSet::getAnimationCount()
{
    return animations ? animations->length : 0;
}

int32_t AnimSet::getStepCount(int32_t animation)
{
    return hasAnimation(animation) ? (*animations)[animation] & 0x3FF : 0;
}

int32_t AnimSet::getPlacementCount(int32_t frame)
{
    return hasFrame(frame) ? (*frames)[frame] & 0xFF : 0;
}

int32_t AnimSet::getCollisionBoxCount(int32_t frame)
{
    return hasFrame(frame) ? ((*frames)[frame] >> 8) & 0xFF : 0;
}

int32_t AnimSet::getResourceId()
{
    return resourceId;
}

VMPtr<AnimSet::GobArray> AnimSet::getGobs()
{
    return VMPtr<GobArray>(gobs);
}

void AnimSet::setGobs(VMPtr<GobArray> newGobs)
{
    gobs = newGobs;
}

int32_t AnimSet::getAnimationDuration(int32_t animation)
{
    if (!hasAnimation(animation))
        return 0;
    int32_t total = (*animationDurations)[animation];
    if (total != 0)
        return total;
    int32_t entry = (*animations)[animation];
    int32_t first = firstIndex(entry);
    for (int32_t k = 0; k < (entry & 0x3FF); k++)
        total += stepDuration(first + k);
    (*animationDurations)[animation] = total;
    return total;
}

VMPtr<Frame> AnimSet::getFrame(int32_t frame)
{
    _VM_clinit();
    VMPtr<IntArray> bounds(scratchBounds);
    if (!hasFrame(frame)) {
        getFrameBounds(frame, 0, bounds);
        // Kept outside the table, also when cut to 16 bits.
        int32_t index = frame == int16_t(frame) ? frame : INT16_MIN;
        return Frame::create()->init(VMPtr<AnimSet>(this), index, bounds);
    }
    if (!frameObjects)
        frameObjects = FrameArray::newArray(frames->length);
    VMPtr<Frame> made = frameObjects->get(frame);
    if (!made) {
        getFrameBounds(frame, 0, bounds);
        made = Frame::create()->init(VMPtr<AnimSet>(this), frame, bounds);
        frameObjects->set(frame, made);
    }
    return made;
}

VMPtr<Frame> AnimSet::getAnimationFrame(int32_t animation)
{
    _VM_clinit();
    VMPtr<IntArray> bounds(scratchBounds);
    if (!hasAnimation(animation)) {
        getAnimationBounds(animation, 0, bounds);
        return Frame::create()->init(VMPtr<AnimSet>(this), INT16_MIN, bounds);
    }
    if (!animationFrames)
        animationFrames = FrameArray::newArray(animations->length);
    VMPtr<Frame> made = animationFrames->get(animation);
    if (!made) {
        getAnimationBounds(animation, 0, bounds);
        int32_t index = -animation >= INT16_MIN ? -animation : INT16_MIN;
        made = Frame::create()->init(VMPtr<AnimSet>(this), index, bounds);
        animationFrames->set(animation, made);
    }
    return made;
}

int32_t AnimSet::getPlacements(int32_t frame, int32_t transform, VMPtr<IntArray> out)
{
    int32_t count = getPlacementCount(frame);
    int32_t first = count ? firstIndex((*frames)[frame]) : 0;
    for (int32_t i = 0; i < count && (i + 1) * 4 <= out->length; i++) {
        int32_t p = (*placements)[first + i];
        int32_t bits = (p & 3) ^ transform;
        int32_t px = signedField(p, 12, 10);
        int32_t py = signedField(p, 2, 10);
        (*out)[i * 4] = int32_t(uint32_t(p) >> 22);
        (*out)[i * 4 + 1] = transformX(px, py, 0, 0, bits);
        (*out)[i * 4 + 2] = transformY(px, py, 0, 0, bits);
        (*out)[i * 4 + 3] = bits;
    }
    return count;
}

void AnimSet::getFrameBounds(int32_t frame, int32_t transform, VMPtr<IntArray> out)
{
    Union bounds;
    int32_t count = getPlacementCount(frame);
    int32_t first = count ? firstIndex((*frames)[frame]) : 0;
    for (int32_t i = 0; i < count; i++) {
        int32_t p = (*placements)[first + i];
        int32_t bits = (p & 3) ^ transform;
        VMPtr<Gob> gob = gobs->get(int32_t(uint32_t(p) >> 22));
        int32_t x = gob->xOffset + signedField(p, 12, 10);
        int32_t y = gob->yOffset + signedField(p, 2, 10);
        int32_t w = gob->width;
        int32_t h = gob->height;
        bool swap = bits & 4;
        bounds.add(transformX(x, y, w, h, bits), transformY(x, y, w, h, bits), swap ? h : w,
                   swap ? w : h);
    }
    bounds.write(out);
}

void AnimSet::getAnimationBounds(int32_t animation, int32_t transform, VMPtr<IntArray> out)
{
    Union bounds;
    int32_t count = getStepCount(animation);
    int32_t first = count ? firstIndex((*animations)[animation]) : 0;
    for (int32_t k = 0; k < count; k++) {
        int32_t step = stepEntry(first + k);
        VMPtr<Frame> frame = getFrame(int32_t(uint32_t(step) >> 22));
        // A frame without placements adds nothing.
        if (frame->getPlacementCount() == 0)
            continue;
        int32_t sx = signedField(step, 12, 10);
        int32_t sy = signedField(step, 2, 10);
        bounds.add(frame->getX(transform) + transformX(sx, sy, 0, 0, transform),
                   frame->getY(transform) + transformY(sx, sy, 0, 0, transform),
                   frame->getWidth(transform), frame->getHeight(transform));
    }
    bounds.write(out);
}

int32_t AnimSet::getCollisionBoxes(int32_t frame, int32_t transform, VMPtr<BoxArray> out)
{
    return getCollisionBoxes(frame, transform, out, -1);
}

int32_t AnimSet::getCollisionRects(int32_t frame, int32_t transform, VMPtr<IntArray> out)
{
    return getCollisionRects(frame, transform, out, -1);
}

int32_t AnimSet::getCollisionBoxes(int32_t frame, int32_t transform, VMPtr<BoxArray> out,
                                   int32_t id)
{
    int32_t count = getCollisionBoxCount(frame);
    int32_t first = count ? (*firstBox)[frame] : 0;
    int32_t filled = 0;
    for (int32_t i = 0; i < count && filled < out->length; i++) {
        int32_t extent = (*boxExtents)[first + i];
        int32_t boxId = extent & 31;
        if (id >= 0 && boxId != id)
            continue;
        int32_t origin = (*boxOrigins)[first + i];
        int32_t x = signedField(origin, 21, 11);
        int32_t y = signedField(origin, 10, 11);
        int32_t w = origin & 0x3FF;
        int32_t h = extent >> 6;
        bool swap = transform & 4;
        VMPtr<CollisionBox> box = out->get(filled++);
        box->x = transformX(x, y, w, h, transform);
        box->y = transformY(x, y, w, h, transform);
        box->width = swap ? h : w;
        box->height = swap ? w : h;
        box->id = boxId;
        box->type = (extent & 32) ? CollisionBox::CIRCLE : CollisionBox::RECTANGLE;
    }
    return filled;
}

int32_t AnimSet::getCollisionRects(int32_t frame, int32_t transform, VMPtr<IntArray> out,
                                   int32_t id)
{
    int32_t count = getCollisionBoxCount(frame);
    int32_t first = count ? (*firstBox)[frame] : 0;
    int32_t written = 0;
    for (int32_t i = 0; i < count && (written + 1) * 5 <= out->length; i++) {
        int32_t extent = (*boxExtents)[first + i];
        int32_t boxId = extent & 31;
        if (id >= 0 && boxId != id)
            continue;
        int32_t origin = (*boxOrigins)[first + i];
        int32_t x = signedField(origin, 21, 11);
        int32_t y = signedField(origin, 10, 11);
        int32_t w = origin & 0x3FF;
        int32_t h = extent >> 6;
        bool swap = transform & 4;
        int32_t* r = out->elements() + written * 5;
        r[0] = transformX(x, y, w, h, transform);
        r[1] = transformY(x, y, w, h, transform);
        r[2] = swap ? h : w;
        r[3] = swap ? w : h;
        r[4] = boxId;
        written++;
    }
    return written;
}

VMPtr<AnimSet> AnimSet::withGobs(VMPtr<GobArray> newGobs)
{
    VMPtr<AnimSet> copy = newInstance()->init();
    copy->animations = VMPtr<IntArray>(animations);
    copy->gobs = newGobs;
    copy->animationDurations = VMPtr<IntArray>(animationDurations);
    copy->frames = VMPtr<IntArray>(frames);
    copy->placements = VMPtr<IntArray>(placements);
    copy->firstBox = VMPtr<CharArray>(firstBox);
    copy->resourceId = resourceId;
    copy->boxExtents = VMPtr<CharArray>(boxExtents);
    copy->boxOrigins = VMPtr<IntArray>(boxOrigins);
    copy->steps = VMPtr<IntArray>(steps);
    copy->durations = VMPtr<CharArray>(durations);
    copy->stepInfos = VMPtr<ByteArray>(stepInfos);
    return copy;
}

void AnimSet::paintFrame(VMPtr<Graphics> g, int32_t frame, int32_t x, int32_t y, int32_t transform)
{
    int32_t count = getPlacementCount(frame);
    int32_t first = count ? firstIndex((*frames)[frame]) : 0;
    for (int32_t i = 0; i < count; i++) {
        int32_t p = (*placements)[first + i];
        VMPtr<Gob> gob = gobs->get(int32_t(uint32_t(p) >> 22));
        int16_t px = int16_t(signedField(p, 12, 10));
        int16_t py = int16_t(signedField(p, 2, 10));
        gob->xOffset = int16_t(gob->xOffset + px);
        gob->yOffset = int16_t(gob->yOffset + py);
        try {
            gob->paint(g, x, y, (p & 3) ^ transform);
        } catch (...) {
            gob->xOffset = int16_t(gob->xOffset - px);
            gob->yOffset = int16_t(gob->yOffset - py);
            throw;
        }
        gob->xOffset = int16_t(gob->xOffset - px);
        gob->yOffset = int16_t(gob->yOffset - py);
    }
}

} // namespace tq

VM_REGISTER_CLASS(tq::AnimSet, "tq.AnimSet", "java.lang.Object", "..\\src\\tq_AnimSet",
                  &tq::initialiseAnimSet);
