#include <vector>

#include <gtest/gtest.h>

#include "java/io/ByteArrayOutputStream.h"
#include "java/io/IOException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/io/FastInputStream.h"

using java::io::InputStream;
using tq::io::FastInputStream;
using ByteArray = VMArray<int8_t, 1>;

namespace {

// A source of `size` bytes (byte i is i & 0xFF) that answers at most `chunk`
// bytes per read and records every request.
class ScriptedSource : public InputStream {
    VM_CLASS(ScriptedSource, InputStream)

    VMPtr<ScriptedSource> init() { return VMPtr<ScriptedSource>(this); }

    int32_t read() override { return -1; }
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override
    {
        requests++;
        if (position >= size)
            return -1;
        int32_t k = std::min({len, chunk, size - position});
        for (int32_t i = 0; i < k; i++)
            (*b)[off + i] = int8_t(position + i);
        position += k;
        return k;
    }
    void close() override { closes++; }

    int32_t size = 0;
    int32_t chunk = 1 << 30;
    int32_t position = 0;
    int32_t requests = 0;
    int32_t closes = 0;
};

} // namespace

VM_REGISTER_CLASS(ScriptedSource, "test.ScriptedSource", "java.io.InputStream", "test", nullptr);

namespace {

class FastInputStreamTest : public VMFixture {};

VMPtr<ScriptedSource> source(int32_t size, int32_t chunk = 1 << 30)
{
    VMPtr<ScriptedSource> s = ScriptedSource::newInstance()->init();
    s->size = size;
    s->chunk = chunk;
    return s;
}

TEST_F(FastInputStreamTest, AnEmptySourceIsAtItsEndEverywhere)
{
    VMPtr<FastInputStream> in = FastInputStream::newInstance()->init(source(0));
    VMPtr<ByteArray> b = ByteArray::newArray(4);
    EXPECT_EQ(in->read(), -1);
    EXPECT_EQ(in->read(b, 0, 4), -1);
    EXPECT_EQ(in->read(b, 0, 0), -1);
    EXPECT_EQ(in->skip(10), 0);
    VMPtr<java::io::ByteArrayOutputStream> out = java::io::ByteArrayOutputStream::newInstance()->init();
    EXPECT_EQ(in->drainTo(out), -1);
    EXPECT_EQ(out->size(), 0);
    EXPECT_EQ(in->available(), 0);
}

TEST_F(FastInputStreamTest, ArrayReadsServeTheBufferWithoutAskingTheSource)
{
    VMPtr<ScriptedSource> s = source(100, 4);
    VMPtr<FastInputStream> in = FastInputStream::newInstance()->init(s);
    EXPECT_EQ(in->read(), 0);
    VMPtr<ByteArray> b = ByteArray::newArray(10);
    EXPECT_EQ(in->read(b, 0, 10), 3);
    EXPECT_EQ(s->requests, 1);
    EXPECT_EQ((*b)[0], 1);
    EXPECT_EQ((*b)[2], 3);
    // An empty buffer is refilled first, also for a read of 0 bytes.
    EXPECT_EQ(in->read(b, 0, 0), 0);
    EXPECT_EQ(s->requests, 2);
    EXPECT_EQ(in->available(), 4);
}

TEST_F(FastInputStreamTest, SourceIsAskedForWholeBlocks)
{
    VMPtr<ScriptedSource> s = source(3000);
    VMPtr<FastInputStream> in = FastInputStream::newInstance()->init(s);
    int32_t total = 0;
    for (int32_t i = 0; i < 3000; i++) {
        int32_t b = in->read();
        ASSERT_EQ(b, i & 0xFF);
        total++;
    }
    EXPECT_EQ(in->read(), -1);
    EXPECT_EQ(total, 3000);
    EXPECT_EQ(s->requests, 4); // 1024, 1024, 952, end
}

TEST_F(FastInputStreamTest, DrainToMovesEachBlockAsTheSourceDeliveredIt)
{
    VMPtr<FastInputStream> in = FastInputStream::newInstance()->init(source(3000, 700));
    VMPtr<java::io::ByteArrayOutputStream> out = java::io::ByteArrayOutputStream::newInstance()->init();
    std::vector<int32_t> blocks;
    for (int32_t k; (k = in->drainTo(out)) != -1;)
        blocks.push_back(k);
    EXPECT_EQ(blocks, (std::vector<int32_t>{700, 700, 700, 700, 200}));
    VMPtr<ByteArray> bytes = out->toByteArray();
    ASSERT_EQ(bytes->length, 3000);
    for (int32_t i = 0; i < 3000; i++)
        ASSERT_EQ((*bytes)[i], int8_t(i)) << i;
}

TEST_F(FastInputStreamTest, SkipStopsAtTheEnd)
{
    VMPtr<FastInputStream> in = FastInputStream::newInstance()->init(source(3000, 1000));
    EXPECT_EQ(in->skip(1500), 1500);
    EXPECT_EQ(in->read(), 1500 & 0xFF);
    EXPECT_EQ(in->skip(5000), 1499);
    EXPECT_EQ(in->read(), -1);
    EXPECT_EQ(in->skip(-3), 0);
}

TEST_F(FastInputStreamTest, CloseClosesTheSourceOnceAndLaterReadsThrow)
{
    VMPtr<ScriptedSource> s = source(100, 10);
    VMPtr<FastInputStream> in = FastInputStream::newInstance()->init(s);
    in->read();
    in->mark(100);
    in->reset();
    EXPECT_FALSE(in->markSupported());
    EXPECT_EQ(in->read(), 1);
    in->close();
    in->close();
    EXPECT_EQ(s->closes, 1);
    EXPECT_EQ(in->available(), 8);
    VMPtr<ByteArray> b = ByteArray::newArray(4);
    VMPtr<java::io::ByteArrayOutputStream> out = java::io::ByteArrayOutputStream::newInstance()->init();
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { in->read(); }, "InputStream closed"));
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { in->read(b, 0, 4); }, "InputStream closed"));
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { in->skip(1); }, "InputStream closed"));
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { in->drainTo(out); }, "InputStream closed"));
}

} // namespace
