#pragma once
// com.tarquel.velto.cldc.util.GregorianCalendar: the system's calendar. It is
// proleptic Julian before 1582-10-15 00:00 (the cutover instant) and
// Gregorian from then on, with 64-bit day and millisecond counts and floor
// division for negative values; offsets come from the calendar's zone.

#include <cstdint>

#include "java/util/Date.h"

namespace com::tarquel::velto::cldc::util {

class GregorianCalendar : public java::util::Calendar {
    VM_CLASS(GregorianCalendar, java::util::Calendar)

    VMPtr<GregorianCalendar> init();

    static constexpr int32_t ONE_DAY = 86400000;
    static constexpr int64_t CUTOVER = -12219292800000LL;

    // Instant to fields: shifts time by the zone's offset (pinned at the ends
    // of the 64-bit range instead of wrapping) and sets every field but the
    // isSet flags.
    void computeFields() override;
    // Fields to instant: reconciles the hour fields, counts days from the
    // year, month and date (a month outside 0 .. 11 moves the year) and adds
    // the time of day. A date the Gregorian calendar lacks is read as Julian.
    void computeTime() override;

    // Floor division for positive denominators; the remainder is never
    // negative.
    static int64_t divideFloor(int64_t numerator, int64_t denominator);
    static int32_t divideFloor(int32_t numerator, int32_t denominator);
    static int32_t divideFloor(int32_t numerator, int32_t denominator, int32_t* remainder);
    static int32_t divideFloor(int64_t numerator, int32_t denominator, int32_t* remainder);
    // 1 (Sunday) to 7.
    static int32_t dayOfWeekFromJulianDay(int64_t julianDay);

private:
    // Sets ERA, YEAR, MONTH, DATE and DAY_OF_WEEK of local milliseconds.
    void setDateFieldsFromMillis(int64_t local);
    // The Julian day of the fields' year (given), month and date.
    int64_t julianDayFromFields(bool gregorian, int32_t year);
    // Reconciles HOUR_OF_DAY, HOUR and AM_PM from the isSet flags.
    void resolveHourFields();
    int32_t& field(int32_t index) { return (*fields)[index]; }
};

} // namespace com::tarquel::velto::cldc::util
