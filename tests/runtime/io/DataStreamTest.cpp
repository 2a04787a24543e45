#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "java/io/ByteArrayInputStream.h"
#include "java/io/ByteArrayOutputStream.h"
#include "java/io/DataInputStream.h"
#include "java/io/DataOutputStream.h"
#include "java/io/EOFException.h"
#include "java/io/UTFDataFormatException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/RuntimeException.h"
#include "java/lang/StringBuffer.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

using namespace java::io;
using java::lang::String;
using ByteArray = VMArray<int8_t, 1>;

namespace vmtest {

// A byte stream whose read() is its own: every byte comes inverted.
class InvertingInput : public ByteArrayInputStream {
    VM_CLASS(InvertingInput, ByteArrayInputStream)

    VMPtr<InvertingInput> init(VMPtr<ByteArray> bytes)
    {
        ByteArrayInputStream::init(bytes);
        return VMPtr<InvertingInput>(this);
    }
    int32_t read() override
    {
        int32_t b = ByteArrayInputStream::read();
        return b < 0 ? b : b ^ 0xFF;
    }
    using ByteArrayInputStream::read;
};

// A data stream whose read() is its own: counts the bytes asked for.
class CountingDataInput : public DataInputStream {
    VM_CLASS(CountingDataInput, DataInputStream)

    VMPtr<CountingDataInput> init(VMPtr<InputStream> in)
    {
        DataInputStream::init(in);
        return VMPtr<CountingDataInput>(this);
    }
    int32_t read() override
    {
        reads++;
        return DataInputStream::read();
    }
    using DataInputStream::read;
    int32_t reads = 0;
};

} // namespace vmtest

VM_REGISTER_CLASS_NO_CREATOR(vmtest::InvertingInput, "vmtest.InvertingInput", "java.io.ByteArrayInputStream",
                             "vmtest/InvertingInput", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::CountingDataInput, "vmtest.CountingDataInput",
                             "java.io.DataInputStream", "vmtest/CountingDataInput", nullptr);

namespace {

class DataStreamTest : public VMFixture {};

VMPtr<DataInputStream> reader(const std::vector<int>& values)
{
    VMPtr<ByteArray> array = ByteArray::newArray(int32_t(values.size()));
    for (size_t i = 0; i < values.size(); i++)
        (*array)[int32_t(i)] = int8_t(values[i]);
    return DataInputStream::newInstance()->init(ByteArrayInputStream::newInstance()->init(array));
}

// Writes with body on a fresh data stream and returns the bytes.
std::vector<int> written(const std::function<void(DataOutputStream*)>& body)
{
    VMPtr<ByteArrayOutputStream> sink = ByteArrayOutputStream::newInstance()->init();
    VMPtr<DataOutputStream> out = DataOutputStream::newInstance()->init(sink);
    body(out.get());
    VMPtr<ByteArray> bytes = sink->toByteArray();
    std::vector<int> result;
    for (int32_t i = 0; i < bytes->length; i++)
        result.push_back(uint8_t((*bytes)[i]));
    return result;
}

TEST_F(DataStreamTest, PrimitivesAreWrittenBigEndianAndReadBack)
{
    std::vector<int> bytes = written([](DataOutputStream* out) {
        out->writeBoolean(true);
        out->writeByte(0x1FF);
        out->writeShort(-2);
        out->writeChar(0xE9);
        out->writeInt(0x01020304);
        out->writeLong(0x0102030405060708LL);
        out->writeFloat(1.0f);
        out->writeDouble(-2.5);
        out->writeChars(vmString("A\xC3\xA9"));
    });
    std::vector<int> expected = {1, 0xFF, 0xFF, 0xFE, 0x00, 0xE9, 1, 2, 3, 4, 1, 2, 3, 4, 5, 6, 7, 8,
                                 0x3F, 0x80, 0, 0, 0xC0, 0x04, 0, 0, 0, 0, 0, 0, 0, 'A', 0, 0xE9};
    EXPECT_EQ(bytes, expected);

    VMPtr<DataInputStream> in = reader(bytes);
    EXPECT_TRUE(in->readBoolean());
    EXPECT_EQ(in->readByte(), -1);
    EXPECT_EQ(in->readShort(), -2);
    EXPECT_EQ(in->readChar(), u'\u00e9');
    EXPECT_EQ(in->readInt(), 0x01020304);
    EXPECT_EQ(in->readLong(), 0x0102030405060708LL);
    EXPECT_EQ(in->readFloat(), 1.0f);
    EXPECT_EQ(in->readDouble(), -2.5);
    EXPECT_EQ(in->readUnsignedShort(), 'A');
    EXPECT_EQ(in->readUnsignedByte(), 0);
    EXPECT_EQ(in->readUnsignedByte(), 0xE9);
    EXPECT_EQ(in->read(), -1);
}

TEST_F(DataStreamTest, UtfStringsCarryTheirByteCount)
{
    struct Case {
        std::u16string text;
        std::vector<int> bytes;
    } cases[] = {
        {u"", {0, 0}},
        {std::u16string(1, u'\0'), {0, 2, 0xC0, 0x80}}, // U+0000 takes two bytes
        {u"a\u00e9\u20ac", {0, 6, 'a', 0xC3, 0xA9, 0xE2, 0x82, 0xAC}},
        // A surrogate pair is two three-byte units, not one four-byte form.
        {u"\U0001F600", {0, 6, 0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        VMPtr<String> text = String::newInstance()->initFromUtf16(c.text.data(), int32_t(c.text.size()));
        EXPECT_EQ(written([&](DataOutputStream* out) { out->writeUTF(text); }), c.bytes);
        VMPtr<String> back = reader(c.bytes)->readUTF();
        EXPECT_TRUE(back->equals(text));
    }
}

TEST_F(DataStreamTest, UtfLongerThan65535BytesIsRefusedBeforeWriting)
{
    auto textOf = [](int32_t threeByteChars, int32_t asciiChars) {
        std::u16string units(threeByteChars, u'\u20ac');
        units.append(asciiChars, u'x');
        return String::newInstance()->initFromUtf16(units.data(), int32_t(units.size()));
    };
    VMPtr<String> fits = textOf(21845, 0);      // 65535 bytes
    VMPtr<String> tooLong = textOf(21845, 1);   // 65536 bytes
    EXPECT_EQ(written([&](DataOutputStream* out) { out->writeUTF(fits); }).size(), 65537u);
    std::vector<int> untouched = written([&](DataOutputStream* out) {
        out->writeByte(1);
        EXPECT_TRUE(vmThrows<UTFDataFormatException>([&] { out->writeUTF(tooLong); }));
    });
    EXPECT_EQ(untouched, std::vector<int>{1});
}

TEST_F(DataStreamTest, TruncatedInputThrowsEofAfterTakingWhatIsLeft)
{
    using Read = std::function<void(DataInputStream*)>;
    struct Case {
        const char* what;
        std::vector<int> bytes;
        Read read;
    } cases[] = {
        {"readBoolean", {}, [](DataInputStream* in) { in->readBoolean(); }},
        {"readByte", {}, [](DataInputStream* in) { in->readByte(); }},
        {"readUnsignedByte", {}, [](DataInputStream* in) { in->readUnsignedByte(); }},
        {"readShort", {1}, [](DataInputStream* in) { in->readShort(); }},
        {"readChar", {1}, [](DataInputStream* in) { in->readChar(); }},
        {"readInt", {1, 2, 3}, [](DataInputStream* in) { in->readInt(); }},
        {"readLong", {1, 2, 3, 4, 5, 6, 7}, [](DataInputStream* in) { in->readLong(); }},
        {"readFloat", {0x3F}, [](DataInputStream* in) { in->readFloat(); }},
        {"readDouble", {1, 2, 3, 4}, [](DataInputStream* in) { in->readDouble(); }},
        {"readUTF length", {0}, [](DataInputStream* in) { in->readUTF(); }},
        {"readUTF body", {0, 4, 'a', 'b'}, [](DataInputStream* in) { in->readUTF(); }},
        {"readFully", {1, 2}, [](DataInputStream* in) { in->readFully(ByteArray::newArray(3)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VMPtr<DataInputStream> in = reader(c.bytes);
        EXPECT_TRUE(vmThrows<EOFException>([&] { c.read(in.get()); }));
        EXPECT_EQ(in->available(), 0);
    }
}

// Values are read whole from the streams over memory, yet a read() of a
// subclass, of the data stream or of its source, still sees every byte.
TEST_F(DataStreamTest, ValuesGoThroughAReadOfASubclass)
{
    VMPtr<ByteArray> bytes = ByteArray::newArray(6);
    for (int32_t i = 0; i < 6; i++)
        (*bytes)[i] = int8_t(i + 1);

    VMPtr<DataInputStream> inverted =
        DataInputStream::newInstance()->init(vmtest::InvertingInput::newInstance()->init(bytes));
    EXPECT_EQ(inverted->readInt(), int32_t(0xFEFDFCFB));
    EXPECT_TRUE(vmThrows<EOFException>([&] { inverted->readInt(); }));
    EXPECT_EQ(inverted->available(), 0);

    VMPtr<vmtest::CountingDataInput> counted = vmtest::CountingDataInput::newInstance()->init(
        ByteArrayInputStream::newInstance()->init(bytes));
    EXPECT_EQ(counted->readShort(), 0x0102);
    EXPECT_EQ(counted->readChar(), 0x0304);
    EXPECT_EQ(counted->reads, 4);
    EXPECT_TRUE(vmThrows<EOFException>([&] { counted->readInt(); }));
    EXPECT_EQ(counted->reads, 8) << "every byte of the value is asked for, past the end too";
}

// Mark and reset around values read whole, also around one cut off by the end.
TEST_F(DataStreamTest, ResetReturnsToTheMarkAfterWholeAndCutValues)
{
    VMPtr<DataInputStream> in = reader({1, 2, 3, 4, 5, 6});
    in->mark(100);
    EXPECT_EQ(in->readInt(), 0x01020304);
    in->reset();
    EXPECT_EQ(in->readShort(), 0x0102);
    in->mark(100);
    EXPECT_EQ(in->readInt(), 0x03040506);
    EXPECT_TRUE(vmThrows<EOFException>([&] { in->readLong(); }));
    in->reset();
    EXPECT_TRUE(vmThrows<EOFException>([&] { in->readLong(); }));
    EXPECT_EQ(in->available(), 0) << "a cut value takes what is left";
    in->reset();
    EXPECT_EQ(in->readUnsignedShort(), 0x0304);
    EXPECT_EQ(in->readShort(), 0x0506);
}

TEST_F(DataStreamTest, DamagedUtfThrowsUtfDataFormatException)
{
    std::vector<std::vector<int>> damaged = {
        {0, 1, 0x80},             // continuation byte without a lead
        {0, 1, 0xC3},             // two-byte sequence cut by the count
        {0, 2, 0xE2, 0x82},       // three-byte sequence cut by the count
        {0, 2, 0xC3, 0x41},       // second byte is no continuation
        {0, 3, 0xE2, 0x41, 0x82}, // neither is this
        {0, 4, 0xF0, 0x9F, 0x98, 0x80}, // four-byte form
        {0, 2, 'a', 0xFF},
    };
    for (const std::vector<int>& bytes : damaged) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        EXPECT_TRUE(vmThrows<UTFDataFormatException>([&] { reader(bytes)->readUTF(); }));
    }
}

TEST_F(DataStreamTest, ReadFullySkipBytesAndClose)
{
    VMPtr<DataInputStream> in = reader({1, 2, 3});
    VMPtr<ByteArray> b = ByteArray::newArray(2);
    in->readFully(b, 0, 0);
    EXPECT_TRUE(vmThrows<java::lang::IndexOutOfBoundsException>([&] { in->readFully(b, 0, -1); }));
    in->readFully(b);
    EXPECT_EQ((*b)[1], 2);
    EXPECT_EQ(in->skipBytes(5), 1);
    EXPECT_EQ(in->skipBytes(5), 0);

    VMPtr<ByteArrayOutputStream> sink = ByteArrayOutputStream::newInstance()->init();
    DataOutputStream::newInstance()->init(sink)->close();
    EXPECT_TRUE(sink->closed);
}

TEST_F(DataStreamTest, ANullWrappedStreamThrowsOnUse)
{
    VMPtr<DataInputStream> in = DataInputStream::newInstance()->init(VMPtr<InputStream>());
    VMPtr<DataOutputStream> out = DataOutputStream::newInstance()->init(VMPtr<OutputStream>());
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>([&] { in->readInt(); }));
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>([&] { out->writeInt(1); }));
}

TEST_F(DataStreamTest, RegisteredWithTheirInterfaces)
{
    EXPECT_TRUE(DataInput::classRecord()->isAssignableFrom(DataInputStream::classRecord()));
    EXPECT_TRUE(DataOutput::classRecord()->isAssignableFrom(DataOutputStream::classRecord()));
    EXPECT_TRUE(InputStream::classRecord()->isAssignableFrom(DataInputStream::classRecord()));
}

} // namespace
