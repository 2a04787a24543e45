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
#include "PackEntries.h"
#include "java/io/ByteArrayInputStream.h"
#include "java/io/DataInputStream.h"
#include "java/lang/Throwable.h"
#include "support/AppFolder.h"
#include "tq/io/resource/ResourcePackChunked.h"

using tq::io::resource::ResourcePack;
using tq::io::resource::ResourcePackChunked;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    VXFuzzVM vm;
    const vxtest::AppFolder& app = vxfuzz_appFolder();
    ResourcePack::currentPart = -1;
    try {
        VMPtr<ResourcePackChunked> pack = ResourcePackChunked::newInstance()->init();
        if ((data[0] & 1) == 0) {
            VMPtr<java::io::DataInputStream> in = java::io::DataInputStream::newInstance()->init(
                java::io::ByteArrayInputStream::newInstance()->init(vxfuzz_byteArray(data + 1, size - 1)));
            if (pack->readFrom(in, false))
                vxfuzz_readPackEntries(pack, 0);
        } else {
            size_t length = size >= 3 ? size_t(data[1]) << 8 | data[2] : 0;
            size_t start = size >= 3 ? 3 : size;
            length = std::min(length, size - start);
            std::string main(data + start, data + start + length);
            std::string file(data + start + length, data + size);
            app.write("rsc/RP1part0.rp", main);
            app.write("rsc/RP1part1.rp", file);
            app.write("rsc/RP1part1.png", file);
            vxfuzz_readPackEntries(pack, 1);
        }
    } catch (java::lang::Throwable* caught) {
        vxfuzz_checkPackThrown(caught);
    }
    return 0;
}
