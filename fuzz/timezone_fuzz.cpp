// Time-zone IDs: any text gives a zone, never null. A text that names a zone
// of the table gives that zone; else a text in one of the custom offset forms
// (read here from a plain description of the forms, not from the parser's
// state table) gives a new zone with that offset and its canonical 9-character
// ID; anything else gives the "GMT" zone.
//
// Input bytes below 0x80 are characters as they are; higher bytes pick from a
// few look-alikes (other digits, a lone surrogate, NUL).

#include <cstdint>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "com/tarquel/velto/cldc/util/TimeZonePimpl.h"
#include "java/lang/String.h"
#include "java/util/TimeZone.h"

using com::tarquel::velto::cldc::util::TimeZonePimpl;
using java::lang::String;
using java::util::TimeZone;

namespace {

const char16_t kLookAlikes[] = {u'\uFF15', u'\u0665', u'\u00B2', char16_t(0xD800),
                                u'\0',     u'\u2212', u'\uFF1A', u'\u00E9'};

struct Offset {
    bool isUTC;
    int32_t milliseconds;
};

bool digit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

int32_t value(char16_t c)
{
    return c - u'0';
}

// The offset forms after "GMT" or "UTC" and a sign: H, HH (up to 23), H:MM,
// HH:MM, HHMM (minutes' tens up to 5), and HMM unless its first two digits
// and the third could still begin an HHMM.
std::optional<Offset> expectedOffset(const std::u16string& id)
{
    if (id.size() < 5 || (id.compare(0, 3, u"GMT") != 0 && id.compare(0, 3, u"UTC") != 0))
        return std::nullopt;
    if (id[3] != u'+' && id[3] != u'-')
        return std::nullopt;
    const std::u16string f = id.substr(4);
    auto digits = [&](std::initializer_list<size_t> at) {
        for (size_t i : at)
            if (!digit(f[i]))
                return false;
        return true;
    };
    int32_t hours = -1;
    int32_t minutes = 0;
    if (f.size() == 1 && digits({0})) {
        hours = value(f[0]);
    } else if (f.size() == 2 && digits({0, 1})) {
        hours = value(f[0]) * 10 + value(f[1]);
        if (hours > 23)
            return std::nullopt;
    } else if (f.size() == 4 && f[1] == u':' && digits({0, 2, 3}) && value(f[2]) <= 5) {
        hours = value(f[0]);
        minutes = value(f[2]) * 10 + value(f[3]);
    } else if (f.size() == 5 && f[2] == u':' && digits({0, 1, 3, 4}) && value(f[3]) <= 5) {
        hours = value(f[0]) * 10 + value(f[1]);
        minutes = value(f[3]) * 10 + value(f[4]);
        if (hours > 23)
            return std::nullopt;
    } else if (f.size() == 4 && digits({0, 1, 2, 3}) && value(f[2]) <= 5) {
        hours = value(f[0]) * 10 + value(f[1]);
        minutes = value(f[2]) * 10 + value(f[3]);
        if (hours > 23)
            return std::nullopt;
    } else if (f.size() == 3 && digits({0, 1, 2}) && value(f[1]) <= 5) {
        const bool couldBeHHMM = value(f[0]) * 10 + value(f[1]) <= 23 && value(f[2]) <= 5;
        if (couldBeHHMM)
            return std::nullopt;
        hours = value(f[0]);
        minutes = value(f[1]) * 10 + value(f[2]);
    } else {
        return std::nullopt;
    }
    int32_t milliseconds = (hours * 60 + minutes) * 60000;
    return Offset{id[0] == u'U', id[3] == u'-' ? -milliseconds : milliseconds};
}

std::u16string canonicalID(const Offset& offset)
{
    const int32_t minutes = (offset.milliseconds < 0 ? -offset.milliseconds : offset.milliseconds) / 60000;
    std::u16string id = offset.isUTC ? u"UTC" : u"GMT";
    id += offset.milliseconds < 0 ? u'-' : u'+';
    id += char16_t(u'0' + minutes / 600 % 10);
    id += char16_t(u'0' + minutes / 60 % 10);
    id += u':';
    id += char16_t(u'0' + minutes % 60 / 10);
    id += char16_t(u'0' + minutes % 10);
    return id;
}

std::u16string unitsOf(const VMPtr<String>& s)
{
    return std::u16string(s->count ? s->chars() : u"", size_t(s->count));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VXFuzzVM vm;
    if (size > 64)
        return 0;
    std::u16string id;
    for (size_t i = 0; i < size; i++)
        id += data[i] < 0x80 ? char16_t(data[i]) : kLookAlikes[data[i] & 7];
    VMPtr<String> text = String::newInstance()->initFromUtf16(id.data(), int32_t(id.size()));

    VMPtr<TimeZone> zone = TimeZone::getTimeZone(text);
    VXFUZZ_CHECK(zone, "getTimeZone gave null");
    if (VMPtr<TimeZone> known = TimeZonePimpl::getTimeZone(text)) {
        VXFUZZ_CHECK(zone.get() == known.get(), "a table ID gave another zone");
        return 0;
    }

    bool isUTC = false;
    int32_t parsed = 0;
    const bool accepted = TimeZonePimpl::parseOffsetID(text, &isUTC, &parsed);
    const std::optional<Offset> expected = expectedOffset(id);
    VXFUZZ_CHECK(accepted == expected.has_value(),
                 accepted ? "a text outside the offset forms was accepted"
                          : "an offset form was refused");
    if (expected) {
        VXFUZZ_CHECK(isUTC == expected->isUTC && parsed == expected->milliseconds,
                     "an offset ID read as another offset");
        VXFUZZ_CHECK(zone->getRawOffset() == expected->milliseconds, "the zone has another offset");
        VXFUZZ_CHECK(unitsOf(zone->getID()) == canonicalID(*expected),
                     "the zone's ID is not the canonical form");
        VXFUZZ_CHECK(zone.get() != TimeZone::getTimeZone(text).get(),
                     "a custom zone was shared between calls");
    } else {
        VMPtr<TimeZone> gmt = TimeZonePimpl::getTimeZone(String::newFromCString("GMT"));
        VXFUZZ_CHECK(zone.get() == gmt.get(), "an unknown ID did not give the GMT zone");
    }
    return 0;
}
