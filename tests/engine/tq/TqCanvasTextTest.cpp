#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/support/EngineBytes.h"
#include "java/io/EOFException.h"
#include "java/io/IOException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/TqCanvas.h"

using tq::TqCanvas;

namespace {

class TqCanvasTextTest : public VMFixture {};

// A text table: the count, then each text's length and bytes.
Bytes table(const std::vector<std::string>& texts)
{
    Bytes b{uint8_t(texts.size() >> 8), uint8_t(texts.size())};
    for (const std::string& t : texts) {
        b.push_back(uint8_t(t.size() >> 8));
        b.push_back(uint8_t(t.size()));
        b.insert(b.end(), t.begin(), t.end());
    }
    return b;
}

std::vector<std::string> textsOf(const VMPtr<TqCanvas::StringArray>& a)
{
    std::vector<std::string> texts;
    for (int32_t i = 0; i < a->length; i++)
        texts.push_back(a->get(i) == nullptr ? "<null>" : vmText(a->get(i)));
    return texts;
}

TEST_F(TqCanvasTextTest, TablesDecodeEveryText)
{
    std::vector<std::vector<std::string>> cases = {
        {}, {"ab", ""}, {"Hello", "caf\xC3\xA9", "", "\xE2\x82\xAC 5"},
    };
    for (const auto& texts : cases) {
        Bytes b = table(texts);
        EXPECT_EQ(textsOf(TqCanvas::readTextTable(vmDataStream(b), int32_t(b.size()))), texts);
    }
}

TEST_F(TqCanvasTextTest, DamagedTablesAreRefused)
{
    Bytes two = table({"ab", "cde"});
    Bytes negative{0xFF, 0xFF};
    struct Case {
        const char* what;
        Bytes bytes;
        int32_t size;
    } refused[] = {
        {"size smaller than the texts", two, int32_t(two.size()) - 1},
        {"size smaller than the lengths", two, 4},
        {"negative count", negative, 100},
    };
    for (const Case& c : refused) {
        EXPECT_TRUE(vmThrows<java::io::IOException>(
            [&] { TqCanvas::readTextTable(vmDataStream(c.bytes), c.size); },
            "Damaged text table"))
            << c.what;
    }
    EXPECT_TRUE(vmThrows<java::io::EOFException>(
        [&] { TqCanvas::readTextTable(vmDataStream(Bytes(two.begin(), two.end() - 1)), 100); }));

    // Three texts of 30000 bytes: the third would end past 16-bit offsets.
    std::string big(30000, 'x');
    Bytes large = table({big, big, big});
    EXPECT_TRUE(vmThrows<java::io::IOException>(
        [&] { TqCanvas::readTextTable(vmDataStream(large), int32_t(large.size())); },
        "Damaged text table"));
    // One of them fits.
    Bytes one = table({big});
    EXPECT_EQ(TqCanvas::readTextTable(vmDataStream(one), int32_t(one.size()))->get(0)->length(),
              30000);
}

TEST_F(TqCanvasTextTest, RawTextsSkipTheirLengthFieldsWhenTheFirstOffsetIsNotZero)
{
    VMPtr<VMByteArray> data = vmBytes(std::string("..abcde..fghij"));
    struct Case {
        std::vector<char16_t> offsets;
        int32_t index;
        const char* text;
    } cases[] = {
        {{2, 7, 12}, 0, "abc"},
        {{2, 7, 14}, 1, "..fgh"},
        {{0, 5, 10}, 0, "..abc"},
        {{0, 5, 10}, 1, "de..f"},
    };
    for (const Case& c : cases) {
        VMPtr<TqCanvas::CharArray> offsets = TqCanvas::CharArray::newArray(3);
        for (int32_t i = 0; i < 3; i++)
            (*offsets)[i] = c.offsets[size_t(i)];
        EXPECT_EQ(vmText(TqCanvas::decodeText(data, offsets, c.index)), c.text);
    }
}

} // namespace

namespace {

TEST_F(TqCanvasTextTest, NumbersParseWithADefaultAndAppendPadded)
{
    struct Case {
        const char* text;
        int32_t radix;
        int32_t value;
    } cases[] = {
        {"1f", 16, 31}, {"1f", 10, 7}, {nullptr, 10, 7}, {"-42", 10, -42}, {"", 10, 7},
        {"2147483648", 10, 7},
    };
    for (const Case& c : cases) {
        VMPtr<java::lang::String> s = c.text ? vmString(c.text) : nullptr;
        EXPECT_EQ(TqCanvas::parseIntRadix(s, 7, c.radix), c.value) << (c.text ? c.text : "null");
    }
    EXPECT_EQ(TqCanvas::parseInt(vmString("12"), 3), 12);
    EXPECT_EQ(TqCanvas::parseInt(vmString("x"), 3), 3);

    VMPtr<java::lang::StringBuffer> sb = java::lang::StringBuffer::newInstance()->init("t=");
    TqCanvas::appendPaddedNumber(sb, 5, 3);
    TqCanvas::appendPaddedNumber(sb, -12, 0);
    EXPECT_EQ(vmText(sb->toString()), "t=005-12");
}

} // namespace
