#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "java/io/ByteArrayInputStream.h"
#include "java/io/EOFException.h"
#include "java/io/IOException.h"
#include "engine/support/EngineBytes.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/io/resource/Chunk.h"
#include "tq/io/resource/ChunkVirtualFileSystemOrganization.h"

using java::io::DataInputStream;
using tq::io::resource::Chunk;
using tq::io::resource::ChunkVirtualFileSystemOrganization;

namespace {

class ChunkTest : public VMFixture {};

Bytes chunkBytes(uint32_t id, int32_t length, int32_t value, const Bytes& payload)
{
    Bytes b;
    putInt(b, id);
    putInt(b, uint32_t(length));
    putInt(b, uint32_t(value));
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

TEST_F(ChunkTest, ReadChunksWriteBackUnchanged)
{
    for (uint32_t id : {uint32_t(Chunk::ID_RPHE), uint32_t(Chunk::ID_FSLM)}) {
        for (const Bytes& payload : {Bytes{}, Bytes{1, 2, 3, 0xFF}}) {
            Bytes file = chunkBytes(id, int32_t(payload.size()), -77, payload);
            VMPtr<Chunk> c = Chunk::readChunk(vmDataStream(file));
            EXPECT_TRUE(c->hasId(int32_t(id)));
            EXPECT_EQ(c->getValue(), -77);
            EXPECT_EQ(c->getLength(), int32_t(payload.size()));
            EXPECT_EQ(bytesOf(c->getData()), payload);
            EXPECT_EQ(bytesOf(c->toByteArray()), file);
        }
    }
}

TEST_F(ChunkTest, AppendedBytesGrowTheWrittenLength)
{
    VMPtr<Chunk> c = Chunk::newInstance()->init(Chunk::ID_FSLM);
    c->setValue(5);
    c->getOutputStream()->writeInt(0x01020304);
    c->getOutputStream()->writeChar(0xABCD);
    EXPECT_EQ(c->getLength(), 6);
    EXPECT_EQ(bytesOf(c->toByteArray()),
              chunkBytes(Chunk::ID_FSLM, 6, 5, Bytes{1, 2, 3, 4, 0xAB, 0xCD}));
    // Read back through the factory.
    VMPtr<Chunk> again = Chunk::readChunk(vmDataStream(bytesOf(c->toByteArray())));
    EXPECT_EQ(bytesOf(again->getData()), (Bytes{1, 2, 3, 4, 0xAB, 0xCD}));
}

TEST_F(ChunkTest, IdTextListsTheLowestByteFirst)
{
    EXPECT_EQ(vmText(Chunk::idToString(Chunk::ID_VFSO)), "OSFV");
    EXPECT_EQ(vmText(Chunk::idToString(Chunk::ID_MARKER)), "%PR%");
    EXPECT_TRUE(vmThrows<java::io::IOException>(
        [] { Chunk::readChunk(vmDataStream(chunkBytes(0x41424344, 0, 0, {}))); },
        "Unknown RP chunk id 'DCBA'"));
    EXPECT_TRUE(vmThrows<java::io::IOException>(
        [] { Chunk::readChunk(vmDataStream(chunkBytes(Chunk::ID_MARKER, 0, 0, {}))); },
        "Unknown RP chunk id '%PR%'"));
}

TEST_F(ChunkTest, DamagedChunksFailWithIOExceptions)
{
    Bytes whole = chunkBytes(Chunk::ID_RPHE, 4, 9, {1, 2, 3, 4});
    // Truncated at every byte: inside the id, the length, the value, the payload.
    for (size_t cut = 0; cut < whole.size(); cut++) {
        Bytes part(whole.begin(), whole.begin() + cut);
        EXPECT_TRUE(vmThrows<java::io::EOFException>([&] { Chunk::readChunk(vmDataStream(part)); }))
            << cut;
    }
    // A length far beyond the data ends without allocating it first.
    EXPECT_TRUE(vmThrows<java::io::EOFException>(
        [] { Chunk::readChunk(vmDataStream(chunkBytes(Chunk::ID_FSLM, 0x7FFFFFFF, 0, {1}))); }));
    EXPECT_TRUE(vmThrows<java::io::IOException>(
        [] { Chunk::readChunk(vmDataStream(chunkBytes(Chunk::ID_FSLM, -1, 0, {}))); },
        "Negative RP chunk length -1"));
}

Bytes vfsoPayload(int32_t header, int32_t count,
                  const std::vector<std::vector<int32_t>>& rows)
{
    Bytes b;
    putInt(b, uint32_t(header));
    putInt(b, uint32_t(count));
    for (const auto& r : rows) {
        b.push_back(uint8_t(r[0]));
        b.push_back(uint8_t(r[1])); // reserved
        b.push_back(uint8_t(r[2] >> 8));
        b.push_back(uint8_t(r[2]));
        putInt(b, uint32_t(r[3]));
        putInt(b, uint32_t(r[4]));
    }
    return b;
}

TEST_F(ChunkTest, VfsoEntriesAndExtensions)
{
    // type, reserved, data-file number, offset, value
    Bytes payload = vfsoPayload(0x11, 5,
                                {{-3, 0xEE, 1, 0, 7},
                                 {13, 0, 0xFFFF, 1234, -1},
                                 {23, 0x55, 2, 8, 0},
                                 {-12, 0, 3, 0, 0},
                                 {99, 0, 4, 0x7FFFFFFF, 0}});
    Bytes file = chunkBytes(Chunk::ID_VFSO, int32_t(payload.size()), 3, payload);
    VMPtr<ChunkVirtualFileSystemOrganization> v =
        vm_cast<ChunkVirtualFileSystemOrganization>(Chunk::readChunk(vmDataStream(file)));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->getHeaderValue(), 0x11);
    EXPECT_EQ(v->getEntryCount(), 5);
    EXPECT_EQ(v->getType(0), -3);
    EXPECT_EQ(vmText(v->getExtension(0)), "png");
    EXPECT_EQ(v->getPart(1), 0xFFFF);
    EXPECT_EQ(v->getOffset(1), 1234);
    EXPECT_EQ(v->getEntryValue(1), -1);
    EXPECT_EQ(vmText(v->getExtension(1)), "rp");
    EXPECT_EQ(vmText(v->getExtension(2)), "wbxml");
    EXPECT_EQ(vmText(v->getExtension(3)), "rp");
    EXPECT_EQ(vmText(v->getExtension(4)), "rp");
    // The part bits of an id are ignored.
    EXPECT_EQ(v->getOffset(1024 + 1), 1234);
    EXPECT_EQ(v->getOffset((7 << 10) | 4), 0x7FFFFFFF);
    // The chunk writes back as read.
    EXPECT_EQ(bytesOf(v->toByteArray()), file);
    // One extension table for every chunk.
    EXPECT_TRUE(ChunkVirtualFileSystemOrganization::getExtensionTable() ==
                ChunkVirtualFileSystemOrganization::getExtensionTable());
    EXPECT_EQ(ChunkVirtualFileSystemOrganization::getExtensionTable()->size(), 34);
    // An entry number at or beyond the count is refused.
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { v->getOffset(5); }, "No VFSO entry 5"));
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { v->getExtension(1023); },
                                                "No VFSO entry 1023"));
}

TEST_F(ChunkTest, DamagedVfsoTablesFail)
{
    Bytes empty = vfsoPayload(0, 0, {});
    VMPtr<ChunkVirtualFileSystemOrganization> v = vm_cast<ChunkVirtualFileSystemOrganization>(
        Chunk::readChunk(vmDataStream(chunkBytes(Chunk::ID_VFSO, 8, 0, empty))));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->getEntryCount(), 0);

    struct Case {
        const char* what;
        Bytes payload;
        bool eof;
    } cases[] = {
        {"payload shorter than the header", Bytes{0, 0, 0}, true},
        {"count beyond the rows", vfsoPayload(0, 2, {{1, 0, 1, 0, 0}}), true},
        {"huge count", vfsoPayload(0, 0x7FFFFFFF, {}), true},
        {"negative count", vfsoPayload(0, -1, {}), false},
    };
    for (const Case& c : cases) {
        Bytes file = chunkBytes(Chunk::ID_VFSO, int32_t(c.payload.size()), 0, c.payload);
        if (c.eof)
            EXPECT_TRUE(vmThrows<java::io::EOFException>([&] { Chunk::readChunk(vmDataStream(file)); }))
                << c.what;
        else
            EXPECT_TRUE(vmThrows<java::io::IOException>([&] { Chunk::readChunk(vmDataStream(file)); },
                                                        "Negative VFSO entry count -1"))
                << c.what;
    }
}

} // namespace
