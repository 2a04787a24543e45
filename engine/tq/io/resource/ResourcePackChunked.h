#pragma once
// tq.io.resource.ResourcePackChunked: the engine's pack. Parts 1 to 7 are
// chunked: a main file "/RP<p>part0.rp" holding the marker "%RP%", version 4,
// a 16-bit chunk count and the chunks: "RPHe" (the entry tables, always),
// then "VFSO" (each entry in a data file of its own at an offset; preferred)
// or "FSLM" (data files 1 .. m read whole into one block). Other parts are
// plain packs. Failures while a main file is read become RuntimeException
// carrying the failure's text; missing files throw IOException naming them.

#include <cstdint>

#include "tq/io/resource/Chunk.h"
#include "tq/io/resource/ChunkVirtualFileSystemOrganization.h"
#include "tq/io/resource/ResourcePackExtension.h"

namespace tq::io::resource {

class ResourcePackChunked : public ResourcePackExtension {
    VM_CLASS(ResourcePackChunked, ResourcePackExtension)

    using ChunkArray = VMArray<Chunk, 1>;

    static constexpr int32_t VERSION = 4;

    VMPtr<ResourcePackChunked> init();

    // Without a palette, a VFSO entry that is a whole data file is decoded
    // from the file by name.
    VMPtr<javax::microedition::lcdui::Image> getImage(int32_t id, VMPtr<ByteArray> palette) override;
    VMPtr<java::lang::String> getEntryFileName(int32_t id) override;
    // Also forgets the data-file table, so tables read later from a stream
    // never resolve through the previous part's files.
    void close() override;
    // Reads a chunked part's tables and data layout; answers null.
    VMPtr<java::io::DataInputStream> openPart(int32_t part) override;
    // The first chunk with the id, else IOException "Missing RP chunk '<id>'".
    virtual VMPtr<Chunk> getChunk(int32_t id);

    // Reads and checks the marker and the version.
    static void open(VMPtr<java::io::DataInputStream> in);
    void readChunks(VMPtr<java::io::DataInputStream> in);
    VMPtr<Chunk> findChunk(int32_t id);
    bool hasChunk(int32_t id);
    void useFileSystem();
    void loadFileList(int32_t part);

    VMField<ChunkArray> chunks;
    VMField<ChunkVirtualFileSystemOrganization> fileSystem;

protected:
    // With a VFSO table, the entry's data file and its offset there.
    VMPtr<java::lang::String> entryFile(int32_t index, int32_t& skip) override;

private:
    // A stream over a chunk's payload.
    static VMPtr<java::io::DataInputStream> payloadStream(const VMPtr<Chunk>& chunk);

    VM_FIELDS(chunks, fileSystem)
};

} // namespace tq::io::resource
