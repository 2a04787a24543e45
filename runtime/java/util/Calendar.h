#pragma once
// java.util.Calendar: an instant (time, milliseconds since 1970-01-01 00:00)
// and its broken-down field values in a zone. computeFields and computeTime
// convert between them (GregorianCalendar fills them in). set marks the
// instant stale; the next getTimeInMillis recomputes it. Fields that were not
// set keep what the last computeFields left.

#include <cstdint>

#include "java/util/TimeZone.h"
#include "vm/VMArray.h"

namespace java::util {

class Date;

class Calendar : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(Calendar, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;
    using BoolArray = VMArray<bool, 1>;

    static constexpr int32_t ERA = 0, YEAR = 1, MONTH = 2, DATE = 5, DAY_OF_MONTH = 5,
                             DAY_OF_WEEK = 7, AM_PM = 9, HOUR = 10, HOUR_OF_DAY = 11,
                             MINUTE = 12, SECOND = 13, MILLISECOND = 14;
    static constexpr int32_t FIELD_COUNT = 15;
    static constexpr int32_t SUNDAY = 1, MONDAY = 2, TUESDAY = 3, WEDNESDAY = 4, THURSDAY = 5,
                             FRIDAY = 6, SATURDAY = 7;
    static constexpr int32_t JANUARY = 0, FEBRUARY = 1, MARCH = 2, APRIL = 3, MAY = 4, JUNE = 5,
                             JULY = 6, AUGUST = 7, SEPTEMBER = 8, OCTOBER = 9, NOVEMBER = 10,
                             DECEMBER = 11;
    static constexpr int32_t AM = 0, PM = 1;

    // A new GregorianCalendar in the default zone at the current time.
    static VMPtr<Calendar> getInstance();

    // The constructor body: the default zone (RuntimeException "Could not find
    // default timezone." without one) and the current time.
    VMPtr<Calendar> init();

    virtual int64_t getTimeInMillis();
    virtual void setTimeInMillis(int64_t millis);
    virtual void computeFields() = 0;
    virtual void computeTime() = 0;

    // DAY_OF_WEEK, AM_PM, HOUR and HOUR_OF_DAY always reflect the instant;
    // other fields are returned as they stand. A field number outside 0 .. 14
    // throws ArrayIndexOutOfBoundsException.
    int32_t get(int32_t field);
    void set(int32_t field, int32_t value);
    // The calendar's own Date, brought up to the instant; always the same one.
    VMPtr<Date> getTime();
    void setTimeZone(VMPtr<TimeZone> value);

    // Same instant and the same zone object.
    bool equals(VMPtr<java::lang::Object> other) override;

    VMField<IntArray> fields;
    VMField<BoolArray> isSet;
    int64_t time = 0;
    bool isTimeSet = false;
    VMField<TimeZone> zone;
    VMField<Date> date;

    VM_FIELDS(fields, isSet, zone, date)
};

} // namespace java::util
