#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/support/EngineBytes.h"
#include "engine/support/PackFolderTest.h"
#include "engine/support/TightHeap.h"
#include "java/io/ByteArrayOutputStream.h"
#include "java/io/DataOutputStream.h"
#include "java/io/IOException.h"
#include "java/lang/RuntimeException.h"
#include "support/LangTestSupport.h"
#include "support/PngWriter.h"
#include "support/VMFixture.h"
#include "tq/io/resource/Chunk.h"
#include "tq/io/resource/ResourcePackChunked.h"

using java::io::DataOutputStream;
using tq::io::resource::Chunk;
using tq::io::resource::ResourcePack;
using tq::io::resource::ResourcePackChunked;

namespace {

class ResourcePackChunkedTest : public PackFolderTest {};

struct VfsoRow {
    int type;
    int file;
    int offset;
};

// Chunks written by the engine's own chunk writer.
VMPtr<Chunk> headerChunk(const std::vector<int32_t>& sizes)
{
    VMPtr<Chunk> c = Chunk::newInstance()->init(Chunk::ID_RPHE);
    VMPtr<DataOutputStream> out = c->getOutputStream();
    out->write(0x41);
    out->writeChar(int32_t(sizes.size()));
    for (int32_t s : sizes)
        out->writeInt(s);
    for (size_t i = 0; i < sizes.size(); i++)
        out->write(int32_t(i));
    return c;
}

VMPtr<Chunk> vfsoChunk(const std::vector<VfsoRow>& rows)
{
    VMPtr<Chunk> c = Chunk::newInstance()->init(Chunk::ID_VFSO);
    VMPtr<DataOutputStream> out = c->getOutputStream();
    out->writeInt(0);
    out->writeInt(int32_t(rows.size()));
    for (const VfsoRow& r : rows) {
        out->write(r.type);
        out->write(0);
        out->writeChar(r.file);
        out->writeInt(r.offset);
        out->writeInt(0);
    }
    return c;
}

// count overrides the number of data files written before the lengths.
VMPtr<Chunk> fileListChunk(int32_t total, const std::vector<int32_t>& lengths, int32_t count = -1)
{
    VMPtr<Chunk> c = Chunk::newInstance()->init(Chunk::ID_FSLM);
    VMPtr<DataOutputStream> out = c->getOutputStream();
    out->writeInt(total);
    out->writeInt(count >= 0 ? count : int32_t(lengths.size()));
    for (int32_t l : lengths)
        out->writeInt(l);
    return c;
}

std::string mainFile(const std::vector<VMPtr<Chunk>>& chunks, int32_t marker = Chunk::ID_MARKER,
                     int32_t version = 4)
{
    VMPtr<java::io::ByteArrayOutputStream> bytes = java::io::ByteArrayOutputStream::newInstance()->init();
    VMPtr<DataOutputStream> out = DataOutputStream::newInstance()->init(bytes);
    out->writeInt(marker);
    out->writeChar(version);
    out->writeChar(int32_t(chunks.size()));
    for (const VMPtr<Chunk>& c : chunks)
        c->write(out);
    Bytes b = bytesOf(bytes->toByteArray());
    return std::string(b.begin(), b.end());
}

Bytes text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

const std::string picture = vxtest::pngPalette(2, 1, {0xFFFF0000u, 0xFF00FF00u}, {0, 1});

TEST_F(ResourcePackChunkedTest, VfsoPartsReadEachEntryFromItsDataFile)
{
    // Entry 0: "hello" at offset 3 of data file 1; entry 1: a whole PNG in
    // data file 2 (type -3, png); entry 2: "xy" at offset 0 of file 1.
    app.write("rsc/RP1part0.rp",
              mainFile({vfsoChunk({{-1, 1, 3}, {-3, 2, 0}, {-1, 1, 0}}),
                        headerChunk({5, int32_t(picture.size()), 2}),
                        fileListChunk(1, {1})}));
    app.write("rsc/RP1part1.rp", "xy-hello");
    app.write("rsc/RP1part2.png", picture);
    VMPtr<ResourcePackChunked> pack = ResourcePackChunked::newInstance()->init();
    EXPECT_EQ(bytesOf(pack->getBytes(1024)), text("hello"));
    EXPECT_EQ(ResourcePack::currentPart, 1);
    EXPECT_EQ(bytesOf(pack->getBytes(1024 + 2)), text("xy"));
    VMPtr<VMByteArray> buffer = VMByteArray::newArray(5);
    pack->readEntryFile(0, buffer);
    EXPECT_EQ(bytesOf(buffer), text("hello"));
    EXPECT_EQ(bytesOf(pack->getBytes(1024 + 1)), text(picture));
    EXPECT_EQ(vmText(pack->getEntryFileName(1024 + 1)), "/RP1part2.png");
    EXPECT_EQ(pack->getType(1024 + 2), 2);
    EXPECT_EQ(pack->getImage(1024 + 1, nullptr)->getWidth(), 2);
    // With a palette the picture is decoded from its bytes.
    VMPtr<VMByteArray> palette = vmBytes(Bytes{0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0});
    VMPtr<javax::microedition::lcdui::Image> image = pack->getImage(1024 + 1, palette);
    VMPtr<VMArray<int32_t, 1>> rgb = VMArray<int32_t, 1>::newArray(1);
    image->getRGB(rgb, 0, 1, 0, 0, 1, 1);
    EXPECT_EQ(uint32_t((*rgb)[0]), 0xFF0000F8u);
    EXPECT_EQ(bytesOf(palette), (Bytes{0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0}));
    EXPECT_FALSE(pack->hasExtension());
}

TEST_F(ResourcePackChunkedTest, FileListPartsHoldOneBlockInMemory)
{
    app.write("rsc/RP2part0.rp",
              mainFile({headerChunk({3, 0, 4}), fileListChunk(7, {4, 3})}));
    app.write("rsc/RP2part1.rp", "abcd");
    app.write("rsc/RP2part2.rp", "efg");
    VMPtr<ResourcePackChunked> pack = ResourcePackChunked::newInstance()->init();
    EXPECT_EQ(bytesOf(pack->getBytes(2048)), text("abc"));
    EXPECT_EQ(bytesOf(pack->getBytes(2048 + 1)), Bytes{});
    EXPECT_EQ(bytesOf(pack->getBytes(2048 + 2)), text("defg"));
    EXPECT_EQ(pack->getOffset(2048 + 2), 3);
    EXPECT_FALSE(pack->getEntryFileName(2048));
    EXPECT_EQ(bytesOf(pack->getDataArray(2048)), text("abcdefg"));
}

TEST_F(ResourcePackChunkedTest, PartsEightAndUpArePlain)
{
    // The saver's layout: one entry "z", type 1.
    app.write("rsc/RP8.rp", std::string("\x41\x00\x01\x00\x00\x00\x01\x01\x00\x00\x00\x01z", 13));
    VMPtr<ResourcePackChunked> pack = ResourcePackChunked::newInstance()->init();
    EXPECT_EQ(bytesOf(pack->getBytes(8 << 10)), text("z"));
    EXPECT_EQ(pack->getType(8 << 10), 1);
}

TEST_F(ResourcePackChunkedTest, DamagedMainFilesFailAndTheNextRequestRetries)
{
    struct Case {
        const char* what;
        std::string file;
        const char* message;
    } cases[] = {
        {"wrong marker", mainFile({}, 0x41424344),
         "java.io.IOException: Invalid chunked RP file marker, expecting '%PR%' instead of 'DCBA'"},
        {"wrong version", mainFile({}, Chunk::ID_MARKER, 3),
         "java.io.IOException: Invalid RP version, expecting '4' instead of '3'"},
        {"no header chunk", mainFile({fileListChunk(0, {})}),
         "java.io.IOException: Missing RP chunk 'eHPR'"},
        {"no data layout", mainFile({headerChunk({1})}),
         "java.io.IOException: Missing RP chunk 'MLSF'"},
        {"bytes after the last chunk are not read", mainFile({headerChunk({1})}) + "ABCD",
         "java.io.IOException: Missing RP chunk 'MLSF'"},
        {"list beyond the block", mainFile({headerChunk({1}), fileListChunk(1, {2})}),
         "java.io.IOException: FSLM sizes beyond the data block"},
        {"entries beyond the block", mainFile({headerChunk({4}), fileListChunk(1, {})}),
         "java.io.IOException: FSLM sizes beyond the data block"},
        {"block beyond the files", mainFile({headerChunk({1}), fileListChunk(2, {1})}),
         "java.io.IOException: FSLM data files shorter than the data block"},
        {"negative data size", mainFile({headerChunk({1}), fileListChunk(-1, {})}),
         "java.io.IOException: Negative FSLM size"},
        {"negative file length", mainFile({headerChunk({0}), fileListChunk(1, {-1})}),
         "java.io.IOException: Negative FSLM size"},
        {"more files than lengths", mainFile({headerChunk({1}), fileListChunk(1, {1}, 0x10000)}),
         "java.io.EOFException"},
        {"truncated", mainFile({headerChunk({1, 2})}).substr(0, 20), "java.io.EOFException"},
        {"missing data file", mainFile({headerChunk({1}), fileListChunk(1, {1})}),
         "java.io.IOException: Missing resource pack file /RP3part1.rp"},
    };
    for (const Case& c : cases) {
        app.write("rsc/RP3part0.rp", c.file);
        VMPtr<ResourcePackChunked> pack = ResourcePackChunked::newInstance()->init();
        EXPECT_TRUE(vmThrows<java::lang::RuntimeException>([&] { pack->getBytes(3 << 10); },
                                                           c.message))
            << c.what;
        EXPECT_NE(ResourcePack::currentPart, 3) << c.what;
    }
    // A chunk id the factory does not know.
    std::string unknown = mainFile({headerChunk({1})});
    unknown[7] = 2;
    unknown += "ABCD";
    app.write("rsc/RP3part0.rp", unknown);
    VMPtr<ResourcePackChunked> pack = ResourcePackChunked::newInstance()->init();
    EXPECT_TRUE(vmThrows<java::lang::RuntimeException>(
        [&] { pack->getBytes(3 << 10); }, "java.io.IOException: Unknown RP chunk id 'DCBA'"));
    // A missing main file names it.
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { pack->getBytes(4 << 10); },
                                                "Missing resource pack file /RP4part0.rp"));
    // A repaired file opens on the next request.
    app.write("rsc/RP3part0.rp", mainFile({headerChunk({1}), fileListChunk(1, {1})}));
    app.write("rsc/RP3part1.rp", "q");
    EXPECT_EQ(bytesOf(pack->getBytes(3 << 10)), text("q"));
}

// Sizes far beyond the files fail at the files' end: no room is made for
// them first, so they fail as damaged data, not as a full heap.
TEST_F(ResourcePackChunkedTest, DamagedSizesFailBeforeRoomIsMadeForThem)
{
    const int32_t huge = 0x3FFFFFFF, large = 64 << 20;
    struct Case {
        const char* what;
        std::string file;
        const char* message;
    } cases[] = {
        {"huge VFSO entry", mainFile({vfsoChunk({{-1, 1, 2}}), headerChunk({huge})}),
         "java.io.EOFException"},
        {"large VFSO entry", mainFile({vfsoChunk({{-1, 1, 0}}), headerChunk({large})}),
         "java.io.EOFException"},
        {"huge FSLM file", mainFile({headerChunk({1}), fileListChunk(huge, {huge})}),
         "java.io.EOFException"},
        {"large FSLM file", mainFile({headerChunk({1}), fileListChunk(large, {large})}),
         "java.io.EOFException"},
        {"huge FSLM block without files", mainFile({headerChunk({huge}), fileListChunk(huge, {})}),
         "java.io.IOException: FSLM data files shorter than the data block"},
    };
    app.write("rsc/RP4part1.rp", "abcdefgh");
    for (const Case& c : cases) {
        app.write("rsc/RP4part0.rp", c.file);
        VMPtr<ResourcePackChunked> pack = ResourcePackChunked::newInstance()->init();
        {
            TightHeap heap;
            EXPECT_TRUE(vmThrows<java::lang::RuntimeException>([&] { pack->getBytes(4 << 10); },
                                                               c.message))
                << c.what;
        }
        pack->close();
    }
}

TEST_F(ResourcePackChunkedTest, DataFilesShorterThanTheirEntriesFail)
{
    app.write("rsc/RP5part0.rp",
              mainFile({vfsoChunk({{-1, 1, 6}, {-1, 1, 2}}), headerChunk({4, 1})}));
    app.write("rsc/RP5part1.rp", "abcdefg");
    VMPtr<ResourcePackChunked> pack = ResourcePackChunked::newInstance()->init();
    EXPECT_TRUE(vmThrows<java::lang::RuntimeException>([&] { pack->getBytes(5 << 10); },
                                                       "java.io.EOFException"));
    EXPECT_EQ(bytesOf(pack->getBytes((5 << 10) | 1)), text("c"));
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { pack->getBytes((5 << 10) | 2); },
                                                "No pack entry 2"));
    // Entry tables longer than the VFSO table: the entries without a row.
    app.write("rsc/RP6part0.rp", mainFile({vfsoChunk({{-3, 1, 0}}), headerChunk({1, 1})}));
    app.write("rsc/RP6part1.png", picture);
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { pack->getBytes((6 << 10) | 1); },
                                                "No VFSO entry 1"));
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { pack->getImage((6 << 10) | 1, nullptr); },
                                                "No VFSO entry 1"));
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { pack->getEntryFileName((6 << 10) | 1); },
                                                "No VFSO entry 1"));
    EXPECT_EQ(pack->getImage(6 << 10, nullptr)->getWidth(), 2);
}

} // namespace
