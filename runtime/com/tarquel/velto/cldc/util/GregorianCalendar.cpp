#include "com/tarquel/velto/cldc/util/GregorianCalendar.h"

#include <cstdint>
#include <limits>

namespace com::tarquel::velto::cldc::util {

namespace {

constexpr int32_t kCutoverYear = 1582;
constexpr int64_t kEpochJulianDay = 2440588;
constexpr int64_t kGregorianEpochOffset = 719162;
constexpr int64_t kJulianEpochOffset = 719164;
constexpr int64_t kYearOneBase = 1721423;
constexpr int64_t kUnrevisedJulianDay = -106749550580LL;
constexpr int32_t kDaysBefore[2][12] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335},
};

// a + b, pinned to the end of the 64-bit range that the signs point to.
int64_t addPinned(int64_t a, int64_t b)
{
    int64_t sum = int64_t(uint64_t(a) + uint64_t(b));
    if (a > 0 && b > 0 && sum < 0)
        return std::numeric_limits<int64_t>::max();
    if (a < 0 && b < 0 && sum > 0)
        return std::numeric_limits<int64_t>::min();
    return sum;
}

int64_t wrappingMultiply(int64_t a, int64_t b)
{
    return int64_t(uint64_t(a) * uint64_t(b));
}

} // namespace

VMPtr<GregorianCalendar> GregorianCalendar::init()
{
    Calendar::init();
    return VMPtr<GregorianCalendar>(this);
}

// ---- Floor division ----

int64_t GregorianCalendar::divideFloor(int64_t numerator, int64_t denominator)
{
    return numerator >= 0 ? numerator / denominator : (numerator + 1) / denominator - 1;
}

int32_t GregorianCalendar::divideFloor(int32_t numerator, int32_t denominator)
{
    return int32_t(divideFloor(int64_t(numerator), int64_t(denominator)));
}

int32_t GregorianCalendar::divideFloor(int32_t numerator, int32_t denominator, int32_t* remainder)
{
    int64_t quotient = divideFloor(int64_t(numerator), int64_t(denominator));
    *remainder = int32_t(numerator - quotient * denominator);
    return int32_t(quotient);
}

int32_t GregorianCalendar::divideFloor(int64_t numerator, int32_t denominator, int32_t* remainder)
{
    int64_t quotient = divideFloor(numerator, int64_t(denominator));
    *remainder = int32_t(numerator - quotient * denominator);
    return int32_t(quotient);
}

int32_t GregorianCalendar::dayOfWeekFromJulianDay(int64_t julianDay)
{
    int32_t r = int32_t((julianDay + 1) % 7);
    return r < 0 ? r + 8 : r + 1;
}

// ---- Instant to fields ----

void GregorianCalendar::setDateFieldsFromMillis(int64_t local)
{
    int64_t days = divideFloor(local, int64_t(ONE_DAY));
    int32_t year;
    int64_t dayOfYear;
    bool leap;
    int32_t weekday;
    if (local >= CUTOVER) {
        int64_t e = days + kGregorianEpochOffset;
        int32_t rem;
        int32_t c400 = divideFloor(e, 146097, &rem);
        int32_t c100 = divideFloor(rem, 36524, &rem);
        int32_t c4 = divideFloor(rem, 1461, &rem);
        int32_t c1 = divideFloor(rem, 365, &rem);
        year = 400 * c400 + 100 * c100 + 4 * c4 + c1;
        dayOfYear = rem;
        if (c100 == 4 || c1 == 4)
            dayOfYear = 365; // the last day of a 400- or 4-year cycle
        else
            year++;
        leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
        weekday = int32_t((e + 1) % 7);
    } else {
        int64_t e = days + kJulianEpochOffset;
        year = int32_t(divideFloor(4 * (e + 366), int64_t(1461)));
        dayOfYear = e - (365 * int64_t(year - 1) + divideFloor(int64_t(year) - 1, int64_t(4)));
        leap = year % 4 == 0;
        weekday = int32_t((e - 1) % 7);
    }
    int32_t march1 = leap ? 60 : 59;
    int32_t correction = dayOfYear >= march1 ? (leap ? 1 : 2) : 0;
    int32_t month = int32_t((12 * (dayOfYear + correction) + 6) / 367);
    int32_t date = int32_t(dayOfYear) - kDaysBefore[leap][month] + 1;

    field(DAY_OF_WEEK) = weekday < 0 ? weekday + 8 : weekday + 1;
    if (year < 1) {
        field(ERA) = 0;
        field(YEAR) = 1 - year;
    } else {
        field(ERA) = 1;
        field(YEAR) = year;
    }
    field(MONTH) = month;
    field(DATE) = date;
}

void GregorianCalendar::computeFields()
{
    int32_t raw = zone->getRawOffset();
    int64_t local = addPinned(time, raw);
    setDateFieldsFromMillis(local);

    int32_t millisInDay = int32_t(local % ONE_DAY);
    if (millisInDay < 0)
        millisInDay += ONE_DAY;
    int32_t dst = zone->getOffset(field(ERA), field(YEAR), field(MONTH), field(DATE),
                                  field(DAY_OF_WEEK), millisInDay) - raw;
    millisInDay += dst;
    if (millisInDay >= ONE_DAY || millisInDay < 0) {
        // Daylight time moved the instant into the next or previous day.
        millisInDay += millisInDay < 0 ? ONE_DAY : -ONE_DAY;
        setDateFieldsFromMillis(addPinned(local, dst));
    }

    field(MILLISECOND) = millisInDay % 1000;
    field(SECOND) = (millisInDay / 1000) % 60;
    field(MINUTE) = (millisInDay / 60000) % 60;
    field(HOUR_OF_DAY) = millisInDay / 3600000;
    field(AM_PM) = field(HOUR_OF_DAY) / 12;
    field(HOUR) = field(HOUR_OF_DAY) % 12;
}

// ---- Fields to instant ----

void GregorianCalendar::resolveHourFields()
{
    if ((*isSet)[HOUR_OF_DAY]) {
        field(HOUR_OF_DAY) %= 24;
        field(AM_PM) = field(HOUR_OF_DAY) < 12 ? AM : PM;
        (*isSet)[HOUR_OF_DAY] = false;
        return;
    }
    if ((*isSet)[AM_PM]) {
        if (field(AM_PM) != AM && field(AM_PM) != PM)
            field(AM_PM) = field(HOUR_OF_DAY) >= 12 ? PM : AM;
        (*isSet)[AM_PM] = false;
    }
    if ((*isSet)[HOUR]) {
        int32_t h = field(HOUR);
        if (h <= 12) {
            field(HOUR_OF_DAY) = field(AM_PM) == PM ? h + 12 : h;
        } else {
            field(HOUR_OF_DAY) = h % 12 + 12;
            field(HOUR) = h % 12;
            field(AM_PM) = PM;
        }
        (*isSet)[HOUR] = false;
    }
}

int64_t GregorianCalendar::julianDayFromFields(bool gregorian, int32_t year)
{
    int32_t month = field(MONTH) - JANUARY;
    if (month < 0 || month > 11)
        year += divideFloor(month, 12, &month);
    bool leap = year % 4 == 0;
    int64_t y = int64_t(year) - 1;
    int64_t jd = 365 * y + divideFloor(y, int64_t(4)) + kYearOneBase;
    if (gregorian) {
        leap = leap && (year % 100 != 0 || year % 400 == 0);
        jd += divideFloor(y, int64_t(400)) - divideFloor(y, int64_t(100)) + 2;
    }
    return jd + kDaysBefore[leap][month] + field(DATE);
}

void GregorianCalendar::computeTime()
{
    resolveHourFields();
    int32_t year = field(YEAR);
    bool gregorian = year >= kCutoverYear;
    int64_t jd = julianDayFromFields(gregorian, year);
    int64_t millis = wrappingMultiply(jd - kEpochJulianDay, ONE_DAY);
    if (gregorian != (millis >= CUTOVER) && jd != kUnrevisedJulianDay) {
        jd = julianDayFromFields(!gregorian, year);
        millis = wrappingMultiply(jd - kEpochJulianDay, ONE_DAY);
    }
    // The time fields sum in 32 bits (wrapping), then count as signed.
    uint32_t sum = (uint32_t(field(HOUR_OF_DAY)) * 60 + uint32_t(field(MINUTE))) * 60;
    sum = (sum + uint32_t(field(SECOND))) * 1000 + uint32_t(field(MILLISECOND));
    int32_t timeOfDay = int32_t(sum);
    millis = int64_t(uint64_t(millis) + uint64_t(int64_t(timeOfDay)));

    int32_t raw = zone->getRawOffset();
    int32_t millisInDay;
    divideFloor(millis, ONE_DAY, &millisInDay);
    int32_t dow = dayOfWeekFromJulianDay(jd);
    int32_t dst = zone->getOffset(field(ERA), field(YEAR), field(MONTH), field(DATE), dow,
                                  millisInDay) - raw;
    time = int64_t(uint64_t(millis) - uint64_t(int64_t(dst)) - uint64_t(int64_t(raw)));
}

} // namespace com::tarquel::velto::cldc::util

VM_REGISTER_CLASS(com::tarquel::velto::cldc::util::GregorianCalendar,
                  "com.tarquel.velto.cldc.util.GregorianCalendar", "java.util.Calendar",
                  "target/winmo/pb_src/j2me/com_tarquel_velto_cldc_util_GregorianCalendar",
                  nullptr);
