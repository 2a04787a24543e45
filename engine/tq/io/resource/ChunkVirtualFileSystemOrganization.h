#pragma once
// tq.io.resource.ChunkVirtualFileSystemOrganization: the VFSO chunk, one row
// per entry of a part: type code, data-file number, byte offset in that data
// file, entry value. Payload, big-endian: header value, entry count n, then
// n rows of 12 bytes (type, reserved, file number u16, offset, value).
// Lookups take a resource id and use its low 10 bits; an entry number not
// below n throws IOException.

#include <cstdint>

#include "tq/io/resource/Chunk.h"
#include "tq/util/IntHashtable.h"

namespace tq::io::resource {

class ChunkVirtualFileSystemOrganization : public Chunk {
    VM_CLASS(ChunkVirtualFileSystemOrganization, Chunk)

    using IntArray = VMArray<int32_t, 1>;

    // Reads the chunk body after its id and parses the table. A count that
    // is negative or larger than the payload holds throws IOException.
    VMPtr<ChunkVirtualFileSystemOrganization> init(VMPtr<java::io::DataInputStream> in);

    // The entry's data-file number.
    virtual int32_t getPart(int32_t id);
    virtual int32_t getHeaderValue();
    // The extension of the entry's type code; "rp" for a code without one.
    virtual VMPtr<java::lang::String> getExtension(int32_t id);
    virtual int32_t getEntryCount();
    virtual int32_t getType(int32_t id);
    virtual int32_t getEntryValue(int32_t id);
    // Bytes to skip in the data file before the entry's bytes.
    virtual int32_t getOffset(int32_t id);

    // Type code to extension String, made once.
    static VMPtr<tq::util::IntHashtable> getExtensionTable();

    int32_t entryCount = 0;
    int32_t headerValue = 0;
    VMField<IntArray> entries;

    VM_STATIC(tq::util::IntHashtable, extensionTable);

private:
    // The first of the entry's four table elements.
    int32_t rowOf(int32_t id);

    VM_FIELDS(entries)
};

} // namespace tq::io::resource
