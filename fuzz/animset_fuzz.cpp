// Animation sets: whatever the bytes, the loader answers a set or throws
// IOException, and every lookup of a loaded set and a player run through
// each of its animations stay inside its tables and end. The bytes are
// entry 0 of a small pack opened as part 0; the set gets 1024 Gobs, so
// that every Gob index a placement can hold names one.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "java/io/ByteArrayInputStream.h"
#include "java/io/DataInputStream.h"
#include "java/io/IOException.h"
#include "java/lang/Throwable.h"
#include "javax/microedition/lcdui/Image.h"
#include "tq/AnimPlayer.h"
#include "tq/Resources.h"
#include "tq/graphics/CollisionBox.h"

namespace {

using ByteArray = VMArray<int8_t, 1>;
using IntArray = VMArray<int32_t, 1>;
using javax::microedition::lcdui::Image;

void openSetPack(const uint8_t* data, size_t size)
{
    VMPtr<ByteArray> bytes = ByteArray::newArray(int32_t(size));
    for (size_t i = 0; i < size; i++)
        (*bytes)[int32_t(i)] = int8_t(data[i]);
    VMPtr<VMArray<int8_t, 2>> entries = VMArray<int8_t, 2>::newArray(1);
    entries->set(0, bytes);
    VMPtr<ByteArray> types = ByteArray::newArray(1);
    (*types)[0] = -1;
    tq::Resources::openPack(java::io::DataInputStream::newInstance()->init(
        java::io::ByteArrayInputStream::newInstance()->init(tq::Resources::buildPack(entries, types))));
}

VMPtr<VMArray<tq::Gob, 1>> gobs()
{
    VMPtr<IntArray> pixels = IntArray::newArray(4);
    VMPtr<VMArray<tq::Gob, 1>> all = VMArray<tq::Gob, 1>::newArray(1024);
    for (int32_t i = 0; i < all->length; i++) {
        VMPtr<tq::Gob> gob = tq::Gob::create(pixels, 2, 2, false);
        gob->xOffset = int16_t(i % 7 - 3);
        all->set(i, gob);
    }
    return all;
}

void exercise(const VMPtr<tq::AnimSet>& set)
{
    static VMPtr<VMArray<tq::Gob, 1>>* shared = new VMPtr<VMArray<tq::Gob, 1>>(gobs());
    static VMPtr<Image>* target = new VMPtr<Image>(Image::createImage(16, 16, false, 0));
    set->setGobs(*shared);
    VMPtr<IntArray> out = IntArray::newArray(64);
    VMPtr<tq::Paintable::BoxArray> boxes = tq::graphics::CollisionBox::ensureCapacity(nullptr, 8);
    int32_t frames = set->getFrameCount();
    for (int32_t f = -1; f <= frames && f < 64; f++) {
        set->getPlacements(f, f & 7, out);
        set->getCollisionBoxes(f, f & 7, boxes, f & 31);
        set->getCollisionRects(f, 5, out, -1);
        set->getFrameBounds(f, f & 7, out);
        VXFUZZ_CHECK(set->getFrame(f)->getWidth(0) >= 0, "a frame of negative width");
        set->paintFrame((*target)->getGraphics(), f, 8, 8, f & 7);
    }
    int32_t animations = set->getAnimationCount();
    VMPtr<tq::AnimPlayer> player = tq::AnimPlayer::create()->init();
    VMPtr<tq::AnimPlayer> other = tq::AnimPlayer::create()->init();
    player->setAnimSet(set);
    other->setAnimSet(set);
    other->setAnimation(0);
    for (int32_t a = -1; a <= animations && a < 16; a++) {
        set->getAnimationBounds(a, 3, out);
        set->getAnimationDuration(a);
        player->setAnimation(a);
        player->setTransform(a & 7);
        for (int32_t dt : {0, 1, 7, 100, 5000}) {
            player->update(dt);
            player->paint((*target)->getGraphics());
            player->getBounds(out);
            player->collidesWith(other);
            player->containsPoint(0, 0);
        }
        VXFUZZ_CHECK(player->getStep() >= 0 && (player->getStepCount() == 0 ||
                                                player->getStep() < player->getStepCount()),
                     "a step outside the animation");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VXFuzzVM vm;
    openSetPack(data, size);
    VMPtr<tq::AnimSet> set;
    try {
        set = tq::AnimSet::load(0);
    } catch (java::io::IOException* caught) {
        VMPtr<java::io::IOException> refused(caught);
        VXFUZZ_CHECK(!tq::AnimSet::loadingStream, "the loading stream outlived the load");
        return 0;
    } catch (java::lang::Throwable* caught) {
        vxfuzz_fail("AnimSet.load threw " + vxfuzz_thrownClass(caught));
    }
    try {
        exercise(set);
    } catch (java::lang::Throwable* caught) {
        vxfuzz_fail("a lookup threw " + vxfuzz_thrownClass(caught));
    }
    return 0;
}
