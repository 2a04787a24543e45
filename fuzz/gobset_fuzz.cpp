// Gob sets: whatever the bytes, the reader answers null or Gobs whose
// images have their records' sizes, never another exception or a crash.
// The set's picture is entry 0 of a small pack opened as part 0 (an 8 x 8
// picture of four colours), so image id 0 names it.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "java/io/ByteArrayInputStream.h"
#include "java/io/DataInputStream.h"
#include "java/lang/Throwable.h"
#include "support/PngWriter.h"
#include "tq/Gob.h"
#include "tq/Resources.h"

namespace {

using ByteArray = VMArray<int8_t, 1>;

VMPtr<ByteArray> bytesOf(const std::string& text)
{
    VMPtr<ByteArray> array = ByteArray::newArray(int32_t(text.size()));
    for (size_t i = 0; i < text.size(); i++)
        (*array)[int32_t(i)] = int8_t(text[i]);
    return array;
}

VMPtr<java::io::DataInputStream> streamOf(const VMPtr<ByteArray>& bytes)
{
    return java::io::DataInputStream::newInstance()->init(
        java::io::ByteArrayInputStream::newInstance()->init(bytes));
}

void openPicturePack()
{
    std::vector<uint8_t> indices(64);
    for (size_t i = 0; i < indices.size(); i++)
        indices[i] = uint8_t(i % 4);
    std::string png = vxtest::pngPalette(8, 8, {0xFF000000u, 0xFFFF0000u, 0x8000FF00u, 0x000000FFu},
                                         indices);
    VMPtr<VMArray<int8_t, 2>> entries = VMArray<int8_t, 2>::newArray(1);
    entries->set(0, bytesOf(png));
    VMPtr<ByteArray> types = ByteArray::newArray(1);
    (*types)[0] = -3;
    tq::Resources::openPack(streamOf(tq::Resources::buildPack(entries, types)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VXFuzzVM vm;
    static bool opened = false;
    if (!opened) {
        openPicturePack();
        opened = true;
    }
    try {
        VMPtr<VMArray<tq::Gob, 1>> gobs = tq::Resources::loadGobSet(
            0, nullptr, streamOf(bytesOf(std::string(data, data + size))), nullptr);
        for (int32_t i = 0; gobs && i < gobs->length; i++) {
            VMPtr<tq::Gob> gob = gobs->get(i);
            VMPtr<javax::microedition::lcdui::Image> image(gob->image);
            VXFUZZ_CHECK(image, "a Gob without its image");
            VXFUZZ_CHECK(image->getWidth() == gob->width && image->getHeight() == gob->height,
                         "image size");
            VXFUZZ_CHECK(gob->transparency >= 0 && gob->transparency <= 3, "transparency");
        }
        VXFUZZ_CHECK(!tq::Gob::pixelStore, "the pixel store outlived the load");
    } catch (java::lang::Throwable* caught) {
        vxfuzz_fail("loadGobSet threw " + vxfuzz_thrownClass(caught));
    }
    return 0;
}
