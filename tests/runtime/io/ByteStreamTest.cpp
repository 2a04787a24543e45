#include <cstdint>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "java/io/ByteArrayInputStream.h"
#include "java/io/ByteArrayOutputStream.h"
#include "java/io/IOException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/RuntimeException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

using namespace java::io;
using java::lang::IndexOutOfBoundsException;
using java::lang::NullPointerException;
using ByteArray = VMArray<int8_t, 1>;

namespace {

class ByteStreamTest : public VMFixture {};

VMPtr<ByteArray> bytes(std::vector<int> values)
{
    VMPtr<ByteArray> array = ByteArray::newArray(int32_t(values.size()));
    for (size_t i = 0; i < values.size(); i++)
        (*array)[int32_t(i)] = int8_t(values[i]);
    return array;
}

std::vector<int> contents(const VMPtr<ByteArray>& array, int32_t from = 0, int32_t to = -1)
{
    std::vector<int> out;
    for (int32_t i = from; i < (to < 0 ? array->length : to); i++)
        out.push_back(uint8_t((*array)[i]));
    return out;
}

VMPtr<ByteArrayInputStream> input(std::vector<int> values)
{
    return ByteArrayInputStream::newInstance()->init(bytes(values));
}

// A stream of the base class's defaults: gives its bytes, then fails or ends.
class ScriptedInput : public InputStream {
public:
    std::vector<int> script; // a byte, -1 for the end, -2 for an IOException
    size_t at = 0;
    using InputStream::read;
    int32_t read() override
    {
        int next = at < script.size() ? script[at++] : -1;
        if (next == -2)
            vm_throwNew<IOException>();
        return next;
    }
    java::lang::Class* getClass() override { return InputStream::classRecord(); }
};

VMPtr<ScriptedInput> scripted(std::vector<int> script)
{
    VMPtr<ScriptedInput> stream(new ScriptedInput());
    _VM_endConstruction(stream.get());
    stream->init();
    stream->script = script;
    return stream;
}

TEST_F(ByteStreamTest, OutputBufferGrowsToTwiceOrToWhatIsNeeded)
{
    VMPtr<ByteArrayOutputStream> out = ByteArrayOutputStream::newInstance()->init(0);
    out->write(7);
    EXPECT_EQ(out->buf->length, 1);
    out->write(bytes({1, 2, 3}), 0, 3);
    EXPECT_EQ(out->buf->length, 4); // max(2, 4)
    out->write(9);
    EXPECT_EQ(out->buf->length, 8);
    EXPECT_EQ(contents(out->toByteArray()), (std::vector<int>{7, 1, 2, 3, 9}));
    EXPECT_EQ(out->size(), 5);
    out->reset();
    EXPECT_EQ(out->size(), 0);
    EXPECT_EQ(out->buf->length, 8);
    EXPECT_EQ(ByteArrayOutputStream::newInstance()->init()->buf->length, 32);
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [] { ByteArrayOutputStream::newInstance()->init(-1); }, "Negative initial size"));
}

TEST_F(ByteStreamTest, ClosedOutputRefusesSingleBytesButTakesArrays)
{
    VMPtr<ByteArrayOutputStream> out = ByteArrayOutputStream::newInstance()->init(2);
    out->write(1);
    out->close();
    const char* closed = "Writing to closed ByteArrayOutputStream";
    EXPECT_TRUE(vmThrows<java::lang::RuntimeException>([&] { out->write(1); }, closed));
    EXPECT_TRUE(vmThrows<java::lang::RuntimeException>([&] { out->reset(); }, closed));
    out->write(bytes({2}), 0, 1);
    // Full and closed: the buffer itself, every time.
    VMPtr<ByteArray> first = out->toByteArray();
    EXPECT_EQ(first.get(), out->buf.get());
    EXPECT_EQ(out->toByteArray().get(), first.get());
    EXPECT_EQ(contents(first), (std::vector<int>{1, 2}));
}

TEST_F(ByteStreamTest, OutputToStringDecodesTheBytesWritten)
{
    VMPtr<ByteArrayOutputStream> out = ByteArrayOutputStream::newInstance()->init();
    out->write(bytes({'h', 'i', 0xC3, 0xA9}));
    EXPECT_EQ(vmText(out->toString()), "hi\xC3\xA9");
}

TEST_F(ByteStreamTest, InputWindowMarkAndReset)
{
    VMPtr<ByteArray> ten = bytes({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    VMPtr<ByteArrayInputStream> in = ByteArrayInputStream::newInstance()->init(ten, 2, 100);
    EXPECT_EQ(in->available(), 8);
    EXPECT_EQ(in->read(), 2);
    in->reset(); // no mark yet: back to the offset
    EXPECT_EQ(in->read(), 2);
    in->mark(0);
    EXPECT_EQ(in->skip(3), 3);
    in->reset();
    EXPECT_EQ(in->read(), 3);
    VMPtr<ByteArray> rest = ByteArray::newArray(10);
    EXPECT_EQ(in->read(rest, 1, 10 - 1), 6);
    EXPECT_EQ(contents(rest, 1, 7), (std::vector<int>{4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(in->read(), -1);
    EXPECT_EQ(in->skip(5), 0);
    EXPECT_TRUE(in->markSupported());

    // A length that overflows offset + length still reads to the array's end.
    VMPtr<ByteArrayInputStream> open =
        ByteArrayInputStream::newInstance()->init(ten, 7, INT32_MAX);
    EXPECT_EQ(open->available(), 3);
    EXPECT_EQ(open->read(), 7);
}

TEST_F(ByteStreamTest, InputBytesAreUnsignedAndZeroLengthReadsSeeTheEnd)
{
    VMPtr<ByteArrayInputStream> in = input({0xFF, 0x80});
    VMPtr<ByteArray> b = ByteArray::newArray(2);
    EXPECT_EQ(in->read(b, 0, 0), 0);
    EXPECT_EQ(in->read(), 255);
    EXPECT_EQ(in->read(), 128);
    EXPECT_EQ(in->read(b, 0, 0), -1);
    EXPECT_EQ(in->skip(-3), 0);
}

TEST_F(ByteStreamTest, ArrayRangesAreCheckedByEveryStream)
{
    struct Case {
        int32_t off, len;
        bool ok;
    } cases[] = {
        {0, 4, true},  {4, 0, true},   {3, 2, false},         {-1, 1, false},
        {5, 0, false}, {0, -1, false}, {1, 0x7FFFFFFF, false},
    };
    using Call = std::function<void(VMPtr<ByteArray>, int32_t, int32_t)>;
    std::vector<std::pair<const char*, Call>> calls = {
        {"InputStream.read",
         [](VMPtr<ByteArray> b, int32_t o, int32_t l) { scripted({1, 2, 3, 4})->read(b, o, l); }},
        {"ByteArrayInputStream.read",
         [](VMPtr<ByteArray> b, int32_t o, int32_t l) { input({1, 2})->read(b, o, l); }},
        {"ByteArrayOutputStream.write",
         [](VMPtr<ByteArray> b, int32_t o, int32_t l) {
             ByteArrayOutputStream::newInstance()->init()->write(b, o, l);
         }},
    };
    VMPtr<ByteArray> b = ByteArray::newArray(4);
    for (auto& [name, call] : calls) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << name << " off " << c.off << " len " << c.len);
            if (c.ok)
                EXPECT_NO_THROW(call(b, c.off, c.len));
            else
                EXPECT_TRUE(vmThrows<IndexOutOfBoundsException>([&] { call(b, c.off, c.len); }));
        }
        SCOPED_TRACE(name);
        EXPECT_TRUE(vmThrows<NullPointerException>([&] { call(VMPtr<ByteArray>(), 0, 0); }));
    }
}

TEST_F(ByteStreamTest, BaseReadStopsAtTheEndOrAtALaterFailure)
{
    VMPtr<ByteArray> b = ByteArray::newArray(5);
    EXPECT_EQ(scripted({1, 2, -1})->read(b, 0, 5), 2);
    EXPECT_EQ(scripted({-1})->read(b, 0, 5), -1);
    // A failure after the first byte ends the read with what was read ...
    EXPECT_EQ(scripted({7, 8, -2, 9})->read(b, 1, 4), 2);
    EXPECT_EQ(contents(b, 1, 3), (std::vector<int>{7, 8}));
    // ... a failure on the first byte propagates.
    EXPECT_TRUE(vmThrows<IOException>([] {
        VMPtr<ByteArray> one = ByteArray::newArray(1);
        scripted({-2})->read(one, 0, 1);
    }));
}

TEST_F(ByteStreamTest, BaseDefaults)
{
    VMPtr<ScriptedInput> in = scripted({1, 2, 3});
    EXPECT_EQ(in->skip(-5), 0);
    EXPECT_EQ(in->at, 0u); // nothing read
    EXPECT_EQ(in->skip(2), 2);
    EXPECT_EQ(in->skip(5), 1);
    EXPECT_EQ(in->available(), 0);
    EXPECT_FALSE(in->markSupported());
    EXPECT_TRUE(vmThrows<IOException>([&] { in->reset(); }, "mark/reset not supported"));
}

} // namespace
