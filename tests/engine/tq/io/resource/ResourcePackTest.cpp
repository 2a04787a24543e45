#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/support/EngineBytes.h"
#include "engine/support/PackFolderTest.h"
#include "java/io/ByteArrayInputStream.h"
#include "java/io/EOFException.h"
#include "java/io/IOException.h"
#include "java/lang/RuntimeException.h"
#include "support/LangTestSupport.h"
#include "support/PngWriter.h"
#include "support/VMFixture.h"
#include "tq/Resources.h"
#include "tq/TqCanvas.h"
#include "tq/io/resource/ResourcePack.h"
#include "tq/io/resource/ResourcePackSaver.h"

using java::io::DataInputStream;
using tq::io::resource::ResourcePack;
using tq::io::resource::ResourcePackSaver;

namespace {

class ResourcePackTest : public PackFolderTest {};

std::string red = vxtest::pngPalette(1, 1, {0xFFFF0000u}, {0});

// The pack the saver writes for these entries and types.
Bytes savedPack(const std::vector<Bytes>& entries, const Bytes& types)
{
    VMPtr<ResourcePackSaver::ByteArrays> list =
        ResourcePackSaver::ByteArrays::newArray(int32_t(entries.size()));
    for (size_t i = 0; i < entries.size(); i++)
        list->set(int32_t(i), vmBytes(entries[i]));
    return bytesOf(ResourcePackSaver::save(list, vmBytes(types)));
}

const std::vector<Bytes> entries = {{1, 2, 3}, {}, Bytes(red.begin(), red.end()), {0xFF}};
const Bytes types = {5, 0x80, 0xFD, 0};

void expectEntries(const VMPtr<ResourcePack>& pack, int32_t part)
{
    for (size_t i = 0; i < entries.size(); i++) {
        int32_t id = (part << 10) | int32_t(i);
        EXPECT_EQ(bytesOf(pack->getBytes(id)), entries[i]) << i;
        EXPECT_EQ(pack->getType(id), int8_t(types[i])) << i;
        EXPECT_EQ(pack->getSize(id), int32_t(entries[i].size())) << i;
        VMPtr<DataInputStream> in = pack->getDataInputStream(id);
        for (uint8_t b : entries[i])
            EXPECT_EQ(in->read(), b);
        EXPECT_EQ(in->read(), -1);
    }
    EXPECT_EQ(pack->getImage((part << 10) | 2, nullptr)->getWidth(), 1);
}

TEST_F(ResourcePackTest, SavedPacksReadBackFromMemory)
{
    VMPtr<ResourcePack> pack = ResourcePack::newInstance()->init();
    EXPECT_TRUE(pack->readFrom(vmDataStream(savedPack(entries, types)), false));
    EXPECT_EQ(ResourcePack::currentPart, 0);
    EXPECT_EQ(pack->getOffset(0), 0);
    EXPECT_EQ(pack->getOffset(3), 3 + int32_t(red.size()));
    expectEntries(pack, 0);
    // Ids 1023 and 5 of part 0 never load a part.
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { pack->getBytes(1023); },
                                                "No pack entry 1023"));
    tq::TqCanvas::staticInputPosition = -1;
    EXPECT_EQ(pack->selectForStaticRead(3), 1);
    EXPECT_EQ(tq::TqCanvas::readByte(), -1);
    EXPECT_FALSE(pack->readFrom(nullptr, false));
    EXPECT_EQ(ResourcePack::currentPart, -1);
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { pack->getSize(0); }, "No pack entry 0"));
}

TEST_F(ResourcePackTest, PartsLoadOnDemandFromTheirFiles)
{
    Bytes pack8 = savedPack(entries, types);
    app.write("rsc/RP8.rp", std::string(pack8.begin(), pack8.end()));
    VMPtr<ResourcePack> pack = ResourcePack::newInstance()->init();
    expectEntries(pack, 8);
    EXPECT_EQ(ResourcePack::currentPart, 8);
    // A missing part names its file and leaves no part current.
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { pack->getBytes(9 << 10); },
                                                "Missing resource pack file /RP9.rp"));
    EXPECT_EQ(ResourcePack::currentPart, -1);
    EXPECT_EQ(pack->getSize((8 << 10) | 2), int32_t(red.size()));
}

TEST_F(ResourcePackTest, SeparateFilesHoldTheirEntries)
{
    // Tables only (2-byte sizes), entries in /RP0part<i>.rp.
    Bytes tables = {0x00, 0, 2, 0, 3, 0, 4, 7, 8};
    app.write("rsc/RP0part0.rp", "abc");
    app.write("rsc/RP0part1.rp", "de");
    VMPtr<ResourcePack> pack = ResourcePack::newInstance()->init();
    EXPECT_TRUE(pack->readFrom(vmDataStream(tables), true));
    EXPECT_EQ(bytesOf(pack->getBytes(0)), (Bytes{'a', 'b', 'c'}));
    EXPECT_EQ(vmText(pack->getEntryFileName(1)), "/RP0part1.rp");
    EXPECT_EQ(pack->getOffset(1), 0);
    EXPECT_EQ(pack->getType(1), 8);
    // A file shorter than its entry.
    EXPECT_TRUE(vmThrows<java::lang::RuntimeException>([&] { pack->getBytes(1); },
                                                       "java.io.EOFException"));
}

TEST_F(ResourcePackTest, FileNames)
{
    VMPtr<ResourcePack> pack = ResourcePack::newInstance()->init();
    EXPECT_EQ(vmText(pack->getFileName(3, -1)), "/RP3.rp");
    EXPECT_EQ(vmText(pack->getFileName(3, 0)), "/RP3part0.rp");
    EXPECT_EQ(vmText(pack->getFileName(12, 7, vmString("png"))), "/RP12part7.png");
}

TEST_F(ResourcePackTest, PaletteReplacementLeavesBothArraysAsTheyWere)
{
    VMPtr<ResourcePack> pack = ResourcePack::newInstance()->init();
    ASSERT_TRUE(pack->readFrom(vmDataStream(savedPack(entries, types)), false));
    std::string blue = vxtest::pngPalette(1, 1, {0xFF0000FFu}, {0});
    VMPtr<VMByteArray> palette = tq::Resources::readPalette(
        tq::Resources::openDataStream(vmBytes(blue), 0, int32_t(blue.size())));
    Bytes paletteBefore = bytesOf(palette);
    VMPtr<javax::microedition::lcdui::Image> image = pack->getImage(2, palette);
    VMPtr<VMArray<int32_t, 1>> rgb = VMArray<int32_t, 1>::newArray(1);
    image->getRGB(rgb, 0, 1, 0, 0, 1, 1);
    EXPECT_EQ(uint32_t((*rgb)[0]), 0xFF0000F8u);
    EXPECT_EQ(bytesOf(palette), paletteBefore);
    EXPECT_EQ(bytesOf(pack->getBytes(2)), entries[2]);
}

TEST_F(ResourcePackTest, DamagedPacksFailWithIOExceptions)
{
    Bytes whole = savedPack({{1, 2}, {3}}, {0, 0});
    // Truncated at every byte of the tables and the data.
    for (size_t cut = 0; cut < whole.size(); cut++) {
        VMPtr<ResourcePack> pack = ResourcePack::newInstance()->init();
        Bytes part(whole.begin(), whole.begin() + long(cut));
        EXPECT_TRUE(vmThrows<java::io::EOFException>(
            [&] { pack->readFrom(vmDataStream(part), false); }))
            << cut;
        EXPECT_TRUE(vmThrows<java::io::IOException>([&] { pack->getBytes(0); },
                                                     "No pack entry 0"));
    }
    struct Case {
        const char* what;
        Bytes pack;
        const char* message;
    } cases[] = {
        {"size with the top bit", {0x41, 0, 1, 0x80, 0, 0, 0, 0, 0, 0, 0, 0}, "Pack entry size out of range"},
        {"total below the sizes", {0x41, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 1, 9}, "Pack entries beyond the data block"},
        {"negative total", {0x41, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, "Negative pack data length"},
    };
    for (const Case& c : cases) {
        VMPtr<ResourcePack> pack = ResourcePack::newInstance()->init();
        EXPECT_TRUE(vmThrows<java::io::IOException>(
            [&] { pack->readFrom(vmDataStream(c.pack), false); }, c.message))
            << c.what;
    }
    // A huge total fails at the end of the data.
    VMPtr<ResourcePack> pack = ResourcePack::newInstance()->init();
    EXPECT_TRUE(vmThrows<java::io::EOFException>(
        [&] { pack->readFrom(vmDataStream({0x41, 0, 0, 0x7F, 0xFF, 0xFF, 0xFF, 1, 2}), false); }));
}

} // namespace
