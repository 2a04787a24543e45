#include <gtest/gtest.h>

#include "engine/support/EngineBytes.h"
#include "java/io/ByteArrayInputStream.h"
#include "java/io/EOFException.h"
#include "java/io/IOException.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/io/resource/ResourcePackExtension.h"

using java::io::DataInputStream;
using tq::io::resource::ResourcePackExtension;

namespace {

class ResourcePackExtensionTest : public VMFixture {};

// Tables of three entries (no data block).
const Bytes tables = {0x01, 0, 3, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 4, 5, 6};

TEST_F(ResourcePackExtensionTest, RecordsFollowTheirSizes)
{
    VMPtr<ResourcePackExtension> pack = ResourcePackExtension::newInstance()->init();
    ASSERT_TRUE(pack->readFrom(vmDataStream(tables), true));
    EXPECT_FALSE(pack->hasExtension());
    EXPECT_FALSE(pack->getExtensionBytes(0));
    EXPECT_FALSE(pack->getExtensionStream(0));
    EXPECT_EQ(pack->getExtensionSize(0), -1);

    pack->readExtension(vmDataStream({0, 2, 0, 0, 0, 3, 'a', 'b', 'x', 'y', 'z'}));
    EXPECT_TRUE(pack->hasExtension());
    EXPECT_EQ(bytesOf(pack->getExtensionBytes(0)), (Bytes{'a', 'b'}));
    EXPECT_EQ(pack->getExtensionSize(1), 0);
    EXPECT_EQ(pack->getExtensionOffset(2), 2);
    EXPECT_EQ(pack->getExtensionOffset(3), 5);
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { pack->getExtensionOffset(4); }, "Array index out of range: 3"));
    VMPtr<DataInputStream> in = pack->getExtensionStream(2);
    EXPECT_EQ(in->read(), 'x');
    EXPECT_EQ(in->skip(5), 2);
    EXPECT_EQ(in->read(), -1);
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { pack->getExtensionBytes(3); },
                                                "No pack entry 3"));
    // Closing the tables clears the records.
    pack->close();
    EXPECT_FALSE(pack->hasExtension());
}

TEST_F(ResourcePackExtensionTest, DamagedOrMisplacedExtensionsFail)
{
    VMPtr<ResourcePackExtension> pack = ResourcePackExtension::newInstance()->init();
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { pack->readExtension(vmDataStream({})); },
                                                "No pack tables loaded"));
    ASSERT_TRUE(pack->readFrom(vmDataStream(tables), true));
    EXPECT_TRUE(vmThrows<java::io::EOFException>([&] { pack->readExtension(vmDataStream({0, 2, 0})); }));
    EXPECT_TRUE(vmThrows<java::io::EOFException>(
        [&] { pack->readExtension(vmDataStream({0xFF, 0xFF, 0, 0, 0, 0, 'a'})); }));
    // An empty part has an empty, present extension.
    ASSERT_TRUE(pack->readFrom(vmDataStream({0x01, 0, 0}), true));
    pack->readExtension(vmDataStream({}));
    EXPECT_TRUE(pack->hasExtension());
}

} // namespace
