// A resource pack saved in a numbered record store: whatever the bytes,
// opening the pack from the store answers as opening it from the same bytes
// in memory does, and the entries read alike, ending in the same exception
// if any (one of those a pack may throw).
//
// Layout: byte 0 sets the size of the store's records (16 times it, plus 1,
// bytes, but no fewer than make eight records; the last one shorter); the
// rest are the pack as saved.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "PackEntries.h"
#include "java/io/ByteArrayInputStream.h"
#include "java/io/DataInputStream.h"
#include "java/lang/String.h"
#include "java/lang/Throwable.h"
#include "javax/microedition/rms/RecordStore.h"
#include "support/AppFolder.h"
#include "tq/Resources.h"
#include "tq/TqCanvas.h"
#include "tq/io/resource/ResourcePackChunked.h"

namespace {

using javax::microedition::rms::RecordStore;
using tq::io::resource::ResourcePack;

constexpr int32_t kStore = 7;

// The pack's entries as read, and the exception that ended the reading.
struct Reading {
    bool opened = false;
    std::vector<std::string> entries;
    std::string thrown;
};

template<class Open>
Reading readPack(const VMPtr<ResourcePack>& pack, Open open)
{
    Reading reading;
    try {
        reading.opened = open();
        if (reading.opened)
            vxfuzz_readPackEntries(pack, 0, &reading.entries);
    } catch (java::lang::Throwable* caught) {
        vxfuzz_checkPackThrown(caught);
        reading.thrown = vxfuzz_thrownClass(caught);
    }
    return reading;
}

void saveInRecords(const uint8_t* data, size_t size, int32_t recordSize)
{
    VMPtr<RecordStore> store =
        RecordStore::openRecordStore(java::lang::String::valueOf(kStore), true);
    VMPtr<VMArray<int8_t, 1>> bytes = vxfuzz_byteArray(data, size);
    for (int32_t offset = 0; offset < bytes->length; offset += recordSize)
        store->addRecord(bytes, offset, std::min(recordSize, bytes->length - offset));
    store->closeRecordStore();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    vxfuzz_appFolder();
    VXFuzzVM vm;
    ResourcePack::currentPart = -1;
    tq::Resources::closePack();
    try {
        // At most eight records: each add is a handful of file operations.
        const int32_t recordSize = std::max(1 + 16 * int32_t(data[0]), int32_t(size + 6) / 8);
        saveInRecords(data + 1, size - 1, recordSize);
    } catch (java::lang::Throwable* caught) {
        vxfuzz_fail("saving the pack threw " + vxfuzz_thrownClass(caught));
    }

    VMPtr<ResourcePack> inMemory =
        tq::io::resource::ResourcePackChunked::newInstance()->init();
    Reading expected = readPack(inMemory, [&] {
        return inMemory->readFrom(java::io::DataInputStream::newInstance()->init(
                                      java::io::ByteArrayInputStream::newInstance()->init(
                                          vxfuzz_byteArray(data + 1, size - 1))),
                                  false);
    });
    Reading stored = readPack(VMPtr<ResourcePack>(tq::Resources::currentPack.get()),
                              [] { return tq::Resources::openPackFromRecord(kStore); });
    VXFUZZ_CHECK(stored.opened == expected.opened, "the stored pack opened otherwise");
    VXFUZZ_CHECK(stored.entries == expected.entries, "the stored pack's entries differ");
    VXFUZZ_CHECK(stored.thrown == expected.thrown,
                 "the stored pack threw \"" + stored.thrown + "\", not \"" + expected.thrown + "\"");

    tq::Resources::closePack();
    VXFUZZ_CHECK(tq::TqCanvas::removeRecordStore(kStore), "the store was not removed");
    return 0;
}
