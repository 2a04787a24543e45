// The canvas's text-table reader: any bytes and announced size either give
// one text per entry, each no longer than the table, or throw the stream's
// end-of-file or a damaged-table IOException.

#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "java/io/ByteArrayInputStream.h"
#include "java/io/DataInputStream.h"
#include "java/lang/Throwable.h"
#include "tq/TqCanvas.h"

using tq::TqCanvas;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VXFuzzVM vm;
    if (size < 2)
        return 0;
    // The first two bytes announce the table's size in bytes.
    int32_t announced = int32_t(data[0]) << 8 | data[1];
    VMPtr<TqCanvas::ByteArray> bytes = TqCanvas::ByteArray::newArray(int32_t(size - 2));
    if (size > 2)
        std::memcpy(bytes->elements(), data + 2, size - 2);
    VMPtr<java::io::DataInputStream> in = java::io::DataInputStream::newInstance()->init(
        java::io::ByteArrayInputStream::newInstance()->init(bytes));
    try {
        VMPtr<TqCanvas::StringArray> texts = TqCanvas::readTextTable(in, announced);
        for (int32_t i = 0; i < texts->length; i++)
            VXFUZZ_CHECK(texts->get(i) != nullptr && texts->get(i)->length() <= announced,
                         "a text longer than its table");
    } catch (java::lang::Throwable* caught) {
        std::string name = vxfuzz_thrownClass(caught);
        VXFUZZ_CHECK(name == "java.io.EOFException" || name == "java.io.IOException",
                     "reading threw " + name);
    }
    return 0;
}
