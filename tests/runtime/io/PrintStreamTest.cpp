#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "com/tarquel/velto/cldc/io/ConsoleOutputStream.h"
#include "java/io/ByteArrayOutputStream.h"
#include "java/io/IOException.h"
#include "java/io/OutputStreamWriter.h"
#include "java/io/PrintStream.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/StringIndexOutOfBoundsException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMThread.h"

using namespace java::io;
using java::lang::String;
using CharArray = VMArray<char16_t, 1>;

namespace {

class PrintStreamTest : public VMFixture {
protected:
    void SetUp() override
    {
        sink = ByteArrayOutputStream::newInstance()->init();
        out = PrintStream::newInstance()->init(sink);
    }
    std::string bytes()
    {
        VMPtr<VMArray<int8_t, 1>> array = sink->toByteArray();
        return std::string(reinterpret_cast<const char*>(array->elements()), array->length);
    }

    VMPtr<ByteArrayOutputStream> sink;
    VMPtr<PrintStream> out;
};

// Records the size of each array write; fails every write once told to.
// afterChunk and onClose run inside those calls (to give the VM away there).
class RecordingOutput : public OutputStream {
public:
    std::vector<int32_t> chunks;
    int32_t total = 0;
    bool failing = false;
    std::function<void()> afterChunk;
    std::function<void()> onClose;
    using OutputStream::write;
    void write(VMPtr<ByteArray> b, int32_t off, int32_t len) override
    {
        if (failing)
            vm_throwNew<IOException>();
        OutputStream::write(b, off, len);
        chunks.push_back(len);
        if (afterChunk)
            afterChunk();
    }
    void close() override
    {
        if (onClose)
            onClose();
    }
    void write(int32_t) override
    {
        if (failing)
            vm_throwNew<IOException>();
        total++;
    }
    java::lang::Class* getClass() override { return OutputStream::classRecord(); }
};

// A hook that notes it ran and gives the VM away for a while.
std::function<void()> noteAndSleep(bool& ran)
{
    return [&ran] {
        ran = true;
        VMThread::sleep(VMThread::current(), 20);
    };
}

VMPtr<RecordingOutput> recording()
{
    VMPtr<RecordingOutput> stream(new RecordingOutput());
    _VM_endConstruction(stream.get());
    stream->init();
    return stream;
}

TEST_F(PrintStreamTest, TextIsUtf8AndValuesPrintAsTheirStrings)
{
    out->println(vmString("\xC3\xA9"));
    EXPECT_EQ(bytes(), "\xC3\xA9\n");
    sink->reset();
    out->print(VMPtr<String>());
    out->print(VMPtr<java::lang::Object>());
    out->print(int32_t(-7));
    out->print(int64_t(1) << 40);
    out->print(true);
    out->print(u'\u20ac');
    out->print(1.5);
    out->print(0.25f);
    out->print("raw\xE9"); // bytes as they are, not through the writer
    VMPtr<CharArray> chars = CharArray::newArray(2);
    (*chars)[0] = u'o';
    (*chars)[1] = u'k';
    out->println(chars);
    out->println();
    EXPECT_EQ(bytes(), "nullnull-71099511627776true\xE2\x82\xAC" "1.50.25raw\xE9ok\n\n");
}

TEST_F(PrintStreamTest, ClosedStreamThrowsNullPointerException)
{
    EXPECT_FALSE(out->checkError());
    out->close();
    out->close();
    EXPECT_TRUE(sink->closed);
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>([&] { out->print(vmString("x")); }));
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>([&] { out->write(1); }));
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>([&] { out->println(); }));
    EXPECT_FALSE(out->checkError());
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>(
        [] { PrintStream::newInstance()->init(VMPtr<OutputStream>()); }));
}

TEST_F(PrintStreamTest, FailuresBelowSetTheErrorFlagAndDoNotEscape)
{
    VMPtr<RecordingOutput> failing = recording();
    VMPtr<PrintStream> stream = PrintStream::newInstance()->init(failing);
    failing->failing = true;
    stream->println(vmString("lost"));
    stream->write(1);
    EXPECT_TRUE(stream->checkError());
}

TEST_F(PrintStreamTest, LongTextGoesDownInBoundedChunks)
{
    VMPtr<RecordingOutput> target = recording();
    VMPtr<PrintStream> stream = PrintStream::newInstance()->init(target);
    std::u16string text(3000, u'\u00e9'); // 6000 bytes
    stream->print(String::newInstance()->initFromUtf16(text.data(), int32_t(text.size())));
    int32_t sum = 0;
    for (int32_t chunk : target->chunks) {
        EXPECT_LE(chunk, 2048);
        sum += chunk;
    }
    EXPECT_EQ(sum, 6000);
}

// A close from another thread while a long write gives the VM away between
// its chunks waits for the write; the writer is closed afterwards.
TEST_F(PrintStreamTest, CloseFromAnotherThreadWaitsForTheWriteUnderWay)
{
    VMPtr<RecordingOutput> target = recording();
    VMPtr<OutputStreamWriter> writer = OutputStreamWriter::newInstance()->init(target);
    bool writing = false;
    target->afterChunk = noteAndSleep(writing);
    bool closed = false;
    VMTestThread closer([&] {
        while (!writing)
            VMThread::sleep(VMThread::current(), 1);
        writer->close();
        closed = true;
    });
    std::u16string text(3000, u'\u00e9'); // 6000 bytes, three chunks
    writer->write(String::newInstance()->initFromUtf16(text.data(), int32_t(text.size())));
    EXPECT_FALSE(closed);
    EXPECT_EQ(target->chunks, (std::vector<int32_t>{2048, 2048, 1904}));
    ASSERT_TRUE(closer.join());
    EXPECT_TRUE(closed);
    EXPECT_TRUE(writer->stream.isNull());
    EXPECT_TRUE(vmThrows<IOException>([&] { writer->write(int32_t('x')); }, "Stream closed"));
    EXPECT_TRUE(vmThrows<IOException>([&] { writer->flush(); }, "Stream closed"));
}

// checkError while another thread is inside close neither throws nor flushes
// a stream that is going away.
TEST_F(PrintStreamTest, CheckErrorDuringACloseFromAnotherThreadAnswers)
{
    VMPtr<RecordingOutput> target = recording();
    VMPtr<PrintStream> stream = PrintStream::newInstance()->init(target);
    bool closing = false;
    target->onClose = noteAndSleep(closing);
    VMTestThread closer([&] { stream->close(); });
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return closing; }));
    bool answer = true;
    EXPECT_FALSE(vmThrows<java::lang::NullPointerException>([&] { answer = stream->checkError(); }));
    EXPECT_FALSE(answer);
    ASSERT_TRUE(closer.join());
}

TEST_F(PrintStreamTest, WriterChecksRangesBeforeWriting)
{
    VMPtr<OutputStreamWriter> writer = OutputStreamWriter::newInstance()->init(sink);
    VMPtr<CharArray> chars = CharArray::newArray(3);
    EXPECT_TRUE(vmThrows<java::lang::IndexOutOfBoundsException>([&] { writer->write(chars, 2, 2); }));
    EXPECT_TRUE(vmThrows<java::lang::IndexOutOfBoundsException>(
        [&] { writer->write(vmString("ab"), 1, -1); }));
    EXPECT_EQ(sink->size(), 0);
    writer->write(vmString("abc"), 1, 2);
    writer->write(int32_t(u'\u00e9'));
    EXPECT_EQ(bytes(), "bc\xC3\xA9");
    writer->close();
    EXPECT_TRUE(vmThrows<IOException>([&] { writer->write(int32_t('x')); }, "Stream closed"));
    EXPECT_TRUE(vmThrows<IOException>([&] { writer->flush(); }, "Stream closed"));
}

TEST_F(PrintStreamTest, ConsoleStreamWritesToStandardOutput)
{
    using com::tarquel::velto::cldc::io::ConsoleOutputStream;
    VMPtr<PrintStream> console =
        PrintStream::newInstance()->init(ConsoleOutputStream::newInstance()->init());
    testing::internal::CaptureStdout();
    console->println(vmString("caf\xC3\xA9"));
    console->flush();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "caf\xC3\xA9\n");
}

} // namespace
