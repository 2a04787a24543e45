// Resource packs and their chunks: whatever the bytes, reading a pack's
// tables and every entry ends in the entry's bytes or in IOException (or the
// RuntimeException that carries a failure while a chunked part is read),
// never in another exception or a crash.
//
// Layout: byte 0 chooses. Even: the rest are a plain pack read from a stream
// (tables and data block in memory). Odd: bytes 1-2 are the length L of a
// chunked part's main file, the next L bytes that file and the rest its data
// file number 1 (written under both extensions the chunks can name).

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "java/io/ByteArrayInputStream.h"
#include "java/io/DataInputStream.h"
#include "java/lang/Throwable.h"
#include "support/AppFolder.h"
#include "tq/io/resource/ResourcePackChunked.h"

namespace {

using ByteArray = VMArray<int8_t, 1>;
using tq::io::resource::ResourcePack;
using tq::io::resource::ResourcePackChunked;

constexpr int32_t kMaxEntries = 64;

VMPtr<ByteArray> bytesOf(const uint8_t* data, size_t size)
{
    VMPtr<ByteArray> array = ByteArray::newArray(int32_t(size));
    for (size_t i = 0; i < size; i++)
        (*array)[int32_t(i)] = int8_t(data[i]);
    return array;
}

void checkThrown(java::lang::Throwable* caught)
{
    std::string name = vxfuzz_thrownClass(caught);
    VXFUZZ_CHECK(name == "java.io.IOException" || name == "java.io.EOFException" ||
                     name == "java.lang.RuntimeException",
                 name);
}

// Reads entries of the pack's part until one fails.
void readEntries(const VMPtr<ResourcePack>& pack, int32_t part)
{
    for (int32_t i = 0; i < kMaxEntries; i++) {
        int32_t id = (part << 10) | i;
        VMPtr<ByteArray> bytes = pack->getBytes(id);
        VXFUZZ_CHECK(bytes->length == pack->getSize(id), "entry length");
        pack->getType(id);
        VMPtr<java::io::DataInputStream> in = pack->getDataInputStream(id);
        VXFUZZ_CHECK(in->available() == bytes->length, "stream length");
    }
}

const vxtest::AppFolder& folder()
{
    static vxtest::AppFolder app;
    return app;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    vxfuzz_bootVM();
    const vxtest::AppFolder& app = folder();
    ResourcePack::currentPart = -1;
    try {
        VMPtr<ResourcePackChunked> pack = ResourcePackChunked::newInstance()->init();
        if ((data[0] & 1) == 0) {
            VMPtr<java::io::DataInputStream> in = java::io::DataInputStream::newInstance()->init(
                java::io::ByteArrayInputStream::newInstance()->init(bytesOf(data + 1, size - 1)));
            if (pack->readFrom(in, false))
                readEntries(pack, 0);
        } else {
            size_t length = size >= 3 ? size_t(data[1]) << 8 | data[2] : 0;
            size_t start = size >= 3 ? 3 : size;
            length = std::min(length, size - start);
            std::string main(data + start, data + start + length);
            std::string file(data + start + length, data + size);
            app.write("rsc/RP1part0.rp", main);
            app.write("rsc/RP1part1.rp", file);
            app.write("rsc/RP1part1.png", file);
            readEntries(pack, 1);
        }
    } catch (java::lang::Throwable* caught) {
        checkThrown(caught);
    }
    return 0;
}
