#include <vector>

#include <gtest/gtest.h>

#include "java/lang/IllegalArgumentException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/io/resource/ResourcePackSaver.h"

using tq::io::resource::ResourcePackSaver;
using ByteArray = ResourcePackSaver::ByteArray;
using ByteArrays = ResourcePackSaver::ByteArrays;
using Bytes = std::vector<uint8_t>;

namespace {

class ResourcePackSaverTest : public VMFixture {};

VMPtr<ByteArray> array(const Bytes& b)
{
    VMPtr<ByteArray> a = ByteArray::newArray(int32_t(b.size()));
    for (size_t i = 0; i < b.size(); i++)
        (*a)[int32_t(i)] = int8_t(b[i]);
    return a;
}

Bytes save(const std::vector<Bytes>& entries, const Bytes& types)
{
    VMPtr<ByteArrays> list = ByteArrays::newArray(int32_t(entries.size()));
    for (size_t i = 0; i < entries.size(); i++)
        list->set(int32_t(i), array(entries[i]));
    VMPtr<ByteArray> pack = ResourcePackSaver::save(list, array(types));
    uint8_t* p = reinterpret_cast<uint8_t*>(pack->elements());
    return Bytes(p, p + pack->length);
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
    two->set(0, array({1}));
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { ResourcePackSaver::save(two, array({0, 0})); }, "Null pack entry"));
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { ResourcePackSaver::save(two, array({0, 0, 0})); },
        "Fewer pack entries than type bytes"));
    VMPtr<ByteArrays> many = ByteArrays::newArray(65536);
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { ResourcePackSaver::save(many, ByteArray::newArray(65536)); },
        "More than 65535 pack entries"));
}

} // namespace
