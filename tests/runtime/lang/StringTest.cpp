#include <string>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "hal/HALString.h"
#include "java/io/UnsupportedEncodingException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/Integer.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/RuntimeException.h"
#include "java/lang/StringBuffer.h"
#include "java/lang/StringIndexOutOfBoundsException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMStringLiterals.h"

using namespace java::lang;
using SIOOBE = StringIndexOutOfBoundsException;

namespace {

class StringTest : public VMFixture {};

VMPtr<String::ByteArray> bytesOf(std::initializer_list<int> values)
{
    VMPtr<String::ByteArray> bytes = String::ByteArray::newArray(int32_t(values.size()));
    int32_t i = 0;
    for (int v : values)
        (*bytes)[i++] = int8_t(v);
    return bytes;
}

VMPtr<String::CharArray> charsOf(const char* text)
{
    VMPtr<String> s = vmString(text);
    VMPtr<String::CharArray> chars = String::CharArray::newArray(s->count);
    s->getChars(0, s->count, chars, 0);
    return chars;
}

TEST_F(StringTest, CharArrayConstructorCopiesAndChecksBounds)
{
    VMPtr<String::CharArray> chars = charsOf("abcd");
    VMPtr<String> middle = String::newInstance()->init(chars, 1, 2);
    EXPECT_EQ(vmText(middle), "bc");
    (*chars)[1] = u'X';
    EXPECT_EQ(vmText(middle), "bc");
    EXPECT_EQ(middle->offset, 0);
    EXPECT_EQ(vmText(String::newInstance()->init(chars, 4, 0)), "");

    struct Case {
        int32_t offset, count;
        const char* message;
    };
    for (Case c : {Case{-1, 1, "String index out of range: -1"},
                   Case{0, -1, "String index out of range: -1"},
                   Case{2, 5, "String index out of range: 7"},
                   Case{5, 0, "String index out of range: 5"}}) {
        EXPECT_TRUE(vmThrows<SIOOBE>(
            [&] { String::newInstance()->init(chars, c.offset, c.count); }, c.message));
    }
}

TEST_F(StringTest, CharAtAndGetCharsUseTheWindow)
{
    VMPtr<String> s = vmString("xhello")->substring(1);
    EXPECT_EQ(s->charAt(0), u'h');
    EXPECT_EQ(s->charAt(4), u'o');
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { s->charAt(5); }, "String index out of range: 5"));
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { s->charAt(-1); }, "String index out of range: -1"));

    VMPtr<String::CharArray> dst = String::CharArray::newArray(4);
    s->getChars(1, 4, dst, 1);
    EXPECT_EQ(vmText(String::newInstance()->init(dst, 1, 3)), "ell");
    EXPECT_EQ((*dst)[0], 0);
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { s->getChars(-2, 1, dst, 0); },
                                 "String index out of range: -2"));
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { s->getChars(0, 6, dst, 0); },
                                 "String index out of range: 6"));
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { s->getChars(3, 1, dst, 0); },
                                 "String index out of range: -2"));
}

TEST_F(StringTest, EqualityAndHashCode)
{
    VMPtr<String> ab = vmString("ab");
    EXPECT_EQ(ab->hashCode(), 3105);
    EXPECT_EQ(vmString("")->hashCode(), 0);
    // Wraps at 32 bits exactly as int arithmetic does.
    EXPECT_EQ(vmString("polygenelubricants")->hashCode(), int32_t(0x80000000));
    EXPECT_EQ(vmString("The quick brown fox")->hashCode(), -1739336029);

    VMPtr<String> windowed = vmString("xxab")->substring(2);
    EXPECT_TRUE(ab->equals(windowed));
    EXPECT_EQ(ab->hashCode(), windowed->hashCode());
    EXPECT_TRUE(ab->equals(ab));
    EXPECT_FALSE(ab->equals(nullptr));
    EXPECT_FALSE(ab->equals(vmString("abc")));
    EXPECT_FALSE(ab->equals(vmString("aB")));
    EXPECT_FALSE(ab->equals(Integer::newInstance()->init(3105)));

    EXPECT_TRUE(vmString("\xC3\x80" "b")->equalsIgnoreCase(vmString("\xC3\xA0" "B")));
    EXPECT_FALSE(ab->equalsIgnoreCase(nullptr));
    EXPECT_FALSE(ab->equalsIgnoreCase(vmString("abc")));
}

TEST_F(StringTest, RegionMatchesAndStartsWith)
{
    VMPtr<String> s = vmString("Hello World");
    VMPtr<String> other = vmString("xWORLD");
    struct Case {
        bool ignoreCase;
        int32_t toffset, ooffset, len;
        bool expected;
    };
    for (Case c : {Case{true, 6, 1, 5, true}, Case{false, 6, 1, 5, false},
                   Case{true, 0, 0, 0, true}, Case{true, -1, 0, 0, false},
                   Case{true, 0, -1, 0, false}, Case{true, 6, 1, 6, false},
                   Case{true, 7, 2, -3, true}, Case{true, 6, 1, 2147483647, false},
                   Case{true, 12, 0, 0, false}}) {
        SCOPED_TRACE(testing::Message() << c.toffset << "," << c.ooffset << "," << c.len);
        EXPECT_EQ(s->regionMatches(c.ignoreCase, c.toffset, other, c.ooffset, c.len), c.expected);
    }
    EXPECT_TRUE(s->startsWith(vmString("Hell")));
    EXPECT_TRUE(s->startsWith(vmString("World"), 6));
    EXPECT_TRUE(s->startsWith(vmString(""), 11));
    EXPECT_FALSE(s->startsWith(vmString(""), 12));
    EXPECT_FALSE(s->startsWith(vmString("H"), -1));
    EXPECT_FALSE(s->startsWith(vmString("Worlds"), 6));
}

TEST_F(StringTest, IndexOfAndLastIndexOf)
{
    VMPtr<String> s = vmString("banana");
    struct Case {
        int32_t from, first, last;
    };
    for (Case c : {Case{-5, 1, -1}, Case{0, 1, -1}, Case{2, 3, 1}, Case{5, 5, 5},
                   Case{6, -1, 5}, Case{16, -1, 5}, Case{-1, 1, -1}}) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(s->indexOf(u'a', c.from), c.first);
        EXPECT_EQ(s->lastIndexOf(u'a', c.from), c.last);
    }
    EXPECT_EQ(s->indexOf(u'n'), 2);
    EXPECT_EQ(s->lastIndexOf(u'n'), 4);
    EXPECT_EQ(s->indexOf(u'z'), -1);
    EXPECT_EQ(vmString("")->lastIndexOf(u'a'), -1);
}

TEST_F(StringTest, SubstringSharesTheArrayAndChecksBounds)
{
    VMPtr<String> s = vmString("hello");
    EXPECT_EQ(s->substring(0, 5), s);
    EXPECT_EQ(vmText(s->substring(5)), "");
    VMPtr<String> ell = s->substring(1, 4);
    EXPECT_EQ(vmText(ell), "ell");
    EXPECT_EQ(ell->value, s->value);
    EXPECT_EQ(ell->offset, 1);
    EXPECT_EQ(vmText(ell->substring(1)), "ll");

    EXPECT_TRUE(vmThrows<SIOOBE>([&] { s->substring(3, 2); }, "String index out of range: -1"));
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { s->substring(-1, 2); }, "String index out of range: -1"));
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { s->substring(0, 6); }, "String index out of range: 6"));
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { s->substring(6); }, "String index out of range: -1"));
}

TEST_F(StringTest, ReplaceLowerCaseAndTrimReturnTheReceiverWhenNothingChanges)
{
    VMPtr<String> s = vmString("a-b-c");
    EXPECT_EQ(s->replace(u'x', u'y'), s);
    EXPECT_EQ(s->replace(u'-', u'-'), s);
    VMPtr<String> replaced = s->replace(u'-', u'+');
    EXPECT_EQ(vmText(replaced), "a+b+c");
    EXPECT_EQ(vmText(s), "a-b-c");
    EXPECT_EQ(vmText(vmString("xax")->substring(1)->replace(u'x', u'y')), "ay");

    VMPtr<String> lower = vmString("abc");
    EXPECT_EQ(lower->toLowerCase(), lower);
    EXPECT_EQ(vmText(vmString("\xC3\x80" "B")->toLowerCase()), "\xC3\xA0" "b");
    EXPECT_EQ(vmText(vmString("abC\xC3\x97\xC3\x9E")->toLowerCase()), "abc\xC3\x97\xC3\xBE");

    VMPtr<String> a = vmString("a");
    EXPECT_EQ(a->trim(), a);
    EXPECT_EQ(vmText(vmString("  ")->trim()), "");
    EXPECT_EQ(vmText(vmString("\t x y\n\x01")->trim()), "x y");
    EXPECT_EQ(vmString("")->trim()->count, 0);
}

TEST_F(StringTest, DecodingBytesByEncoding)
{
    // "aé" and U+20AC in (modified) UTF-8, and U+0000 as C0 80.
    VMPtr<String::ByteArray> utf8 = bytesOf({'a', 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xC0, 0x80});
    VMPtr<String> decoded = String::newInstance()->init(utf8);
    ASSERT_EQ(decoded->count, 4);
    EXPECT_EQ(decoded->charAt(1), u'\u00e9');
    EXPECT_EQ(decoded->charAt(2), u'\u20ac');
    EXPECT_EQ(decoded->charAt(3), u'\0');
    EXPECT_EQ(vmText(String::newInstance()->init(utf8, 1, 2, vmString("UTF8"))), "\xC3\xA9");

    for (const char* latin : {"ISO-8859-1", "ISO8859_1", "US-ASCII", "ASCII"}) {
        SCOPED_TRACE(latin);
        VMPtr<String> s =
            String::newInstance()->init(bytesOf({0xE9, 'z', 0xFF}), 0, 3, vmString(latin));
        ASSERT_EQ(s->count, 3);
        EXPECT_EQ(s->charAt(0), u'\u00e9');
        EXPECT_EQ(s->charAt(2), u'\u00ff');
    }

    VMPtr<String::ByteArray> four = bytesOf({1, 2, 3, 4});
    EXPECT_TRUE(vmThrows<java::io::UnsupportedEncodingException>(
        [&] { String::newInstance()->init(four, 0, 4, vmString("utf-8")); }, "utf-8"));
    EXPECT_TRUE(vmThrows<NullPointerException>(
        [&] { String::newInstance()->init(four, 0, 4, VMPtr<String>()); }));
    EXPECT_TRUE(vmThrows<IndexOutOfBoundsException>(
        [&] { String::newInstance()->init(four, 1, 5); }, "6"));
    EXPECT_TRUE(vmThrows<IndexOutOfBoundsException>(
        [&] { String::newInstance()->init(four, -1, 2); }, "-1"));
    EXPECT_TRUE(vmThrows<IndexOutOfBoundsException>(
        [&] { String::newInstance()->init(four, 0, -2); }, "-2"));
    // A continuation byte as a lead is malformed; a truncated sequence is not.
    EXPECT_TRUE(vmThrows<RuntimeException>(
        [&] { String::newInstance()->init(bytesOf({'a', 0x80})); },
        "Improperly formatted UTF-8 string."));
    EXPECT_TRUE(vmThrows<RuntimeException>(
        [&] { String::newInstance()->init(bytesOf({0xF0, 0x9F, 0x98, 0x80})); },
        "Improperly formatted UTF-8 string."));
    VMPtr<String> truncated = String::newInstance()->init(bytesOf({'a', 0xC3}));
    EXPECT_EQ(truncated->count, 2);
    EXPECT_EQ(truncated->charAt(1), u'\u0080');
}

TEST_F(StringTest, ValueOfForEveryType)
{
    EXPECT_EQ(String::valueOf(true), String::valueOf(true));
    EXPECT_EQ(String::valueOf(true), _VM_literal("true"));
    EXPECT_EQ(vmText(String::valueOf(false)), "false");
    EXPECT_EQ(vmText(String::valueOf(u'\u00e9')), "\xC3\xA9");
    EXPECT_EQ(vmText(String::valueOf(int32_t(-42))), "-42");
    EXPECT_EQ(vmText(String::valueOf(int64_t(1) << 40)), "1099511627776");
    EXPECT_EQ(vmText(String::valueOf(0.5f)), "0.5");
    EXPECT_EQ(vmText(String::valueOf(1.0)), "1");
    EXPECT_EQ(String::valueOf(VMPtr<Object>()), _VM_literal("null"));
    EXPECT_EQ(vmText(String::valueOf(VMPtr<Object>(Integer::newInstance()->init(7)))), "7");
    VMPtr<String> s = vmString("same");
    EXPECT_EQ(String::valueOf(VMPtr<Object>(s)), s);
    EXPECT_EQ(s->toString(), s);
}

TEST_F(StringTest, TakingABufferSharesItsArray)
{
    VMPtr<StringBuffer> buffer = StringBuffer::newInstance()->init("abc");
    VMPtr<String> s = String::newInstance()->init(buffer);
    EXPECT_TRUE(buffer->shared);
    EXPECT_EQ(s->value, buffer->value);
    buffer->setLength(1);
    EXPECT_EQ(vmText(s), "abc");
}

TEST_F(StringTest, NullArgumentsThrowNullPointerException)
{
    VMPtr<String> s = vmString("abc");
    VMPtr<String> none;
    std::function<void()> calls[] = {
        [&] { s->startsWith(none); },
        [&] { s->regionMatches(false, 0, none, 0, 1); },
        [&] { s->getChars(0, 1, VMPtr<String::CharArray>(), 0); },
        [&] { String::newInstance()->init(VMPtr<String::CharArray>(), 0, 0); },
        [&] { String::newInstance()->init(VMPtr<String::ByteArray>()); },
        [&] { String::newInstance()->init(VMPtr<String::ByteArray>(), 0, 0); },
        [&] { String::newInstance()->init(VMPtr<StringBuffer>()); },
        [&] { StringBuffer::newInstance()->init(none); },
    };
    for (auto& call : calls)
        EXPECT_TRUE(vmThrows<NullPointerException>(call));
}

// The test helper refuses texts that would silently end early.
TEST_F(StringTest, TestTextsBeyondTheBasicPlaneAreRefused)
{
    EXPECT_NONFATAL_FAILURE(vmString("a\xF0\x9F\x98\x80"), "not modified UTF-8");
}

TEST_F(StringTest, ComparingWithByteTexts)
{
    VMPtr<String> s = vmString("UTF-8");
    EXPECT_TRUE(s->equalsCString("UTF-8"));
    EXPECT_FALSE(s->equalsCString("UTF-"));
    EXPECT_FALSE(s->equalsCString("UTF-8x"));
    EXPECT_FALSE(s->equalsCString("utf-8"));
    EXPECT_TRUE(vmString("")->equalsCString(""));
    EXPECT_TRUE(vmString("\xC3\xA9")->equalsCString("\xC3\xA9"));
    EXPECT_FALSE(vmString("a")->equalsCString("a\x80"));
}

TEST_F(StringTest, PlatformStringsAreCopied)
{
    HALString* text = HALString::make(u"h\u00e9llo");
    VMPtr<String> s = String::newInstance()->_VM_init(text);
    text->release();
    EXPECT_EQ(vmText(s), "h\xC3\xA9llo");
    EXPECT_EQ(s->offset, 0);

    // A platform string without characters is the empty text, not a failure.
    HALString* empty = HALString::make(nullptr, 0);
    VMPtr<String> none = String::newInstance()->_VM_init(empty);
    empty->release();
    EXPECT_EQ(none->count, 0);
    ASSERT_TRUE(none->value);

    EXPECT_EXIT(String::newInstance()->_VM_init(nullptr), ::testing::ExitedWithCode(1), "");
}

// The collector reaches a String's array, and a buffer's, through the object.
TEST_F(StringTest, TextsTraceTheirArrays)
{
    auto reaches = [](Object* holder, Object* target) {
        holder->flags &= ~(Object::MARKED | Object::VISITED);
        target->flags &= ~(Object::MARKED | Object::VISITED);
        holder->markReferences(Object::MARKED);
        return (target->flags & Object::MARKED) != 0;
    };
    VMPtr<String> s = vmString("traced");
    VMPtr<StringBuffer> buffer = StringBuffer::newInstance()->init();
    EXPECT_TRUE(reaches(s.get(), s->value.get()));
    EXPECT_TRUE(reaches(buffer.get(), buffer->value.get()));
}

} // namespace
