#include <cmath>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "java/lang/Character.h"
#include "java/lang/Double.h"
#include "java/lang/Float.h"
#include "java/lang/Integer.h"
#include "java/lang/Long.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/NumberFormatException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

using namespace java::lang;

namespace {

class NumberTest : public VMFixture {};

constexpr int32_t INT_MIN_ = -2147483647 - 1;
constexpr int64_t LONG_MIN_ = -9223372036854775807LL - 1;

TEST_F(NumberTest, IntegerToTextInEveryRadix)
{
    struct Case {
        int32_t value, radix;
        const char* text;
    };
    for (Case c : {
             Case{0, 10, "0"}, Case{255, 16, "ff"}, Case{-255, 16, "-ff"}, Case{35, 36, "z"},
             Case{-35, 36, "-z"}, Case{5, 2, "101"}, Case{-1, 2, "-1"},
             Case{INT_MIN_, 10, "-2147483648"},
             Case{INT_MIN_, 2, "-10000000000000000000000000000000"},
             Case{INT_MIN_, 16, "-80000000"}, Case{2147483647, 36, "zik0zj"},
             Case{2147483647, 10, "2147483647"}, Case{10, 1, "10"}, Case{10, 37, "10"},
             Case{-10, 0, "-10"}, Case{255, -16, "255"},
         }) {
        SCOPED_TRACE(testing::Message() << c.value << " radix " << c.radix);
        EXPECT_EQ(vmText(Integer::toString(c.value, c.radix)), c.text);
    }
    EXPECT_EQ(vmText(Integer::newInstance()->init(-7)->toString()), "-7");
}

TEST_F(NumberTest, LongToTextInEveryRadix)
{
    struct Case {
        int64_t value;
        int32_t radix;
        const char* text;
    };
    for (Case c : {
             Case{0, 10, "0"}, Case{LONG_MIN_, 10, "-9223372036854775808"},
             Case{LONG_MIN_, 16, "-8000000000000000"},
             Case{9223372036854775807LL, 36, "1y2p0ij32e8e7"},
             Case{9223372036854775807LL, 2,
                  "111111111111111111111111111111111111111111111111111111111111111"},
             Case{-4294967296LL, 16, "-100000000"}, Case{100, 99, "100"},
         }) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(vmText(Long::toString(c.value, c.radix)), c.text);
    }
    EXPECT_EQ(vmText(Long::newInstance()->init(LONG_MIN_)->toString()), "-9223372036854775808");
}

TEST_F(NumberTest, HexStringIsUnsigned)
{
    struct Case {
        int32_t value;
        const char* text;
    };
    for (Case c : {Case{0, "0"}, Case{-1, "ffffffff"}, Case{255, "ff"}, Case{INT_MIN_, "80000000"},
                   Case{0x1f00, "1f00"}}) {
        EXPECT_EQ(vmText(Integer::toHexString(c.value)), c.text);
    }
}

TEST_F(NumberTest, ParseIntAcceptsWhatToStringWrites)
{
    struct Case {
        const char* text;
        int32_t radix, value;
    };
    for (Case c : {
             Case{"0", 10, 0}, Case{"-0", 10, 0}, Case{"2147483647", 10, 2147483647},
             Case{"-2147483648", 10, INT_MIN_}, Case{"ff", 16, 255}, Case{"FF", 16, 255},
             Case{"-Ff", 16, -255}, Case{"zik0zj", 36, 2147483647}, Case{"Z", 36, 35},
             Case{"-10000000000000000000000000000000", 2, INT_MIN_}, Case{"0012", 10, 12},
             Case{"7fffffff", 16, 2147483647},
             // Latin-1 letters count by their low five bits: U+00C0 is 9.
             Case{"\xC3\x80", 10, 9}, Case{"1\xC3\x80", 10, 19},
         }) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Integer::parseInt(vmString(c.text), c.radix), c.value);
    }
    EXPECT_EQ(Integer::parseInt(vmString("-123")), -123);
}

TEST_F(NumberTest, ParseIntRejectsWithTheRightMessage)
{
    struct Case {
        const char* text;
        int32_t radix;
        const char* message;
    };
    for (Case c : {
             Case{"", 10, "empty String"}, Case{"", 99, "empty String"},
             Case{"1", 1, "radix less than Character.MIN_RADIX"},
             Case{"1", 37, "radix greater than Character.MAX_RADIX"},
             Case{"2147483648", 10, "2147483648"}, Case{"-2147483649", 10, "-2147483649"},
             Case{"80000000", 16, "80000000"}, Case{"99999999999", 10, "99999999999"},
             Case{"-", 10, "-"}, Case{"+5", 10, "+5"}, Case{"12a", 10, "12a"},
             Case{"2", 2, "2"}, Case{" 1", 10, " 1"}, Case{"1-", 10, "1-"}, Case{"--1", 10, "--1"},
         }) {
        SCOPED_TRACE(c.text);
        EXPECT_TRUE(vmThrows<NumberFormatException>(
            [&] { Integer::parseInt(vmString(c.text), c.radix); }, c.message));
        EXPECT_EQ(Integer::parse(vmString(c.text), c.radix, false, -77), -77);
    }
    EXPECT_TRUE(vmThrows<NullPointerException>([] { Integer::parseInt(VMPtr<String>()); }));
    EXPECT_EQ(Integer::parse(VMPtr<String>(), 10, false, 5), 5);
    EXPECT_EQ(Integer::parse(vmString("12"), 10, false, 5), 12);
}

TEST_F(NumberTest, BoxedValuesCompareAndHash)
{
    VMPtr<Integer> minusOne = Integer::newInstance()->init(-1);
    EXPECT_EQ(minusOne->hashCode(), -1);
    EXPECT_TRUE(minusOne->equals(Integer::newInstance()->init(-1)));
    EXPECT_FALSE(minusOne->equals(Integer::newInstance()->init(1)));
    EXPECT_FALSE(minusOne->equals(Long::newInstance()->init(-1)));
    EXPECT_FALSE(minusOne->equals(nullptr));

    EXPECT_EQ(Long::newInstance()->init(0x100000001LL)->hashCode(), 0);
    EXPECT_EQ(Long::newInstance()->init(-1)->hashCode(), 0);
    EXPECT_EQ(Long::newInstance()->init(0x123456789LL)->hashCode(), 0x23456788);
    VMPtr<Long> big = Long::newInstance()->init(1LL << 40);
    EXPECT_TRUE(big->equals(Long::newInstance()->init(1LL << 40)));
    EXPECT_FALSE(big->equals(Long::newInstance()->init(0)));
    EXPECT_FALSE(big->equals(Integer::newInstance()->init(0)));
}

TEST_F(NumberTest, FloatingPointUsesUpperCaseG)
{
    struct Case {
        double value;
        const char* text;
    };
    for (Case c : {Case{1.0, "1"}, Case{0.5, "0.5"}, Case{100000.0, "100000"},
                   Case{1000000.0, "1E+06"}, Case{0.0001, "0.0001"}, Case{0.00001, "1E-05"},
                   Case{-2.5, "-2.5"}, Case{3.14159265, "3.14159"}, Case{0.0, "0"}}) {
        EXPECT_EQ(vmText(Double::toString(c.value)), c.text);
    }
    EXPECT_EQ(vmText(Float::toString(0.1f)), "0.1");
    EXPECT_EQ(vmText(Float::toString(16777216.0f)), "1.67772E+07");
}

TEST_F(NumberTest, LimitsHaveTheirBitPatterns)
{
    auto bits = [](double d) {
        uint64_t b;
        std::memcpy(&b, &d, 8);
        return b;
    };
    auto fbits = [](float f) {
        uint32_t b;
        std::memcpy(&b, &f, 4);
        return b;
    };
    EXPECT_EQ(bits(Double::MAX_VALUE), 0x7FEFFFFFFFFFFFFFull);
    EXPECT_EQ(bits(Double::MIN_VALUE), 1u);
    EXPECT_TRUE(std::isnan(Double::NaN));
    EXPECT_EQ(bits(Double::NEGATIVE_INFINITY), 0xFFF0000000000000ull);
    EXPECT_EQ(bits(Double::POSITIVE_INFINITY), 0x7FF0000000000000ull);
    EXPECT_EQ(fbits(Float::MAX_VALUE), 0x7F7FFFFFu);
    EXPECT_EQ(fbits(Float::MIN_VALUE), 1u);
    EXPECT_EQ(fbits(Float::NaN), 0x7FC00000u);
    EXPECT_EQ(fbits(Float::NEGATIVE_INFINITY), 0xFF800000u);
    EXPECT_EQ(fbits(Float::POSITIVE_INFINITY), 0x7F800000u);
}

TEST_F(NumberTest, CharacterClassesAndCaseOverLatin1)
{
    // Every character from 0 to 300 against the ranges of the class.
    for (int32_t c = 0; c <= 300; c++) {
        SCOPED_TRACE(c);
        char16_t ch = char16_t(c);
        bool lower = (c >= 'a' && c <= 'z') || (c >= 223 && c <= 246) || (c >= 248 && c <= 255);
        bool upper = (c >= 'A' && c <= 'Z') || (c >= 192 && c <= 214) || (c >= 216 && c <= 222);
        EXPECT_EQ(Character::isLowerCase(ch), lower);
        EXPECT_EQ(Character::isUpperCase(ch), upper);
        EXPECT_EQ(Character::isDigit(ch), c >= '0' && c <= '9');
        EXPECT_EQ(Character::toLowerCase(ch), upper ? c + 32 : c);
        EXPECT_EQ(Character::toUpperCase(ch), lower && c != 223 && c != 255 ? c - 32 : c);
    }
    EXPECT_EQ(Character::toUpperCase(223), 223);
    EXPECT_EQ(Character::toUpperCase(255), 255);
    EXPECT_EQ(Character::toLowerCase(215), 215);
    EXPECT_EQ(Character::toLowerCase(247), 247);
    EXPECT_EQ(Character::toUpperCase(u'\u0101'), u'\u0101');
}

TEST_F(NumberTest, CharacterDigitByRadix)
{
    struct Case {
        char16_t ch;
        int32_t radix, digit;
    };
    for (Case c : {Case{u'7', 10, 7}, Case{u'7', 7, -1}, Case{u'7', 8, 7}, Case{u'a', 16, 10},
                   Case{u'F', 16, 15}, Case{u'g', 16, -1}, Case{u'z', 36, 35}, Case{u'Z', 36, 35},
                   Case{u'0', 1, -1}, Case{u'0', 37, -1}, Case{u'\u00c0', 10, 9},
                   Case{u'\u00c0', 9, -1}, Case{u'\u00e1', 11, 10}, Case{u'-', 36, -1},
                   Case{u'\u0661', 10, -1}}) {
        SCOPED_TRACE(int(c.ch));
        EXPECT_EQ(Character::digit(c.ch, c.radix), c.digit);
    }
}

} // namespace
