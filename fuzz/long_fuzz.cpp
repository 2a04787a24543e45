// Long's text in every radix, and Integer's unsigned hexadecimal, against the
// standard library's conversion.

#include <charconv>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "java/lang/Integer.h"
#include "java/lang/Long.h"

using namespace java::lang;

namespace {

template<class T>
void checkText(const VMPtr<String>& written, T value, int32_t radix)
{
    char buffer[80];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value, radix).ptr;
    std::u16string want(buffer, end);
    VXFUZZ_CHECK(std::u16string(written->chars(), size_t(written->count)) == want,
                 "text differs from to_chars for radix " + std::to_string(radix));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VXFuzzVM vm;
    FuzzedDataProvider in(data, size);
    int32_t radix = in.ConsumeIntegral<int32_t>();
    int64_t value = in.ConsumeIntegral<int64_t>();
    int32_t r = radix >= 2 && radix <= 36 ? radix : 10;
    checkText(Long::toString(value, radix), value, r);
    checkText(Long::newInstance()->init(value)->toString(), value, 10);
    checkText(Integer::toHexString(int32_t(value)), uint32_t(value), 16);
    return 0;
}
