#include <gtest/gtest.h>

#include "java/lang/StringIndexOutOfBoundsException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/util/text/StringHelper.h"

using tq::util::text::StringHelper;

namespace {

using StringHelperTest = VMFixture;

TEST_F(StringHelperTest, SearchesBackwardsWithinInclusiveBounds)
{
    VMPtr<java::lang::String> s = vmString("a-b-c");
    struct Case {
        int32_t from, to, found;
    };
    for (Case c : {Case{0, 4, 3}, Case{0, 2, 1}, Case{2, 2, -1}, Case{3, 3, 3}, Case{4, 0, -1}}) {
        SCOPED_TRACE(testing::Message() << c.from << ".." << c.to);
        EXPECT_EQ(StringHelper::lastIndexOf(s, u'-', c.from, c.to), c.found);
    }
    EXPECT_TRUE(vmThrows<java::lang::StringIndexOutOfBoundsException>(
        [&] { StringHelper::lastIndexOf(s, u'x', 0, 5); }, "String index out of range: 5"));
}

} // namespace
