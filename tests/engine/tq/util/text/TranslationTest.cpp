#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TextPackIds.h"
#include "engine/support/EngineBytes.h"
#include "engine/support/TextPack.h"
#include "java/io/IOException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "support/LangTestSupport.h"
#include "tq/Resources.h"
#include "tq/util/text/Translation.h"

using java::lang::StringBuffer;
using tq::util::text::Translation;

namespace {

// A table of the texts (each given as its bytes).
Bytes table(const std::vector<Bytes>& texts)
{
    Bytes b{uint8_t(texts.size() >> 8), uint8_t(texts.size())};
    for (const Bytes& t : texts) {
        b.push_back(uint8_t(t.size() >> 8));
        b.push_back(uint8_t(t.size()));
        b.insert(b.end(), t.begin(), t.end());
    }
    return b;
}

Bytes text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

VMPtr<Translation> load(const Bytes& bytes)
{
    return Translation::newInstance()->load(vmDataStream(bytes), int32_t(bytes.size()));
}

// Whether body throws an E or one of its subclasses.
template<class E>
bool throwsA(const std::function<void()>& body)
{
    try {
        body();
    } catch (E* caught) {
        VMPtr<E> keep(caught);
        return true;
    }
    return false;
}

bool throwsIndex(const std::function<void()>& body)
{
    return throwsA<java::lang::IndexOutOfBoundsException>(body);
}

using TranslationTest = VMFixture;

class TranslationPackTest : public TextPackTest {};

TEST_F(TranslationPackTest, RoundTripsTheBuildersTable)
{
    VMPtr<Translation> texts = tq::Resources::loadTranslation(textpack::TEXTS);
    const std::u16string expected[] = {u"Hello", u"A line without a name", u"", u"café 20€",
                                       u"one\ntwo\\three", u"a\U0001F600b"};
    ASSERT_EQ(texts->count, 6);
    EXPECT_TRUE(texts->offsets16);
    EXPECT_EQ(textpack::TXT_ACCENTS, 3);
    for (int pass = 0; pass < 2; pass++) {
        SCOPED_TRACE(pass ? "decoded" : "bytes");
        for (int32_t id = 0; id < 6; id++)
            EXPECT_EQ(utf16(texts->getString(id)), expected[id]) << id;
        texts->decodeAll();
    }
    EXPECT_FALSE(texts->data);
}

TEST_F(TranslationTest, DecodesModifiedUtf8)
{
    struct Case {
        Bytes bytes;
        std::u16string chars;
    };
    const Case cases[] = {
        {{'a', 0xC3, 0xA9}, u"a\u00E9"},
        {{0xE2, 0x82, 0xAC, 'z'}, u"\u20AC" u"z"},
        {{0xC0, 0x80}, std::u16string(1, u'\0')},
        {{0x80, 'x'}, std::u16string(1, u'\0') + u"x"},
        {{'q', 0xF0, 'y'}, u"q" + std::u16string(1, u'\0') + u"y"},
    };
    for (const Case& c : cases) {
        VMPtr<StringBuffer> out = StringBuffer::newInstance()->init("<>");
        Translation::decodeUtf8(vmBytes(c.bytes), 0, int32_t(c.bytes.size()), out, 1);
        EXPECT_EQ(utf16(out->toString()), u"<" + c.chars + u">");
    }
    // A sequence may take its continuation bytes from beyond the range.
    VMPtr<StringBuffer> out = StringBuffer::newInstance()->init();
    Translation::decodeUtf8(vmBytes(Bytes{0xC3, 0xA9}), 0, 1, out, 0);
    EXPECT_EQ(utf16(out->toString()), u"\u00E9");
}

TEST_F(TranslationTest, TextsIntoBuffersAndStrings)
{
    VMPtr<Translation> texts = load(table({text("one"), text(""), text(std::string(128, 'x')),
                                           text(std::string(129, 'y'))}));
    VMPtr<StringBuffer> out = StringBuffer::newInstance()->init("old");
    EXPECT_EQ(utf16(texts->getText(0, out)->toString()), u"one");
    EXPECT_EQ(utf16(texts->appendText(0, out)->toString()), u"oneone");
    EXPECT_EQ(utf16(texts->insertText(0, out, 3)->toString()), u"oneoneone");
    EXPECT_EQ(texts->getOffset(1), 3);
    EXPECT_EQ(texts->getOffset(2), 3);
    EXPECT_EQ(utf16(texts->getString(1)), u"");

    // Short texts are built in the shared buffer, longer ones in their own.
    texts->getString(2);
    VMPtr<StringBuffer> shared(Translation::sharedBuffer);
    EXPECT_EQ(shared->length(), 128);
    EXPECT_EQ(texts->getString(3)->length(), 129);
    EXPECT_EQ(shared->length(), 128);
}

TEST_F(TranslationTest, EmptyTableAndOffsetWidths)
{
    VMPtr<Translation> empty = load(Bytes{0, 0});
    EXPECT_EQ(empty->count, 0);
    empty->decodeAll();
    ASSERT_TRUE(empty->texts);
    EXPECT_EQ(empty->texts->length, 0);

    // 65535 bytes in all keeps 16-bit offsets (read back unsigned), 65536
    // takes 32-bit ones.
    for (int32_t total : {65535, 65536}) {
        SCOPED_TRACE(total);
        int32_t last = total - 2 - 4 * 2 - 60001;
        VMPtr<Translation> texts =
            load(table({text(std::string(30000, 'a')), text(std::string(30000, 'b')), text("c"),
                        text(std::string(size_t(last), 'd'))}));
        EXPECT_EQ(bool(texts->offsets16), total == 65535);
        EXPECT_EQ(texts->getOffset(2), 60000);
        EXPECT_EQ(texts->getOffset(3), 60001);
        EXPECT_EQ(utf16(texts->getString(2)), u"c");
        EXPECT_EQ(texts->getLength(3), last);
    }
}

TEST_F(TranslationTest, RefusesDamagedTables)
{
    Bytes good = table({text("ab"), text("c")});
    struct Case {
        const char* what;
        Bytes bytes;
        int32_t length;
    };
    const Case damaged[] = {
        {"count beyond the length", Bytes{0, 9, 0, 1, 'a'}, 5},
        {"negative length", Bytes{0, 1, 0x80, 0x01, 'a'}, 5},
        {"length beyond the data", Bytes{0, 2, 0, 3, 'a', 'b', 0, 0}, 8},
        {"stream ends inside a text", Bytes{0, 1, 0, 4, 'a'}, 7},
        {"stream ends in the count", Bytes{0}, 2},
    };
    for (const Case& c : damaged) {
        SCOPED_TRACE(c.what);
        VMPtr<Translation> texts = load(good);
        EXPECT_TRUE(throwsA<java::io::IOException>(
            [&] { texts->load(vmDataStream(c.bytes), c.length); }));
        // The table read before stays.
        EXPECT_EQ(texts->count, 2);
        EXPECT_EQ(utf16(texts->getString(0)), u"ab");
    }
}

TEST_F(TranslationTest, IdentifiersAndSequencesStayInsideTheTable)
{
    VMPtr<Translation> texts = load(table({text("ok"), Bytes{'z', 0xE2, 0x82}}));
    for (int32_t id : {-1, 2, 40000}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(throwsIndex([&] { texts->getString(id); }));
        EXPECT_TRUE(throwsIndex([&] { texts->getLength(id); }));
    }
    // The last text ends inside a three-byte sequence: refused, the buffer
    // untouched.
    VMPtr<StringBuffer> out = StringBuffer::newInstance()->init("keep");
    EXPECT_TRUE(throwsIndex([&] { texts->insertText(1, out, 2); }));
    EXPECT_EQ(utf16(out->toString()), u"keep");
    EXPECT_TRUE(throwsIndex([&] { texts->decodeAll(); }));
    EXPECT_FALSE(texts->texts);
    EXPECT_EQ(utf16(texts->getString(0)), u"ok");
    EXPECT_TRUE(throwsIndex(
        [&] { Translation::decodeUtf8(vmBytes(text("abc")), 2, 2, out, 0); }));
}

} // namespace
