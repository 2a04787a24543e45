#include <vector>

#include <gtest/gtest.h>

#include "java/lang/IllegalArgumentException.h"
#include "engine/support/EngineBytes.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/io/resource/ResourcePackSaver.h"

using tq::io::resource::ResourcePackSaver;
using ByteArray = ResourcePackSaver::ByteArray;
using ByteArrays = ResourcePackSaver::ByteArrays;

namespace {

class ResourcePackSaverTest : public VMFixture {};

Bytes save(const std::vector<Bytes>& entries, const Bytes& types)
{
    VMPtr<ByteArrays> list = ByteArrays::newArray(int32_t(entries.size()));
    for (size_t i = 0; i < entries.size(); i++)
        list->set(int32_t(i), vmBytes(entries[i]));
    return bytesOf(ResourcePackSaver::save(list, vmBytes(types)));
}

TEST_F(ResourcePackSaverTest, LaysOutHeaderTypesTotalAndData)
{
    struct Case {
        std::vector<Bytes> entries;
        Bytes types;
        Bytes expected;
    } cases[] = {
        {{}, {}, {0x41, 0, 0, 0, 0, 0, 0}},
        {{{0xAA, 0xBB, 0xCC}}, {5}, {0x41, 0, 1, 0, 0, 0, 3, 5, 0, 0, 0, 3, 0xAA, 0xBB, 0xCC}},
        {{{}, {9}}, {0x80, 1},
         {0x41, 0, 2, 0, 0, 0, 0, 0, 0, 0, 1, 0x80, 1, 0, 0, 0, 1, 9}},
        // Entries beyond the type bytes are ignored.
        {{{1}, {2, 2}}, {7}, {0x41, 0, 1, 0, 0, 0, 1, 7, 0, 0, 0, 1, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(save(c.entries, c.types), c.expected);
}

TEST_F(ResourcePackSaverTest, RefusesWhatCannotBeWritten)
{
    VMPtr<ByteArrays> two = ByteArrays::newArray(2);
    two->set(0, vmBytes(Bytes{1}));
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { ResourcePackSaver::save(two, vmBytes(Bytes{0, 0})); }, "Null pack entry"));
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { ResourcePackSaver::save(two, vmBytes(Bytes{0, 0, 0})); },
        "Fewer pack entries than type bytes"));
    VMPtr<ByteArrays> many = ByteArrays::newArray(65536);
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { ResourcePackSaver::save(many, ByteArray::newArray(65536)); },
        "More than 65535 pack entries"));
}

} // namespace
