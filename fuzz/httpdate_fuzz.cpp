// The HTTP date parser: any text answers a time or IllegalArgumentException,
// never another exception. An odd first byte builds a date in one of the
// three HTTP forms from the bytes that follow (day, month, year, time, an
// hour offset), which must read back as the instant it names.

#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzSupport.h"
#include "com/tarquel/velto/midp/io/protocol/http/Protocol.h"
#include "java/lang/String.h"
#include "java/lang/Throwable.h"

using com::tarquel::velto::midp::io::protocol::http::Protocol;

namespace {

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// From the weekday of 1970-01-01 on.
const char* const kDays[] = {"Thursday", "Friday", "Saturday", "Sunday",
                             "Monday",   "Tuesday", "Wednesday"};

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The text of a well-formed date and the instant it names.
std::string buildDate(const uint8_t* data, size_t size, int64_t* millis)
{
    size_t at = 1;
    auto next = [&]() -> uint32_t { return at < size ? data[at++] : 0; };
    const int form = int(next() % 3);
    const int day = int(1 + next() % 28);
    const int month = int(next() % 12);
    const int year = int(1970 + (next() << 8 | next()) % 130);
    const int hour = int(next() % 24), minute = int(next() % 60), second = int(next() % 60);
    const int offset = int(next() % 25) - 12;  // hours east of GMT
    const int64_t days = daysFromCivil(year, month + 1, day);
    *millis = ((days * 24 + hour) * 60 + minute) * 60000 + second * 1000 - offset * 3600000LL;
    const char* weekday = kDays[((days % 7) + 7) % 7];
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d00", offset < 0 ? '-' : '+', offset < 0 ? -offset : offset);
    char text[96];
    if (form == 0)
        std::snprintf(text, sizeof text, "%.3s, %02d %s %d %02d:%02d:%02d %s", weekday, day,
                      kMonths[month], year, hour, minute, second, zone);
    else if (form == 1)
        std::snprintf(text, sizeof text, "%s, %02d-%s-%d %02d:%02d:%02d %s", weekday, day,
                      kMonths[month], year, hour, minute, second, zone);
    else
        std::snprintf(text, sizeof text, "%.3s %s %2d %02d:%02d:%02d %d %s", weekday, kMonths[month],
                      day, hour, minute, second, year, zone);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 4096)
        return 0;
    VXFuzzVM vm;
    int64_t expected = 0;
    const bool built = data[0] & 1;
    const std::string text =
        built ? buildDate(data, size, &expected) : std::string(data + 1, data + size);
    std::u16string units;
    for (unsigned char c : text)
        units += char16_t(c);
    VMPtr<java::lang::String> string =
        java::lang::String::newInstance()->initFromUtf16(units.data(), int32_t(units.size()));
    try {
        int64_t millis = Protocol::parseDate(string);
        VXFUZZ_CHECK(!built || millis == expected,
                     "\"" + text + "\" gave " + std::to_string(millis) + ", not " +
                         std::to_string(expected));
    } catch (java::lang::Throwable* caught) {
        std::string name = vxfuzz_thrownClass(caught);
        VXFUZZ_CHECK(!built, "\"" + text + "\" was refused with " + name);
        VXFUZZ_CHECK(name == "java.lang.IllegalArgumentException", "parseDate threw " + name);
    }
    return 0;
}
