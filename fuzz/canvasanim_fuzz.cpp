// The canvas's animation-set reader: any bytes either load a set or throw
// the stream's end-of-file or a damaged-set IOException, and a failed load
// adds nothing. A loaded set then plays: updates and frame queries end,
// with at most the index exception of a reference the data got wrong.

#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "java/io/ByteArrayInputStream.h"
#include "java/io/DataInputStream.h"
#include "java/lang/Throwable.h"
#include "tq/TqCanvasAnimations.h"

using tq::TqCanvasAnimations;

namespace {

VMPtr<java::io::DataInputStream> streamOf(const uint8_t* data, size_t size)
{
    VMPtr<VMArray<int8_t, 1>> bytes = VMArray<int8_t, 1>::newArray(int32_t(size));
    if (size)
        std::memcpy(bytes->elements(), data, size);
    return java::io::DataInputStream::newInstance()->init(
        java::io::ByteArrayInputStream::newInstance()->init(bytes));
}

// Runs body; true when it returned, false on an index exception; any other
// exception is a finding.
template<class F>
bool indexSafe(F body)
{
    try {
        body();
        return true;
    } catch (java::lang::Throwable* caught) {
        std::string name = vxfuzz_thrownClass(caught);
        VXFUZZ_CHECK(name == "java.lang.ArrayIndexOutOfBoundsException", "playing threw " + name);
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VXFuzzVM vm;
    VMPtr<TqCanvasAnimations> store = TqCanvasAnimations::newInstance()->init();
    std::string threw;
    try {
        store->loadAnimationSet(5, streamOf(data, size));
    } catch (java::lang::Throwable* caught) {
        threw = vxfuzz_thrownClass(caught);
    }
    if (!threw.empty()) {
        VXFUZZ_CHECK(threw == "java.io.EOFException" || threw == "java.io.IOException",
                     "loading threw " + threw);
        VXFUZZ_CHECK(store->findAnimationSet(5) == -1 && store->frames.get() == nullptr,
                     "a failed load left rows behind");
        return 0;
    }
    VXFUZZ_CHECK(store->findAnimationSet(5) == 0, "the loaded set is not found");
    int32_t animations = store->animations->get(0)->length;
    for (int32_t a = 0; a < animations && a < 8; a++) {
        store->startAnimation(0, 5, a);
        for (int32_t step = 0; step < 6; step++) {
            int32_t elapsed = step * 977 + int32_t(size);
            if (!indexSafe([&] { store->updateAnimation(0, elapsed); }))
                break;
            indexSafe([&] {
                int32_t frame = store->getCurrentFrame(0);
                VMPtr<TqCanvasAnimations::ShortArray> out =
                    TqCanvasAnimations::ShortArray::newArray(40);
                store->getFrameBoxes(out, frame, step, false, 0);
                store->getFrameParts(out, frame, step);
                store->getAnimationTime(0);
            });
        }
    }
    return 0;
}
