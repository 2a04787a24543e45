// Text tables: whatever the bytes and the declared length, loading answers a
// table or throws IOException, and every text of a loaded table decodes or
// throws IndexOutOfBoundsException; decodeAll keeps the texts.
//
// Byte 0 picks the declared length: the rest's size, plus byte 0 when it
// is even (a length beyond the data).

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "java/io/ByteArrayInputStream.h"
#include "java/io/DataInputStream.h"
#include "java/io/IOException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/Throwable.h"
#include "tq/util/text/Translation.h"

namespace {

using ByteArray = VMArray<int8_t, 1>;
using tq::util::text::Translation;

std::u16string charsOf(const VMPtr<java::lang::String>& s)
{
    std::u16string out;
    for (int32_t i = 0; i < s->length(); i++)
        out += s->charAt(i);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 70000)
        return 0;
    VXFuzzVM vm;
    int32_t length = int32_t(size - 1) + ((data[0] & 1) ? 0 : data[0]);
    VMPtr<ByteArray> bytes = ByteArray::newArray(int32_t(size - 1));
    for (size_t i = 1; i < size; i++)
        (*bytes)[int32_t(i - 1)] = int8_t(data[i]);
    VMPtr<Translation> table = Translation::newInstance();
    try {
        table->load(java::io::DataInputStream::newInstance()->init(
                        java::io::ByteArrayInputStream::newInstance()->init(bytes)),
                    length);
    } catch (java::io::IOException* caught) {
        VMPtr<java::io::IOException> keep(caught);
        VXFUZZ_CHECK(table->count == 0 && !table->data, "a failed load changed the table");
        return 0;
    } catch (java::lang::Throwable* caught) {
        vxfuzz_fail("load threw " + vxfuzz_thrownClass(caught));
    }
    std::vector<std::u16string> texts;
    bool whole = true;
    for (int32_t id = 0; id < table->count; id++) {
        try {
            texts.push_back(charsOf(table->getString(id)));
        } catch (java::lang::IndexOutOfBoundsException* caught) {
            VMPtr<java::lang::IndexOutOfBoundsException> keep(caught);
            whole = false;
            texts.emplace_back();
        } catch (java::lang::Throwable* caught) {
            vxfuzz_fail("getString threw " + vxfuzz_thrownClass(caught));
        }
    }
    try {
        table->decodeAll();
        VXFUZZ_CHECK(whole, "decodeAll took a text getString refused");
        for (int32_t id = 0; id < table->count; id++)
            VXFUZZ_CHECK(charsOf(table->getString(id)) == texts[size_t(id)], "decodeAll changed a text");
    } catch (java::lang::IndexOutOfBoundsException* caught) {
        VMPtr<java::lang::IndexOutOfBoundsException> keep(caught);
        VXFUZZ_CHECK(!whole && !table->texts, "decodeAll failed half-way");
    } catch (java::lang::Throwable* caught) {
        vxfuzz_fail("decodeAll threw " + vxfuzz_thrownClass(caught));
    }
    return 0;
}
