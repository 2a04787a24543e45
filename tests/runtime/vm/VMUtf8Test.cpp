#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "vm/VMUtf8.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes encode(const std::u16string& units, bool modified)
{
    Bytes out(static_cast<size_t>(_VM_utf8Length(units.data(), int32_t(units.size()), modified)));
    int32_t capacity = int32_t(out.size());
    int32_t processed = _VM_utf16ToUtf8(out.data(), &capacity, units.data(),
                                        int32_t(units.size()), modified, false);
    EXPECT_EQ(processed, int32_t(units.size()));
    EXPECT_EQ(capacity, int32_t(out.size()));
    return out;
}

TEST(VMUtf8, EncodingTable)
{
    struct Case {
        std::u16string units;
        bool modified;
        Bytes bytes;
    } cases[] = {
        {u"A", true, {0x41}},
        {std::u16string(1, u'\0'), true, {0xC0, 0x80}},
        {std::u16string(1, u'\0'), false, {0x00}},
        {u"\u007F", true, {0x7F}},
        {u"\u0080", true, {0xC2, 0x80}},
        {u"\u00E9", true, {0xC3, 0xA9}},
        {u"\u07FF", true, {0xDF, 0xBF}},
        {u"\u0800", true, {0xE0, 0xA0, 0x80}},
        {u"\uFFFF", true, {0xEF, 0xBF, 0xBF}},
        // U+1F600 as its two surrogates, each encoded on its own.
        {u"\U0001F600", true, {0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encode(c.units, c.modified), c.bytes) << int(c.units[0]);
        bool valid = false;
        std::u16string decoded(c.units.size() + 4, u'?');
        int32_t capacity = int32_t(decoded.size());
        int32_t consumed = _VM_utf8ToUtf16(decoded.data(), &capacity, c.bytes.data(),
                                           int32_t(c.bytes.size()), &valid);
        EXPECT_TRUE(valid);
        EXPECT_EQ(consumed, int32_t(c.bytes.size()));
        EXPECT_EQ(decoded.substr(0, size_t(capacity)), c.units);
        EXPECT_TRUE(_VM_utf8EqualsUtf16(c.bytes.data(), int32_t(c.bytes.size()), c.units.data(),
                                        int32_t(c.units.size())));
    }
}

TEST(VMUtf8, DecodingDamagedInput)
{
    struct Case {
        Bytes bytes;
        char16_t unit;
        bool valid;
        int32_t consumed;
    } cases[] = {
        {{0xC3}, 0x0080, true, 1},              // truncated two-byte form
        {{0xE2, 0x82}, 0x0080, true, 1},        // truncated three-byte form
        {{0xC3, 0x41}, 0x0080, true, 2},        // bad continuation is consumed
        {{0xE2, 0x41, 0x80}, 0x0080, true, 3},
        {{0x80}, 0x0000, false, 0},             // continuation as a lead
        {{0xF0, 0x9F, 0x98, 0x80}, 0x0000, false, 0},  // four-byte lead
    };
    for (const Case& c : cases) {
        int32_t remaining = int32_t(c.bytes.size());
        const uint8_t* cursor = c.bytes.data();
        bool valid = !c.valid;
        EXPECT_EQ(_VM_utf8DecodeChar(&remaining, &cursor, &valid), c.unit);
        EXPECT_EQ(valid, c.valid);
        EXPECT_EQ(cursor - c.bytes.data(), c.consumed);
    }
}

TEST(VMUtf8, DecodingStopsAtTheFirstInvalidLead)
{
    const Bytes bytes = {0x41, 0x80, 0x42};
    char16_t out[4] = {u'?', u'?', u'?', u'?'};
    int32_t capacity = 4;
    bool valid = true;
    EXPECT_EQ(_VM_utf8ToUtf16(out, &capacity, bytes.data(), 3, &valid), 1);
    EXPECT_FALSE(valid);
    EXPECT_EQ(capacity, 2) << "the 0 of the bad byte is stored";
    EXPECT_EQ(out[0], u'A');
    EXPECT_EQ(out[1], 0);
    EXPECT_EQ(out[2], u'?');

    bool countValid = true;
    EXPECT_EQ(_VM_utf8CountChars(bytes.data(), 3, &countValid), 1);
    EXPECT_FALSE(countValid);
    const Bytes good = {0x41, 0xC3, 0xA9, 0xE0, 0xA0, 0x80};
    EXPECT_EQ(_VM_utf8CountChars(good.data(), 6, &countValid), 3);
    EXPECT_TRUE(countValid);
}

TEST(VMUtf8, EncodeCharReportsShortfallWithoutWriting)
{
    uint8_t buffer[4] = {0xAA, 0xAA, 0xAA, 0xAA};
    uint8_t* cursor = buffer;
    EXPECT_EQ(_VM_utf8EncodeChar(u'\u0800', 2, &cursor, true), -1);
    EXPECT_EQ(cursor, buffer);
    EXPECT_EQ(buffer[0], 0xAA);
    EXPECT_EQ(_VM_utf8EncodeChar(u'A', 0, &cursor, true), 0);
    EXPECT_EQ(_VM_utf8EncodeChar(u'A', -3, &cursor, true), -3);
    EXPECT_EQ(cursor, buffer);
}

TEST(VMUtf8, TerminatedOutputThatExactlyFits)
{
    const std::u16string text = u"h\u00E9!";
    uint8_t out[6];
    std::fill(std::begin(out), std::end(out), 0xAA);
    int32_t capacity = 5;  // four bytes of text and the 0
    EXPECT_EQ(_VM_utf16ToUtf8(out, &capacity, text.data(), 3, true, true), 3);
    EXPECT_EQ(capacity, 4);
    EXPECT_EQ(Bytes(out, out + 6), (Bytes{'h', 0xC3, 0xA9, '!', 0x00, 0xAA}));

    // One byte short: the last unit is left out, the 0 still fits.
    std::fill(std::begin(out), std::end(out), 0xAA);
    capacity = 4;
    EXPECT_EQ(_VM_utf16ToUtf8(out, &capacity, text.data(), 3, true, true), 2);
    EXPECT_EQ(capacity, 3);
    EXPECT_EQ(Bytes(out, out + 5), (Bytes{'h', 0xC3, 0xA9, 0x00, 0xAA}));
}

TEST(VMUtf8, EqualsNeedsBothRunsToEndTogether)
{
    const Bytes bytes = {'a', 'b'};
    EXPECT_TRUE(_VM_utf8EqualsUtf16(bytes.data(), 2, u"ab", 2));
    EXPECT_FALSE(_VM_utf8EqualsUtf16(bytes.data(), 2, u"a", 1));
    EXPECT_FALSE(_VM_utf8EqualsUtf16(bytes.data(), 1, u"ab", 2));
    EXPECT_FALSE(_VM_utf8EqualsUtf16(bytes.data(), 2, u"ac", 2));
}

} // namespace
