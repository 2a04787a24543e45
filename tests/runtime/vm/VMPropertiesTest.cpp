#include <gtest/gtest.h>

#include <cstring>

#include "support/VMFixture.h"
#include "vm/VMHashtable.h"
#include "vm/VMProperties.h"

namespace {

using VMProperties = VMFixture;

TEST_F(VMProperties, BuiltInTableAnswersTheFixedKeysAndNothingElse)
{
    const VMHashtable* table = _VM_getPropertyTable();
    ASSERT_EQ(table, _VM_getPropertyTable()) << "built once";
    struct Case {
        const char* key;
        const char* value;
    } cases[] = {
        {"microedition.configuration", "CLDC-1.1"},
        {"microedition.profiles", "MIDP-2.0"},
        {"microedition.encoding", "UTF-8"},
        {"microedition.commports", ""},
        {"com.tarquel.velto.hal.platform", "WindowsMobile"},
        {"com.tarquel.velto.hal.version", "1"},
    };
    for (const Case& c : cases) {
        const char* value = _VM_getProperty(table, c.key);
        ASSERT_NE(value, nullptr) << c.key;
        EXPECT_STREQ(value, c.value) << c.key;
    }
    EXPECT_EQ(_VM_getProperty(table, "device.model"), nullptr);
    EXPECT_EQ(_VM_getProperty(table, nullptr), nullptr);
}

void listTwice(HALPropertySink sink, void* context)
{
    sink(context, "a.key", "1");
    sink(context, "a.key", "2");
}

TEST_F(VMProperties, AKeyGivenTwiceIsFatal)
{
    EXPECT_EXIT(
        {
            VMHashtable table;
            VMHashtable_construct(&table);
            _VM_fillPropertyTable(&table, &listTwice);
        },
        ::testing::ExitedWithCode(1), "");
}

} // namespace
