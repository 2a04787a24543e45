// The PNG palette readers: findPalette, readPalette, readTransparentIndex
// and swapPalette. Whatever the bytes, the readers answer within their
// ranges (findPalette may also throw the stream's IOException), and a swap
// either throws IllegalArgumentException changing nothing or, done twice,
// gives back both the picture and the palette.
//
// Layout: byte 0 chooses. Bits 1-3 are the count of junk bytes put before
// the picture (the offset swapPalette is given); bit 0 set makes the picture
// from a recipe: a colour count, the colours (4 bytes each, ARGB), then
// damage as offset and xor pairs (a 0 xor cuts the picture there). Unset,
// the rest is the picture as it is. An undamaged recipe must read back: its
// palette bytes and CRC, and the first colour of alpha 0 when any alpha is
// below 255.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "java/io/DataInputStream.h"
#include "java/lang/Throwable.h"
#include "support/PngWriter.h"
#include "tq/Resources.h"

namespace {

using ByteArray = VMArray<int8_t, 1>;
using tq::Resources;

struct Picture {
    std::string png;
    bool intact = false;
    int32_t transparent = -1;  // of an intact recipe
};

Picture fromRecipe(const uint8_t* data, size_t size)
{
    size_t at = 1;
    auto next = [&]() -> uint32_t { return at < size ? data[at++] : 0; };
    std::vector<uint32_t> colours(1 + next() % 16);
    bool translucent = false;
    Picture picture;
    for (uint32_t& c : colours) {
        c = next() << 24 | next() << 16 | next() << 8 | next();
        translucent = translucent || c >> 24 != 0xFF;
    }
    for (size_t i = 0; i < colours.size() && translucent && picture.transparent < 0; i++)
        if (colours[i] >> 24 == 0)
            picture.transparent = int32_t(i);
    std::vector<uint8_t> indices(16);
    for (size_t i = 0; i < indices.size(); i++)
        indices[i] = uint8_t(i % colours.size());
    picture.png = vxtest::pngPalette(4, 4, colours, indices);
    picture.intact = at + 1 >= size;
    vxfuzz_damage(picture.png, data, size, at);
    return picture;
}

std::string textOf(const VMPtr<ByteArray>& array)
{
    return std::string(reinterpret_cast<const char*>(array->elements()), size_t(array->length));
}

VMPtr<java::io::DataInputStream> streamOf(const VMPtr<ByteArray>& bytes, int32_t offset)
{
    return Resources::openDataStream(bytes, offset, bytes->length - offset);
}

uint32_t bigEndian(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; i++)
        value = value << 8 | uint8_t(bytes[at + i]);
    return value;
}

void checkFind(const VMPtr<ByteArray>& bytes, int32_t offset)
{
    int32_t length;
    try {
        length = Resources::findPalette(streamOf(bytes, offset));
    } catch (java::lang::Throwable* caught) {
        std::string name = vxfuzz_thrownClass(caught);
        VXFUZZ_CHECK(name == "java.io.IOException" || name == "java.io.EOFException",
                     "findPalette threw " + name);
        return;
    }
    if (length < 0) {
        VXFUZZ_CHECK(length == -1, "a negative length other than -1");
        return;
    }
    const std::string all = textOf(bytes);
    const size_t at = size_t(offset) + size_t(Resources::paletteOffset);
    VXFUZZ_CHECK(Resources::paletteOffset >= 16 && at <= all.size(), "the palette offset is outside");
    VXFUZZ_CHECK(all.compare(at - 4, 4, "PLTE") == 0 && bigEndian(all, at - 8) == uint32_t(length),
                 "the palette offset is not behind a PLTE chunk's header");
}

void checkSwap(const VMPtr<ByteArray>& bytes, int32_t offset, const VMPtr<ByteArray>& palette)
{
    const std::string picture = textOf(bytes);
    const std::string colours = textOf(palette);
    try {
        Resources::swapPalette(bytes, offset, palette);
    } catch (java::lang::Throwable* caught) {
        std::string name = vxfuzz_thrownClass(caught);
        VXFUZZ_CHECK(name == "java.lang.IllegalArgumentException", "swapPalette threw " + name);
        VXFUZZ_CHECK(textOf(bytes) == picture && textOf(palette) == colours,
                     "a refused swap changed something");
        return;
    }
    try {
        Resources::swapPalette(bytes, offset, palette);
    } catch (java::lang::Throwable* caught) {
        vxfuzz_fail("the second swap threw " + vxfuzz_thrownClass(caught));
    }
    VXFUZZ_CHECK(textOf(bytes) == picture && textOf(palette) == colours,
                 "two swaps did not restore both");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 8192)
        return 0;
    VXFuzzVM vm;
    Picture picture = data[0] & 1 ? fromRecipe(data, size) : Picture{std::string(data + 1, data + size)};
    const int32_t offset = (data[0] >> 1) & 7;
    const std::string placed = std::string(size_t(offset), '\x5A') + picture.png;
    VMPtr<ByteArray> bytes = vxfuzz_byteArray(placed.data(), placed.size());

    VMPtr<ByteArray> palette;
    int32_t transparent = -2;
    try {
        palette = Resources::readPalette(streamOf(bytes, offset));
        transparent = Resources::readTransparentIndex(streamOf(bytes, offset));
    } catch (java::lang::Throwable* caught) {
        vxfuzz_fail("a palette reader threw " + vxfuzz_thrownClass(caught));
    }
    VXFUZZ_CHECK(!palette || (palette->length >= 4 && palette->length <= 768 + 4),
                 "a palette of " + std::to_string(palette->length) + " bytes");
    VXFUZZ_CHECK(transparent >= -1, "a transparent index of " + std::to_string(transparent));
    if (picture.intact) {
        const size_t plte = vxtest::pngChunk(picture.png, "PLTE");
        const size_t length = bigEndian(picture.png, plte);
        VXFUZZ_CHECK(palette && textOf(palette) == picture.png.substr(plte + 8, length + 4),
                     "the palette and its CRC do not read back");
        VXFUZZ_CHECK(transparent == picture.transparent,
                     "transparent index " + std::to_string(transparent) + ", not " +
                         std::to_string(picture.transparent));
    }
    checkFind(bytes, offset);

    // The picture's own palette (with its CRC) swaps in at the same place;
    // a made-up one of another length tries the bounds.
    if (palette)
        checkSwap(bytes, offset, palette);
    VMPtr<ByteArray> other = ByteArray::newArray(int32_t(size % 800));
    for (int32_t i = 0; i < other->length; i++)
        (*other)[i] = int8_t(i * 37);
    checkSwap(bytes, offset, other);
    return 0;
}
