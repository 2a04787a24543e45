#include "hal/HALList.h"
#include "hal/HALString.h"
#include "hal/hal.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string text(const HALString* string)
{
    return string->characters() != nullptr ? std::u16string(string->characters(), string->length())
                                           : std::u16string();
}

// Every test checks that its strings gave their memory back.
class StringTest : public testing::Test {
protected:
    void SetUp() override { base = HAL_getAllocatedBytes(); }
    void TearDown() override { EXPECT_EQ(HAL_getAllocatedBytes(), base) << "a string was not freed"; }
    uint32_t base = 0;
};

TEST_F(StringTest, NonAsciiTextRoundTripsThroughThePlatformCalls)
{
    const std::u16string original = u"Grüße, 東京 \U0001F680 ñ";
    HALString* string = HALString::make(original.data(), static_cast<int32_t>(original.size()));
    ASSERT_NE(string, nullptr);

    int32_t length = -1;
    EXPECT_EQ(HAL_getStringLength(string, &length), 0);
    EXPECT_EQ(length, static_cast<int32_t>(original.size()));  // UTF-16 units, the pair counts 2

    std::u16string buffer(original.size() + 4, u'\xFFFF');  // sentinels past the end
    EXPECT_EQ(HAL_getStringCharacters(string, buffer.data()), 0);
    EXPECT_EQ(buffer.substr(0, original.size()), original);
    EXPECT_EQ(buffer.substr(original.size()), std::u16string(4, u'\xFFFF'));
    EXPECT_EQ(string->characters()[length], u'\0');
    EXPECT_EQ(HAL_deleteString(string), 0);
}

TEST_F(StringTest, PlatformCallsRefuseNullArguments)
{
    HALString* string = HALString::make(u"x");
    HALString* empty = HALString::make(nullptr, 0);
    int32_t length = 0;
    char16_t buffer[2];
    EXPECT_EQ(HAL_getStringLength(nullptr, &length), 2);
    EXPECT_EQ(HAL_getStringLength(string, nullptr), 2);
    EXPECT_EQ(HAL_getStringCharacters(nullptr, buffer), 2);
    EXPECT_EQ(HAL_getStringCharacters(string, nullptr), 2);
    EXPECT_EQ(HAL_getStringCharacters(empty, buffer), 2);  // no buffer
    EXPECT_EQ(HAL_getStringLength(empty, &length), 0);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(HAL_deleteString(nullptr), 2);
    HAL_deleteString(string);
    HAL_deleteString(empty);
}

TEST_F(StringTest, SearchesAndSubstrings)
{
    HALString* letters = HALString::make(u"abcdef");
    HALString* middle = letters->substring(2, 5);
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(text(middle), u"cde");
    EXPECT_EQ(letters->substring(-1, 2), nullptr);
    EXPECT_EQ(letters->substring(4, 7), nullptr);
    EXPECT_EQ(letters->substring(4, 3), nullptr);
    HALString* none = letters->substring(3, 3);
    EXPECT_EQ(none->length(), 0);

    HALString* pair = HALString::make(u"key:value");
    EXPECT_EQ(pair->indexOf(u':'), 3);
    EXPECT_EQ(pair->indexOf(u':', 4), -1);
    EXPECT_EQ(pair->indexOf(u'k', 9), -1);  // at the end
    HALString* twice = HALString::make(u"a.b.c");
    EXPECT_EQ(twice->lastIndexOf(u'.'), 3);
    EXPECT_EQ(twice->lastIndexOf(u'x'), -1);
    EXPECT_EQ(twice->charAt(4), u'c');
    EXPECT_EQ(twice->charAt(5), 0);
    EXPECT_EQ(twice->charAt(-1), 0);

    HALString* empty = HALString::make(nullptr, 0);
    EXPECT_EQ(empty->indexOf(u'a'), -1);
    EXPECT_EQ(empty->lastIndexOf(u'a'), -1);
    EXPECT_EQ(empty->charAt(0), 0);
    for (HALString* s : {letters, middle, none, pair, twice, empty})
        s->release();
}

TEST_F(StringTest, EqualityAndCopies)
{
    HALString* noBuffer = HALString::make(nullptr, 0);
    HALString* alsoNone = HALString::make(static_cast<const char16_t*>(nullptr));
    HALString* emptyText = HALString::make(u"");
    HALString* upper = HALString::make(u"Abc");
    HALString* lower = HALString::make(u"abc");
    HALString* copy = HALString::copy(lower);
    HALString* copyOfNone = HALString::copy(noBuffer);

    EXPECT_TRUE(noBuffer->equals(alsoNone));
    EXPECT_TRUE(noBuffer->equals(copyOfNone));
    EXPECT_EQ(copyOfNone->characters(), nullptr);
    EXPECT_FALSE(noBuffer->equals(emptyText));  // only one has a buffer
    EXPECT_FALSE(upper->equals(lower));         // case-sensitive
    EXPECT_TRUE(lower->equals(copy));
    EXPECT_NE(lower->characters(), copy->characters());
    EXPECT_TRUE(lower->equals(lower));
    EXPECT_FALSE(lower->equals(nullptr));
    for (HALString* s : {noBuffer, alsoNone, emptyText, upper, lower, copy, copyOfNone})
        s->release();
}

TEST_F(StringTest, AppendingAndReferences)
{
    HALString* string = HALString::make(nullptr, 0);
    EXPECT_TRUE(string->append(u"déjà"));
    EXPECT_TRUE(string->append(static_cast<const char16_t*>(nullptr)));
    EXPECT_TRUE(string->append(u""));
    HALString* tail = HALString::make(u" vu");
    EXPECT_TRUE(string->append(tail));
    EXPECT_TRUE(string->append(string));  // itself
    EXPECT_EQ(text(string), u"déjà vudéjà vu");
    EXPECT_EQ(string->characters()[string->length()], u'\0');

    string->addReference();
    string->release();
    EXPECT_EQ(text(string), u"déjà vudéjà vu");  // still referenced once
    string->release();
    tail->release();
}

TEST_F(StringTest, ListGrowsByHalfAndKeepsOrder)
{
    HALList* list = HALList::create();
    ASSERT_NE(list, nullptr);
    int items[20];
    for (int& item : items)
        ASSERT_TRUE(list->add(&item));
    ASSERT_EQ(list->size(), 20);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(list->get(i), &items[i]);
    EXPECT_EQ(list->get(20), nullptr);
    EXPECT_EQ(list->get(-1), nullptr);

    EXPECT_TRUE(list->remove(&items[0]));
    EXPECT_TRUE(list->removeAt(18));  // the last
    EXPECT_FALSE(list->removeAt(18));
    EXPECT_FALSE(list->remove(&items[0]));
    EXPECT_EQ(list->size(), 18);
    EXPECT_EQ(list->get(0), &items[1]);
    EXPECT_EQ(list->indexOf(&items[10]), 9);
    list->clear();
    EXPECT_EQ(list->size(), 0);
    HALList::destroy(list);
    HALList::destroy(nullptr);
}

}  // namespace
