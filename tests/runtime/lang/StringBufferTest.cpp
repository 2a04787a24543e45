#include <cstddef>
#include <string>

#include <gtest/gtest.h>

#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/Integer.h"
#include "java/lang/NegativeArraySizeException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/OutOfMemoryError.h"
#include "java/lang/StringBuffer.h"
#include "java/lang/StringIndexOutOfBoundsException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

using namespace java::lang;
using SIOOBE = StringIndexOutOfBoundsException;

namespace {

class StringBufferTest : public VMFixture {};

VMPtr<StringBuffer> bufferOf(const char* text)
{
    return StringBuffer::newInstance()->init(vmString(text));
}

std::string textOf(const VMPtr<StringBuffer>& buffer)
{
    return vmText(buffer->toString());
}

TEST_F(StringBufferTest, CapacityGrowsByDoublingPlusTwo)
{
    VMPtr<StringBuffer> buffer = StringBuffer::newInstance()->init();
    EXPECT_EQ(buffer->capacity(), 16);
    int32_t seen[] = {16, 34, 70, 142};
    int32_t step = 0;
    for (int32_t i = 0; i < 100; i++) {
        buffer->append(char16_t(u'a' + i % 26));
        if (buffer->capacity() != seen[step]) {
            EXPECT_EQ(buffer->capacity(), seen[++step]) << "after " << i + 1;
        }
    }
    EXPECT_EQ(step, 3);
    EXPECT_EQ(buffer->length(), 100);

    VMPtr<StringBuffer> tiny = StringBuffer::newInstance()->init(0);
    tiny->append(u'x');
    EXPECT_EQ(tiny->capacity(), 2);
    // One append that needs more than the doubling gets exactly what it needs.
    tiny->append(vmString("0123456789"));
    EXPECT_EQ(tiny->capacity(), 11);
    EXPECT_EQ(textOf(tiny), "x0123456789");

    EXPECT_EQ(bufferOf("0123456789")->capacity(), 26);
    EXPECT_EQ(StringBuffer::newInstance()->init("abc")->capacity(), 19);
    EXPECT_TRUE(vmThrows<NegativeArraySizeException>(
        [] { StringBuffer::newInstance()->init(-1); }));
}

TEST_F(StringBufferTest, AppendsEveryKind)
{
    VMPtr<StringBuffer> buffer = StringBuffer::newInstance()->init();
    buffer->append(vmString("a"))
        ->append(u'\u00e9')
        ->append(int32_t(-2147483647 - 1))
        ->append(VMPtr<String>())
        ->append(VMPtr<Object>(Integer::newInstance()->init(5)))
        ->append(VMPtr<Object>())
        ->appendCString("\xE2\x82\xAC!")
        ->appendCString("xyz", 2);
    EXPECT_EQ(textOf(buffer), "a\xC3\xA9-2147483648null5null\xE2\x82\xAC!xy");
    EXPECT_EQ(buffer->length(), 26);
}

// A null pointer of any spelling appends "null", never reads through it.
TEST_F(StringBufferTest, NullAppendsNullInEveryForm)
{
    const char* noText = nullptr;
    VMPtr<StringBuffer> buffer = StringBuffer::newInstance()->init();
    buffer->append(nullptr)->appendCString(noText)->appendCString(noText, 3);
    EXPECT_EQ(textOf(buffer), "nullnullnull");
    EXPECT_TRUE(vmThrows<NullPointerException>([&] { StringBuffer::newInstance()->init(noText); }));
}

// A bool or a plain char would be taken as an int (appending "1" for true);
// neither compiles.
template<class V>
concept Appendable = requires(StringBuffer& b, V v) { b.append(v); };
template<class V>
concept Insertable = requires(StringBuffer& b, V v) { b.insert(0, v); };
static_assert(!Appendable<bool> && !Insertable<bool>);
static_assert(!Appendable<char> && !Insertable<char>);
static_assert(Appendable<char16_t> && Appendable<int32_t> && Insertable<int32_t>);
// A C text goes through appendCString only: append of a char pointer does not
// compile, so neither a literal nor a null can reach strlen by overload.
static_assert(!Appendable<const char*> && !Appendable<char*> && Appendable<std::nullptr_t>);

TEST_F(StringBufferTest, InsertAtTheEndsAndOutOfRange)
{
    struct Case {
        int32_t offset;
        const char* result;
    };
    for (Case c : {Case{0, "XYabc"}, Case{1, "aXYbc"}, Case{3, "abcXY"}}) {
        VMPtr<StringBuffer> buffer = bufferOf("abc");
        buffer->insert(c.offset, vmString("XY"));
        EXPECT_EQ(textOf(buffer), c.result);
    }
    VMPtr<StringBuffer> buffer = bufferOf("abc");
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { buffer->insert(4, vmString("X")); }));
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { buffer->insert(-1, vmString("X")); }));
    EXPECT_EQ(textOf(buffer), "abc");

    buffer->insert(1, VMPtr<String>());
    buffer->insert(0, int32_t(42));
    buffer->insert(buffer->length(), u'!');
    buffer->insert(0, u'<');
    EXPECT_EQ(textOf(buffer), "<42anullbc!");
    // The character form fails in the copy of the tail.
    EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>([&] { buffer->insert(12, u'x'); }));
    EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>([&] { buffer->insert(-1, u'x'); }));
    EXPECT_EQ(textOf(buffer), "<42anullbc!");

    // Inserting into a full buffer grows it.
    VMPtr<StringBuffer> full = StringBuffer::newInstance()->init(2);
    full->append(vmString("ab"));
    full->insert(1, vmString("123"));
    EXPECT_EQ(textOf(full), "a123b");
}

TEST_F(StringBufferTest, StringsKeepTheirTextWhileTheBufferChanges)
{
    VMPtr<StringBuffer> buffer = bufferOf("hello");
    VMPtr<String> first = buffer->toString();
    EXPECT_TRUE(buffer->shared);
    EXPECT_EQ(first->value, buffer->value);

    // Appends write behind the String's window in the same array.
    buffer->append(vmString(" world"));
    EXPECT_EQ(first->value, buffer->value);
    EXPECT_EQ(vmText(first), "hello");

    // Insert moves visible characters: the buffer copies first.
    buffer->insert(0, u'>');
    EXPECT_NE(first->value, buffer->value);
    EXPECT_FALSE(buffer->shared);
    EXPECT_EQ(vmText(first), "hello");
    EXPECT_EQ(textOf(buffer), ">hello world");

    // Truncating a shared buffer copies at the same capacity.
    VMPtr<StringBuffer> five = bufferOf("abcde");
    VMPtr<String> whole = five->toString();
    int32_t capacity = five->capacity();
    five->setLength(3);
    EXPECT_NE(whole->value, five->value);
    EXPECT_EQ(five->capacity(), capacity);
    five->append(u'Z');
    EXPECT_EQ(vmText(whole), "abcde");
    EXPECT_EQ(textOf(five), "abcZ");

    // Emptying a shared buffer gives it a fresh default array.
    VMPtr<StringBuffer> reused = bufferOf("some text");
    VMPtr<String> kept = reused->toString();
    reused->setLength(0);
    EXPECT_EQ(reused->capacity(), 16);
    EXPECT_FALSE(reused->shared);
    reused->append(vmString("new"));
    EXPECT_EQ(vmText(kept), "some text");
    EXPECT_EQ(textOf(reused), "new");

    // Padding a shared buffer copies too.
    VMPtr<StringBuffer> padded = bufferOf("ab");
    VMPtr<String> before = padded->toString();
    padded->setLength(4);
    EXPECT_NE(before->value, padded->value);
    EXPECT_EQ(padded->length(), 4);
    EXPECT_EQ(padded->toString()->charAt(3), u'\0');
    EXPECT_EQ(vmText(before), "ab");
}

TEST_F(StringBufferTest, SetLengthPadsTruncatesAndRejectsNegative)
{
    VMPtr<StringBuffer> buffer = bufferOf("abc");
    buffer->setLength(40);
    EXPECT_EQ(buffer->length(), 40);
    EXPECT_GE(buffer->capacity(), 40);
    VMPtr<String> text = buffer->toString();
    for (int32_t i = 3; i < 40; i++)
        EXPECT_EQ(text->charAt(i), u'\0');
    buffer->setLength(2);
    EXPECT_EQ(textOf(buffer), "ab");
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { buffer->setLength(-1); }, "String index out of range: -1"));
}

TEST_F(StringBufferTest, GetCharsChecksInOrder)
{
    VMPtr<StringBuffer> buffer = bufferOf("abcd");
    VMPtr<String::CharArray> dst = String::CharArray::newArray(4);
    buffer->getChars(1, 3, dst, 2);
    EXPECT_EQ((*dst)[2], u'b');
    EXPECT_EQ((*dst)[3], u'c');
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { buffer->getChars(2, 1, dst, 0); }, "srcBegin > srcEnd"));
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { buffer->getChars(0, 5, dst, 0); },
                                 "String index out of range: 5"));
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { buffer->getChars(-1, 9, dst, 0); },
                                 "String index out of range: -1"));
    EXPECT_TRUE(vmThrows<SIOOBE>([&] { buffer->getChars(3, -1, dst, 0); },
                                 "String index out of range: -1"));
    EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>([&] { buffer->getChars(0, 4, dst, 1); }));
}

TEST_F(StringBufferTest, GrowingPastTheLargestSizeThrowsOutOfMemory)
{
    // A buffer whose count is near the int limit; its characters are never
    // touched, so only the size arithmetic is exercised.
    VMPtr<StringBuffer> buffer = bufferOf("abc");
    buffer->count = 2147483647 - 1;
    EXPECT_TRUE(vmThrows<OutOfMemoryError>([&] { buffer->append(vmString("xy")); }));
    EXPECT_TRUE(vmThrows<OutOfMemoryError>([&] { buffer->appendCString("xy"); }));
    EXPECT_TRUE(vmThrows<OutOfMemoryError>([&] { buffer->insert(0, vmString("xy")); }));
    EXPECT_EQ(buffer->count, 2147483647 - 1);
    buffer->count = 3;
    EXPECT_EQ(textOf(buffer), "abc");
}

TEST_F(StringBufferTest, AppendWithoutInitEndsTheProcess)
{
    EXPECT_EXIT(
        {
            VMPtr<StringBuffer> buffer = StringBuffer::newInstance();
            buffer->append(u'x');
        },
        ::testing::ExitedWithCode(1), "");
}

} // namespace
