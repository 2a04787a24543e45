#include "com/tarquel/velto/cldc/util/TimeZonePimpl.h"

#include "vm/VMEventRegistry.h"

#include "com/tarquel/velto/cldc/util/TimeZoneUTC.h"
#include "hal/device.h"
#include "vm/VMStringLiterals.h"

namespace com::tarquel::velto::cldc::util {

using java::lang::String;
using java::util::TimeZone;

namespace {

constexpr int32_t kTimeZoneChanged = 4;

// The states of the offset-ID reader: 0 rejects, kAccept accepts.
constexpr int8_t kAccept = 10;

// Columns: end of text, digits 0 to 5, digits 6 to 9, sign, colon.
enum Column { END, D0, D1, D2, D3, D4, D5, D6_9, SIGN, COLON, COLUMNS };

constexpr int8_t kTransitions[10][COLUMNS] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},                                    // (stopped)
    {0, 0, 0, 0, 0, 0, 0, 0, 2, 0},                                    // 1: sign
    {0, 3, 3, 4, 5, 5, 5, 5, 0, 0},                                    // 2: first digit
    {kAccept, 6, 6, 6, 6, 6, 6, 5, 0, 7},                              // 3: after 0 or 1
    {kAccept, 6, 6, 6, 6, 8, 8, 0, 0, 7},                              // 4: after 2
    {kAccept, 8, 8, 8, 8, 8, 8, 0, 0, 7},                              // 5: one-digit hour
    {kAccept, 8, 8, 8, 8, 8, 8, 9, 0, 7},                              // 6: two-digit hour
    {0, 8, 8, 8, 8, 8, 8, 0, 0, 0},                                    // 7: after colon
    {0, 9, 9, 9, 9, 9, 9, 9, 0, 0},                                    // 8: minutes' tens
    {kAccept, 0, 0, 0, 0, 0, 0, 0, 0, 0},                              // 9: complete
};

int columnOf(char16_t c)
{
    if (c >= u'0' && c <= u'5')
        return D0 + (c - u'0');
    if (c >= u'6' && c <= u'9')
        return D6_9;
    if (c == u'+' || c == u'-')
        return SIGN;
    if (c == u':')
        return COLON;
    return -1;
}

} // namespace

void TimeZonePimpl::staticInit()
{
    zones = ZoneArray::newArray(3);
    refreshDeviceZone();
    zones->set(1, TimeZoneUTC::newInstance()->init(0, _VM_literal("UTC")));
    zones->set(2, TimeZoneUTC::newInstance()->init(0, _VM_literal("GMT")));
    HAL_addEventListener(&TimeZonePimpl::onPlatformEvent, 1u << kTimeZoneChanged, 1);
}

void TimeZonePimpl::refreshDeviceZone()
{
    int32_t offset = HAL_getTimeZoneOffset();
    VMPtr<String> id = formatOffsetID(true, offset);
    zones->set(0, TimeZoneUTC::newInstance()->init(offset, id));
    defaultID = id;
}

void TimeZonePimpl::onPlatformEvent(int32_t event, int32_t, const intptr_t*)
{
    if (event == kTimeZoneChanged && zones)
        refreshDeviceZone();
}

VMPtr<TimeZone> TimeZonePimpl::getTimeZone(VMPtr<String> ID)
{
    VMPtr<String> wanted = ID ? ID : VMPtr<String>(defaultID);
    for (int32_t i = 0; i < zones->length; i++) {
        VMPtr<TimeZone> zone = zones->get(i);
        if (zone && wanted->equals(zone->getID()))
            return zone;
    }
    return nullptr;
}

VMPtr<TimeZone> TimeZonePimpl::getCustomTimeZone(VMPtr<String> ID)
{
    bool isUTC = false;
    int32_t offset = 0;
    if (!parseOffsetID(ID, &isUTC, &offset))
        return nullptr;
    return TimeZoneUTC::newInstance()->init(offset, formatOffsetID(isUTC, offset));
}

VMPtr<String> TimeZonePimpl::formatOffsetID(bool isUTC, int32_t offset)
{
    int64_t minutes = (offset < 0 ? -int64_t(offset) : int64_t(offset)) / 60000;
    int64_t hours = minutes / 60;
    char16_t text[9] = {
        isUTC ? u'U' : u'G', isUTC ? u'T' : u'M', isUTC ? u'C' : u'T',
        offset < 0 ? u'-' : u'+',
        char16_t(u'0' + (minutes / 600) % 10), char16_t(u'0' + hours % 10), u':',
        char16_t(u'0' + (minutes % 60) / 10), char16_t(u'0' + (minutes % 60) % 10),
    };
    return String::newInstance()->initFromUtf16(text, 9);
}

bool TimeZonePimpl::parseOffsetID(VMPtr<String> ID, bool* isUTC, int32_t* offset)
{
    bool utc = ID->startsWith(_VM_literal("UTC"));
    if (ID->length() < 5 || !(utc || ID->startsWith(_VM_literal("GMT"))))
        return false;
    int32_t digits[4] = {};
    int32_t digitCount = 0;
    bool negative = false;
    int state = 1;
    for (int32_t i = 3; i <= ID->length(); i++) {
        int column = END;
        if (i < ID->length()) {
            char16_t c = ID->charAt(i);
            column = columnOf(c);
            if (column < 0)
                return false;
            if (column == SIGN) {
                negative = negative || c == u'-';
            } else if (column != COLON && digitCount < 4) {
                digits[digitCount++] = c - u'0';
            }
        }
        state = kTransitions[state][column];
        if (state == 0)
            return false;
        if (state == kAccept)
            break;
    }
    if (state != kAccept)
        return false;
    int32_t hours = 0;
    int32_t minutes = 0;
    switch (digitCount) {
    case 1: hours = digits[0]; break;
    case 2: hours = digits[0] * 10 + digits[1]; break;
    case 3: hours = digits[0]; minutes = digits[1] * 10 + digits[2]; break;
    default: hours = digits[0] * 10 + digits[1]; minutes = digits[2] * 10 + digits[3]; break;
    }
    *isUTC = utc;
    *offset = (hours * 60 + minutes) * 60000 * (negative ? -1 : 1);
    return true;
}

} // namespace com::tarquel::velto::cldc::util

VM_REGISTER_ABSTRACT_CLASS(
    com::tarquel::velto::cldc::util::TimeZonePimpl, "com.tarquel.velto.cldc.util.TimeZonePimpl",
    "java.lang.Object", "target/winmo/pb_src/j2me/com_tarquel_velto_cldc_util_TimeZonePimpl",
    &com::tarquel::velto::cldc::util::TimeZonePimpl::staticInit);
