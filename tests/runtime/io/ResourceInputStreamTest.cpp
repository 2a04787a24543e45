#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

#include "com/tarquel/velto/cldc/io/ResourceInputStream.h"
#include "java/io/DataInputStream.h"
#include "java/io/EOFException.h"
#include "java/io/IOException.h"
#include "java/lang/Class.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/String.h"
#include "support/AppFolderTest.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"

using com::tarquel::velto::cldc::io::ResourceInputStream;
using java::io::IOException;
using ByteArray = VMArray<int8_t, 1>;

namespace {

class ResourceInputStreamTest : public AppFolderTest {
protected:
    void SetUp() override { app.write("rsc/abc.bin", "\x01\x02\xFF"); }

    VMPtr<ResourceInputStream> open(const char* name)
    {
        return ResourceInputStream::newInstance()->init(vmString(name));
    }
};

TEST_F(ResourceInputStreamTest, ReadsByteByByteToTheEnd)
{
    VMPtr<ResourceInputStream> in = open("abc.bin");
    EXPECT_EQ(in->available(), 3);
    EXPECT_EQ(in->read(), 1);
    EXPECT_EQ(in->available(), 2);
    EXPECT_EQ(in->read(), 2);
    EXPECT_EQ(in->available(), 1);
    EXPECT_EQ(in->read(), 255);
    EXPECT_EQ(in->available(), 0);
    EXPECT_EQ(in->read(), -1);
    EXPECT_EQ(in->read(), -1);
}

// A data stream reads each value from the file in one go, with the stream's
// own end, mark and close.
TEST_F(ResourceInputStreamTest, DataValuesReadWholeStopAtTheEndAndAfterClose)
{
    VMPtr<ResourceInputStream> file = open("abc.bin");
    VMPtr<java::io::DataInputStream> in = java::io::DataInputStream::newInstance()->init(file);
    in->mark(10);
    EXPECT_EQ(in->readUnsignedShort(), 0x0102);
    in->reset();
    EXPECT_EQ(in->readByte(), 1);
    EXPECT_EQ(in->readShort(), 0x02FF);
    in->reset();
    EXPECT_EQ(in->readUnsignedByte(), 1);
    EXPECT_TRUE(vmThrows<java::io::EOFException>([&] { in->readInt(); }));
    EXPECT_EQ(in->available(), 0);
    in->close();
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { in->readInt(); }));
}

TEST_F(ResourceInputStreamTest, ArrayReadsStopAtTheEnd)
{
    VMPtr<ResourceInputStream> in = open("abc.bin");
    VMPtr<ByteArray> b = ByteArray::newArray(10);
    EXPECT_EQ(in->read(b, 0, 0), 0);
    EXPECT_EQ(in->read(b, 0, 10), 3);
    EXPECT_EQ((*b)[2], -1);
    EXPECT_EQ(in->read(b, 0, 10), -1);
    EXPECT_TRUE(vmThrows<java::lang::IndexOutOfBoundsException>([&] { in->read(b, 8, 3); }));
}

// Small reads come from a read ahead of them: values across its edges, a
// large read after small ones, and a reset behind it read the file's bytes.
TEST_F(ResourceInputStreamTest, SmallAndLargeReadsMixedReadTheFileInOrder)
{
    std::string bytes;
    for (int i = 0; i < 1500; i++)
        bytes += char(i * 7 + i / 256);
    app.write("rsc/long.bin", bytes);
    auto at = [&](int i) { return uint8_t(bytes[size_t(i)]); };
    auto intAt = [&](int i) { return int32_t(uint32_t(at(i)) << 24 | at(i + 1) << 16 | at(i + 2) << 8 | at(i + 3)); };

    VMPtr<java::io::DataInputStream> in =
        java::io::DataInputStream::newInstance()->init(open("long.bin"));
    in->mark(2000);
    EXPECT_EQ(in->read(), at(0));
    EXPECT_EQ(in->skipBytes(509), 509);
    EXPECT_EQ(in->readInt(), intAt(510)); // across the first read's end
    VMPtr<ByteArray> b = ByteArray::newArray(600);
    in->readFully(b);
    for (int i : {0, 1, 599})
        EXPECT_EQ(uint8_t((*b)[i]), at(514 + i)) << i;
    EXPECT_EQ(in->readShort(), int16_t(at(1114) << 8 | at(1115)));
    in->reset();
    EXPECT_EQ(in->readInt(), intAt(0));
    EXPECT_EQ(in->skipBytes(2000), 1496);
    EXPECT_EQ(in->read(), -1);
}

TEST_F(ResourceInputStreamTest, ShrunkFileEndsTheStreamInsteadOfReadingGarbage)
{
    VMPtr<ResourceInputStream> in = open("abc.bin");
    app.write("rsc/abc.bin", "\x01"); // the size was read at the opening
    EXPECT_EQ(in->skip(1), 1);
    EXPECT_EQ(in->read(), -1);
    VMPtr<ByteArray> b = ByteArray::newArray(4);
    EXPECT_EQ(in->read(b, 0, 4), -1);
}

TEST_F(ResourceInputStreamTest, SkipMarkAndReset)
{
    VMPtr<ResourceInputStream> in = open("abc.bin");
    EXPECT_EQ(in->read(), 1);
    EXPECT_EQ(in->skip(100), 2);
    EXPECT_EQ(in->skip(-1), 0);
    in->reset(); // to the start: no mark yet
    EXPECT_EQ(in->read(), 1);
    in->mark(0);
    EXPECT_EQ(in->read(), 2);
    EXPECT_EQ(in->read(), 255);
    in->reset();
    EXPECT_EQ(in->read(), 2);
    EXPECT_TRUE(in->markSupported());

    // Skipping "everything" from inside the file stops at its end.
    EXPECT_EQ(in->skip(INT64_MAX), 1);
    EXPECT_EQ(in->available(), 0);
    EXPECT_EQ(in->read(), -1);
}

TEST_F(ResourceInputStreamTest, ClosedStreamRefusesReadsButAnswersItsPosition)
{
    VMPtr<ResourceInputStream> in = open("abc.bin");
    EXPECT_EQ(in->read(), 1);
    in->close();
    in->close();
    EXPECT_TRUE(vmThrows<IOException>([&] { in->read(); }));
    EXPECT_TRUE(vmThrows<IOException>([&] { in->skip(1); }));
    EXPECT_TRUE(vmThrows<IOException>([&] { in->reset(); }));
    EXPECT_TRUE(vmThrows<IOException>([&] { in->read(ByteArray::newArray(1), 0, 1); }));
    EXPECT_EQ(in->available(), 2);
    in->mark(0);
}

// Descriptors of the process open on one file; streams that earlier tests
// left to the collector are on other files and do not count.
size_t descriptorsOpenOn(const std::filesystem::path& file)
{
    const std::filesystem::path target = std::filesystem::canonical(file);
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) == target)
            count++;
    }
    return count;
}

TEST_F(ResourceInputStreamTest, CollectorClosesAStreamLeftOpen)
{
    app.write("rsc/left-open.bin", "\x01");
    const std::filesystem::path file = app.path() + "/rsc/left-open.bin";
    {
        VMPtr<ResourceInputStream> in = open("left-open.bin");
        EXPECT_EQ(in->read(), 1);
        EXPECT_EQ(descriptorsOpenOn(file), 1u);
    }
    _VM_collectGarbage(_VM_instance);
    EXPECT_EQ(descriptorsOpenOn(file), 0u);
}

TEST_F(ResourceInputStreamTest, MissingResource)
{
    EXPECT_TRUE(vmThrows<IOException>([&] { open("missing.bin"); }, "Resource error: 4"));
    EXPECT_FALSE(java::lang::String::classRecord()->getResourceAsStream(vmString("/missing.bin")));
}

// A file beside the resource folder is not a resource, by any name.
TEST_F(ResourceInputStreamTest, NamesStayInsideTheResourceFolder)
{
    app.write("beside.bin", "B");
    java::lang::Class* cls = java::lang::String::classRecord();
    for (const char* name : {"/../beside.bin", "../../../beside.bin"})
        EXPECT_FALSE(cls->getResourceAsStream(vmString(name))) << name;
    EXPECT_TRUE(vmThrows<IOException>([&] { open("..\\beside.bin"); }, "Resource error: 4"));
}

TEST_F(ResourceInputStreamTest, ClassResolvesNamesAgainstItsPackage)
{
    app.write("rsc/java/lang/in-package.bin", "P");
    java::lang::Class* cls = java::lang::String::classRecord();
    VMPtr<java::lang::Object> absolute = cls->getResourceAsStream(vmString("/abc.bin"));
    ASSERT_TRUE(absolute);
    EXPECT_EQ(vm_cast<ResourceInputStream>(absolute)->read(), 1);
    VMPtr<java::lang::Object> relative = cls->getResourceAsStream(vmString("in-package.bin"));
    ASSERT_TRUE(relative);
    EXPECT_EQ(vm_cast<ResourceInputStream>(relative)->read(), 'P');
    EXPECT_FALSE(cls->getResourceAsStream(vmString("abc.bin"))); // not in java/lang/
}

} // namespace
