#include "tq/TqCanvasAnimations.h"

#include <algorithm>
#include <climits>

#include "java/io/IOException.h"
#include "java/lang/NullPointerException.h"
#include "tq/AnimSet.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

VM_REGISTER_CLASS(tq::TqCanvasAnimations, "tq.TqCanvasAnimations", "java.lang.Object",
                  "..\\src\\tq_TqCanvasAnimations", nullptr);

namespace tq {

using java::io::DataInputStream;

namespace {

// A copy of rows one row longer, `row` last; null counts as empty.
template<class Rows>
VMPtr<Rows> appendRow(const VMPtr<Rows>& rows, const VMPtr<typename Rows::Element>& row)
{
    int32_t n = rows == nullptr ? 0 : rows->length;
    VMPtr<Rows> grown = Rows::newArray(n + 1);
    for (int32_t i = 0; i < n; i++)
        grown->set(i, rows->get(i));
    grown->set(n, row);
    return grown;
}

// dst[i] = src[picks[i]].
template<class Rows>
VMPtr<Rows> pickRows(const VMPtr<Rows>& src, const VMPtr<VMArray<char16_t, 1>>& picks)
{
    VMPtr<Rows> dst = Rows::newArray(picks->length);
    for (int32_t i = 0; i < picks->length; i++)
        dst->set(i, src->get((*picks)[i]));
    return dst;
}

[[noreturn]] void damaged()
{
    vm_throwNew<java::io::IOException>(_VM_literal("Damaged animation set"));
}

// One unsigned byte; 255 announces an unsigned 16-bit value.
int32_t readVarU(DataInputStream* in)
{
    int32_t b = in->readUnsignedByte();
    return b == 255 ? in->readUnsignedShort() : b;
}

// One signed byte; -128 announces a signed 16-bit value.
int32_t readVarS(DataInputStream* in)
{
    int32_t b = in->readByte();
    return b == -128 ? in->readShort() : b;
}

// A count that must fit `bits` bits of its packed field.
int32_t checked(int32_t v, int32_t bits)
{
    if (v >= (1 << bits))
        damaged();
    return v;
}

} // namespace

// ---- Sets ----

void TqCanvasAnimations::loadAnimationSet(int32_t resourceId, VMPtr<DataInputStream> input)
{
    if (findAnimationSet(resourceId) >= 0)
        return;
    DataInputStream* in = vm_nonNull(input);
    // Every row is read in full before any table changes, so a damaged
    // stream leaves the store as it was.
    in->readByte();
    int32_t animationCount = in->readUnsignedShort();
    VMPtr<IntArray> anims = IntArray::newArray(animationCount);
    int32_t keyCount = 0;
    for (int32_t a = 0; a < animationCount; a++) {
        int32_t n = checked(readVarU(in), 10);
        (*anims)[a] = checked(keyCount, 16) << 16 | n;
        keyCount += n;
    }
    checked(keyCount, 16);
    for (int32_t a = 0; a < animationCount; a++)
        (*anims)[a] |= (readVarS(in) & 0x3F) << 10;

    VMPtr<ByteArray> kinds = ByteArray::newArray(keyCount);
    VMPtr<IntArray> keyRow = IntArray::newArray(keyCount);
    for (int32_t k = 0; k < keyCount; k++) {
        int32_t v = readVarU(in);
        (*kinds)[k] = int8_t(v);
        (*keyRow)[k] = (v >> 8) & 3;
    }
    for (int32_t k = 0; k < keyCount; k++)
        (*keyRow)[k] |= checked(readVarU(in), 10) << 22;
    for (int32_t k = 0; k < keyCount; k++)
        (*keyRow)[k] |= (readVarS(in) & 0x3FF) << 12;
    for (int32_t k = 0; k < keyCount; k++)
        (*keyRow)[k] |= (readVarS(in) & 0x3FF) << 2;

    int32_t frameCount = in->readUnsignedShort();
    VMPtr<IntArray> frameRow = IntArray::newArray(frameCount);
    int32_t partCount = 0;
    for (int32_t f = 0; f < frameCount; f++) {
        int32_t n = checked(readVarU(in), 8);
        (*frameRow)[f] = checked(partCount, 16) << 16 | n;
        partCount += n;
    }
    checked(partCount, 16);
    VMPtr<IntArray> partRow = IntArray::newArray(partCount);
    int32_t packed = 0;
    for (int32_t p = 0; p < partCount; p++) {
        if ((p & 3) == 0)
            packed = readVarU(in);
        (*partRow)[p] = (packed >> (6 - 2 * (p & 3))) & 3;
    }
    for (int32_t p = 0; p < partCount; p++)
        (*partRow)[p] |= checked(readVarU(in), 10) << 22;
    for (int32_t p = 0; p < partCount; p++)
        (*partRow)[p] |= (readVarS(in) & 0x3FF) << 12;
    for (int32_t p = 0; p < partCount; p++)
        (*partRow)[p] |= (readVarS(in) & 0x3FF) << 2;

    VMPtr<CharArray> boxStarts = CharArray::newArray(frameCount);
    int32_t boxCount = 0;
    for (int32_t f = 0; f < frameCount; f++) {
        int32_t n = checked(readVarU(in), 8);
        (*frameRow)[f] |= n << 8;
        (*boxStarts)[f] = char16_t(checked(boxCount, 16));
        boxCount += n;
    }
    checked(boxCount, 16);
    VMPtr<IntArray> boxRow = IntArray::newArray(boxCount);
    VMPtr<CharArray> heights = CharArray::newArray(boxCount);
    for (int32_t b = 0; b < boxCount; b++)
        (*boxRow)[b] = (readVarS(in) & 0x7FF) << 21;
    for (int32_t b = 0; b < boxCount; b++)
        (*boxRow)[b] |= (readVarS(in) & 0x7FF) << 10;
    for (int32_t b = 0; b < boxCount; b++)
        (*boxRow)[b] |= readVarU(in) & 0x3FF;
    for (int32_t b = 0; b < boxCount; b++)
        (*heights)[b] = char16_t((readVarU(in) & 0x3FF) << 6);
    for (int32_t b = 0; b < boxCount; b++)
        (*heights)[b] = char16_t((*heights)[b] | (readVarU(in) & 0x3F));

    int32_t durationCount = in->readUnsignedShort();
    VMPtr<CharArray> durationRow = CharArray::newArray(durationCount);
    for (int32_t d = 0; d < durationCount; d++)
        (*durationRow)[d] = char16_t(readVarU(in));

    int32_t n = identifiers.get() == nullptr ? 0 : identifiers->length;
    VMPtr<ShortArray> ids = ShortArray::newArray(n + 1);
    for (int32_t i = 0; i < n; i++)
        (*ids)[i] = (*identifiers)[i];
    (*ids)[n] = int16_t(resourceId);
    // Allocation only from here on: the rows go in together.
    VMPtr<IntRows> newAnimations = appendRow<IntRows>(animations, anims);
    VMPtr<ByteRows> newKinds = appendRow<ByteRows>(keyKinds, kinds);
    VMPtr<IntRows> newKeys = appendRow<IntRows>(keys, keyRow);
    VMPtr<CharRows> newDurations = appendRow<CharRows>(durations, durationRow);
    VMPtr<IntRows> newFrames = appendRow<IntRows>(frames, frameRow);
    VMPtr<CharRows> newBoxStarts = appendRow<CharRows>(frameBoxStarts, boxStarts);
    VMPtr<IntRows> newParts = appendRow<IntRows>(parts, partRow);
    VMPtr<IntRows> newBoxes = appendRow<IntRows>(boxes, boxRow);
    VMPtr<CharRows> newHeights = appendRow<CharRows>(boxHeights, heights);
    identifiers = ids;
    animations = newAnimations;
    keyKinds = newKinds;
    keys = newKeys;
    durations = newDurations;
    frames = newFrames;
    frameBoxStarts = newBoxStarts;
    parts = newParts;
    boxes = newBoxes;
    boxHeights = newHeights;
}

int32_t TqCanvasAnimations::findAnimationSet(int32_t resourceId)
{
    VMPtr<ShortArray> ids(identifiers);
    if (ids == nullptr)
        return -1;
    for (int32_t i = 0; i < ids->length; i++) {
        if (((*ids)[i] & 0x7FFF) == resourceId)
            return i;
    }
    return -1;
}

int32_t TqCanvasAnimations::getFrameCount(int32_t resourceId)
{
    return vm_nonNull(VMPtr<IntRows>(frames))->get(findAnimationSet(resourceId))->length;
}

int32_t TqCanvasAnimations::getFrameBoxCount(int32_t resourceId, int32_t frame)
{
    currentSet = findAnimationSet(resourceId);
    return (frameEntry(frame) >> 8) & 0xFF;
}

void TqCanvasAnimations::markAnimationSet(int32_t resourceId, bool keep)
{
    int32_t row = findAnimationSet(resourceId);
    int16_t& id = (*vm_nonNull(VMPtr<ShortArray>(identifiers)))[row];
    id = int16_t(keep ? (id | 0x8000) : (id & 0x7FFF));
}

void TqCanvasAnimations::compactAnimationSets()
{
    VMPtr<ShortArray> ids(identifiers);
    int32_t kept = 0;
    for (int32_t i = 0; ids != nullptr && i < ids->length; i++)
        kept += (*ids)[i] < 0 ? 1 : 0;
    if (kept == 0) {
        identifiers = nullptr;
        animations = nullptr;
        keyKinds = nullptr;
        keys = nullptr;
        durations = nullptr;
        frames = nullptr;
        frameBoxStarts = nullptr;
        parts = nullptr;
        boxes = nullptr;
        boxHeights = nullptr;
        slots = nullptr;
        return;
    }
    VMPtr<CharArray> picks = CharArray::newArray(kept);
    VMPtr<ShortArray> keptIds = ShortArray::newArray(kept);
    for (int32_t i = 0, j = 0; i < ids->length; i++) {
        if ((*ids)[i] < 0) {
            (*picks)[j] = char16_t(i);
            (*keptIds)[j++] = (*ids)[i];
        }
    }
    identifiers = keptIds;
    animations = pickRows<IntRows>(animations, picks);
    keyKinds = pickRows<ByteRows>(keyKinds, picks);
    keys = pickRows<IntRows>(keys, picks);
    durations = pickRows<CharRows>(durations, picks);
    frames = pickRows<IntRows>(frames, picks);
    frameBoxStarts = pickRows<CharRows>(frameBoxStarts, picks);
    parts = pickRows<IntRows>(parts, picks);
    boxes = pickRows<IntRows>(boxes, picks);
    boxHeights = pickRows<CharRows>(boxHeights, picks);
}

// ---- Slots ----

void TqCanvasAnimations::setAnimationSlotCount(int32_t n)
{
    VMPtr<ShortRows> table(slots);
    int32_t have = table == nullptr ? 0 : table->length;
    if (n <= have)
        return;
    VMPtr<ShortRows> grown = ShortRows::newArray(n);
    for (int32_t i = 0; i < n; i++)
        grown->set(i, i < have ? table->get(i) : ShortArray::newArray(8));
    slots = grown;
}

VMPtr<TqCanvasAnimations::ShortArray> TqCanvasAnimations::slotOf(int32_t slot)
{
    return vm_nonNull(VMPtr<ShortRows>(slots))->get(slot);
}

VMPtr<TqCanvasAnimations::ShortArray> TqCanvasAnimations::grownSlot(int32_t slot)
{
    if (slot >= 0)
        setAnimationSlotCount(slot + 1);
    return slotOf(slot);
}

int32_t TqCanvasAnimations::keyEntry(int32_t row, int32_t animation, int32_t key)
{
    int32_t first = int32_t(uint32_t((*animations->get(row))[animation]) >> 16);
    return (*keys->get(row))[first + key];
}

int32_t TqCanvasAnimations::keyKind(int32_t row, int32_t animation, int32_t key)
{
    int32_t first = int32_t(uint32_t((*animations->get(row))[animation]) >> 16);
    return ((*keyKinds->get(row))[first + key] >> 6) & 3;
}

int32_t TqCanvasAnimations::keyDuration(int32_t row, int32_t animation, int32_t key)
{
    int32_t first = int32_t(uint32_t((*animations->get(row))[animation]) >> 16);
    return (*durations->get(row))[(*keyKinds->get(row))[first + key] & 0x3F];
}

void TqCanvasAnimations::startAnimation(int32_t slot, int32_t resourceId, int32_t animation)
{
    int32_t row = findAnimationSet(resourceId);
    int32_t entry = (*vm_nonNull(VMPtr<IntRows>(animations))->get(row))[animation];
    VMPtr<ShortArray> s = grownSlot(slot);
    const int16_t values[8] = {int16_t(row), int16_t(animation), 0, int16_t(field(entry, 10, 6)),
                               0, 0, 0, 0};
    for (int32_t i = 0; i < 8; i++)
        (*s)[i] = values[i];
}

void TqCanvasAnimations::copyAnimationSlot(int32_t from, int32_t to)
{
    VMPtr<ShortArray> source = slotOf(from);
    VMPtr<ShortArray> target = grownSlot(to);
    for (int32_t i = 0; i < 8; i++)
        (*target)[i] = (*source)[i];
}

bool TqCanvasAnimations::updateAnimation(int32_t slot, int32_t elapsedMs)
{
    VMPtr<ShortArray> s = slotOf(slot);
    int32_t loops = (*s)[3];
    if (loops == 0) {
        motionX = motionY = 0;
        return false;
    }
    const int32_t row = (*s)[0];
    const int32_t animation = (*s)[1];
    const int32_t keyCount = (*vm_nonNull(VMPtr<IntRows>(animations))->get(row))[animation] & 0x3FF;
    int32_t key = (*s)[2];
    int32_t time = (*s)[4] + elapsedMs;
    int32_t previousX = (*s)[5];
    int32_t previousY = (*s)[6];
    int32_t frameKey = key;
    int32_t limit = key == (*s)[7] ? 0 : keyKind(row, animation, key);
    // Durations passed since the last wrap: a cycle of zero length ends the
    // advance rather than spinning on forever.
    int64_t cycle = 0;
    for (;;) {
        int32_t d = keyDuration(row, animation, key);
        if (time < d)
            break;
        time -= d;
        cycle += d;
        int32_t next = key + 1;
        if (next == keyCount) {
            if (loops > 0) {
                loops--;
                if (loops == 0) {
                    time = d;
                    break;
                }
            }
            if (cycle == 0)
                break;
            cycle = 0;
            int32_t last = keyEntry(row, animation, key);
            previousX -= field(last, 12, 10);
            previousY -= field(last, 2, 10);
            next = 0;
        }
        key = next;
        int32_t k = keyKind(row, animation, key);
        if (k < limit)
            continue;
        frameKey = key;
        limit = k;
        if (k == 3)
            break;
    }
    int32_t entry = keyEntry(row, animation, key);
    int32_t x = field(entry, 12, 10);
    int32_t y = field(entry, 2, 10);
    if ((entry & 3) != 0 && loops != 0) {
        bool last = key == keyCount - 1;
        if (!last || loops != 1) {
            int32_t target = keyEntry(row, animation, last ? 0 : key + 1);
            int32_t targetX = field(target, 12, 10) + (last ? x : 0);
            int32_t targetY = field(target, 2, 10) + (last ? y : 0);
            int32_t d = keyDuration(row, animation, key);
            int32_t f = d == 0 ? 0 : (time << 12) / d;
            x += ((targetX - x) * f) >> 12;
            y += ((targetY - y) * f) >> 12;
        }
    }
    motionX = x - previousX;
    motionY = y - previousY;
    (*s)[2] = int16_t(key);
    (*s)[3] = int16_t(loops);
    (*s)[4] = int16_t(time);
    (*s)[5] = int16_t(x);
    (*s)[6] = int16_t(y);
    (*s)[7] = int16_t(frameKey);
    return loops != 0;
}

void TqCanvasAnimations::setAnimationKey(int32_t slot, int32_t key)
{
    VMPtr<ShortArray> s = slotOf(slot);
    int32_t entry = keyEntry((*s)[0], (*s)[1], key);
    int32_t x = field(entry, 12, 10);
    int32_t y = field(entry, 2, 10);
    motionX = x - (*s)[5];
    motionY = y - (*s)[6];
    (*s)[2] = int16_t(key);
    (*s)[4] = 0;
    (*s)[5] = int16_t(x);
    (*s)[6] = int16_t(y);
    (*s)[7] = int16_t(key);
}

int32_t TqCanvasAnimations::getAnimationKey(int32_t slot)
{
    return (*slotOf(slot))[2];
}

int32_t TqCanvasAnimations::getAnimationFrameKey(int32_t slot)
{
    return (*slotOf(slot))[7];
}

int32_t TqCanvasAnimations::getAnimationIndex(int32_t slot)
{
    return (*slotOf(slot))[1];
}

int32_t TqCanvasAnimations::getAnimationKeyCount(int32_t slot)
{
    VMPtr<ShortArray> s = slotOf(slot);
    return (*vm_nonNull(VMPtr<IntRows>(animations))->get((*s)[0]))[(*s)[1]] & 0x3FF;
}

int32_t TqCanvasAnimations::getAnimationTime(int32_t slot)
{
    VMPtr<ShortArray> s = slotOf(slot);
    int32_t time = (*s)[4];
    for (int32_t k = 0; k < (*s)[2]; k++)
        time += keyDuration((*s)[0], (*s)[1], k);
    return time;
}

int32_t TqCanvasAnimations::getCurrentFrame(int32_t slot)
{
    VMPtr<ShortArray> s = slotOf(slot);
    currentSet = (*s)[0];
    return int32_t(uint32_t(keyEntry(currentSet, (*s)[1], (*s)[7])) >> 22);
}

int32_t TqCanvasAnimations::getMotionX(int32_t transform)
{
    return transformedX(motionX, motionY, 0, 0, transform);
}

int32_t TqCanvasAnimations::getMotionY(int32_t transform)
{
    return transformedY(motionX, motionY, 0, 0, transform);
}

int32_t TqCanvasAnimations::transformedX(int32_t x, int32_t y, int32_t w, int32_t h, int32_t t)
{
    return AnimSet::transformX(x, y, w, h, t);
}

int32_t TqCanvasAnimations::transformedY(int32_t x, int32_t y, int32_t w, int32_t h, int32_t t)
{
    return AnimSet::transformY(x, y, w, h, t);
}

// ---- Frames ----

int32_t TqCanvasAnimations::frameEntry(int32_t frame)
{
    return (*vm_nonNull(VMPtr<IntRows>(frames))->get(currentSet))[frame];
}

int32_t TqCanvasAnimations::partEntry(int32_t part)
{
    return (*vm_nonNull(VMPtr<IntRows>(parts))->get(currentSet))[part];
}

int32_t TqCanvasAnimations::getFrameBoxes(VMPtr<ShortArray> out, int32_t frame, int32_t transform,
                                          bool filter, int32_t type)
{
    int32_t count = (frameEntry(frame) >> 8) & 0xFF;
    int32_t start = (*frameBoxStarts->get(currentSet))[frame];
    VMPtr<IntArray> boxRow = boxes->get(currentSet);
    VMPtr<CharArray> heightRow = boxHeights->get(currentSet);
    int32_t written = 0;
    for (int32_t i = 0; i < count; i++) {
        if (vm_nonNull(out)->length <= 4 + 5 * written)
            break;
        int32_t box = (*boxRow)[start + i];
        int32_t height = (*heightRow)[start + i];
        int32_t x = field(box, 21, 11);
        int32_t y = field(box, 10, 11);
        int32_t w = box & 0x3FF;
        int32_t h = height >> 6;
        int32_t boxType = height & 0x3F;
        if (filter && boxType != type)
            continue;
        int16_t* o = out->elements() + 5 * written;
        if (transform & 4) {
            o[0] = int16_t(transformedX(x, y, w, h, transform));
            o[1] = int16_t(transformedY(x, y, w, h, transform));
            o[2] = int16_t(h);
            o[3] = int16_t(w);
        } else {
            o[0] = int16_t((transform & 2) ? -(x + w) : x);
            o[1] = int16_t((transform & 1) ? -(y + h) : y);
            o[2] = int16_t(w);
            o[3] = int16_t(h);
        }
        o[4] = int16_t(boxType);
        written++;
    }
    return written;
}

namespace {

// Moves a Gob's offset by a part's for the length of a block.
class ShiftedGob {
public:
    ShiftedGob(const VMPtr<Gob>& g, int32_t dx, int32_t dy) : gob(g), x(dx), y(dy)
    {
        gob->xOffset = int16_t(gob->xOffset + x);
        gob->yOffset = int16_t(gob->yOffset + y);
    }
    ~ShiftedGob()
    {
        gob->xOffset = int16_t(gob->xOffset - x);
        gob->yOffset = int16_t(gob->yOffset - y);
    }

private:
    VMPtr<Gob> gob;
    int32_t x, y;
};

} // namespace

void TqCanvasAnimations::paintFrame(VMPtr<javax::microedition::lcdui::Graphics> g,
                                    VMPtr<VMArray<Gob, 1>> gobs, int32_t frame, int32_t x,
                                    int32_t y, int32_t transform)
{
    int32_t entry = frameEntry(frame);
    int32_t first = int32_t(uint32_t(entry) >> 16);
    for (int32_t p = first; p < first + (entry & 0xFF); p++) {
        int32_t v = partEntry(p);
        VMPtr<Gob> gob = vm_nonNull(gobs)->get(int32_t(uint32_t(v) >> 22));
        ShiftedGob shifted(vm_nonNull(gob), field(v, 12, 10), field(v, 2, 10));
        gob->paint(g, x, y, (v & 3) ^ transform);
    }
}

void TqCanvasAnimations::getFrameBounds(VMPtr<VMArray<Gob, 1>> gobs, int32_t frame,
                                        int32_t transform, VMPtr<IntArray> out)
{
    int32_t entry = frameEntry(frame);
    int32_t first = int32_t(uint32_t(entry) >> 16);
    int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (int32_t p = first; p < first + (entry & 0xFF); p++) {
        int32_t v = partEntry(p);
        VMPtr<Gob> gob = vm_nonNull(gobs)->get(int32_t(uint32_t(v) >> 22));
        int32_t t = (v & 3) ^ transform;
        int32_t bx = vm_nonNull(gob)->xOffset + field(v, 12, 10);
        int32_t by = gob->yOffset + field(v, 2, 10);
        int32_t w = (t & 4) ? gob->height : gob->width;
        int32_t h = (t & 4) ? gob->width : gob->height;
        int32_t x = transformedX(bx, by, gob->width, gob->height, t);
        int32_t y = transformedY(bx, by, gob->width, gob->height, t);
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x + w);
        bottom = std::max(bottom, y + h);
    }
    (*vm_nonNull(out))[3] = bottom - top;
    (*out)[0] = left;
    (*out)[1] = top;
    (*out)[2] = right - left;
}

int32_t TqCanvasAnimations::getFrameParts(VMPtr<ShortArray> out, int32_t frame, int32_t transform)
{
    int32_t entry = frameEntry(frame);
    int32_t first = int32_t(uint32_t(entry) >> 16);
    int32_t count = entry & 0xFF;
    int32_t j = 0;
    for (int32_t p = first; p < first + count && j + 3 < vm_nonNull(out)->length; p++, j += 4) {
        int32_t v = partEntry(p);
        int32_t t = (v & 3) ^ transform;
        int32_t px = field(v, 12, 10);
        int32_t py = field(v, 2, 10);
        (*out)[j] = int16_t(uint32_t(v) >> 22);
        (*out)[j + 1] = int16_t(transformedX(px, py, 0, 0, t));
        (*out)[j + 2] = int16_t(transformedY(px, py, 0, 0, t));
        (*out)[j + 3] = int16_t(t);
    }
    return count;
}

} // namespace tq
