#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "vm/VMEventRegistry.h"

#include "com/tarquel/velto/cldc/util/GregorianCalendar.h"
#include "hal/device.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/util/Calendar.h"
#include "java/util/Date.h"
#include "java/util/TimeZone.h"
#include "support/HalTestSupport.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

using java::util::Calendar;
using java::util::Date;
using java::util::TimeZone;

namespace {

class CalendarTest : public VMFixture {};

VMPtr<Calendar> calendarIn(const char* zoneID)
{
    VMPtr<Calendar> c = Calendar::getInstance();
    c->setTimeZone(TimeZone::getTimeZone(vmString(zoneID)));
    return c;
}

// "YYYY-MM-DD hh:mm:ss.mmm era E dow D" of the calendar's fields as they
// stand (get of the four time-derived fields would recompute).
std::string fieldsOf(const VMPtr<Calendar>& c)
{
    auto f = [&](int32_t i) { return (*c->fields)[i]; };
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d era %d dow %d h%d %s",
                  f(Calendar::YEAR), f(Calendar::MONTH) + 1, f(Calendar::DATE),
                  f(Calendar::HOUR_OF_DAY), f(Calendar::MINUTE), f(Calendar::SECOND),
                  f(Calendar::MILLISECOND), f(Calendar::ERA), f(Calendar::DAY_OF_WEEK),
                  f(Calendar::HOUR), f(Calendar::AM_PM) ? "PM" : "AM");
    return text;
}

TEST_F(CalendarTest, InstantsBecomeFields)
{
    struct Case {
        int64_t millis;
        const char* zone;
        const char* fields;
    } cases[] = {
        {0, "GMT", "1970-01-01 00:00:00.000 era 1 dow 5 h0 AM"},
        {-1, "GMT", "1969-12-31 23:59:59.999 era 1 dow 4 h11 PM"},
        {951782400000LL, "GMT", "2000-02-29 00:00:00.000 era 1 dow 3 h0 AM"},
        {-12219292800000LL, "GMT", "1582-10-15 00:00:00.000 era 1 dow 6 h0 AM"},
        // One millisecond before the cutover is Julian.
        {-12219292800001LL, "GMT", "1582-10-04 23:59:59.999 era 1 dow 5 h11 PM"},
        {-14825894400000LL, "GMT", "1500-02-29 00:00:00.000 era 1 dow 7 h0 AM"},
        // The day before 0001-01-01 is year 1 before the common era.
        {-62135769600001LL, "GMT", "0001-12-31 23:59:59.999 era 0 dow 6 h11 PM"},
        {0, "GMT+05:30", "1970-01-01 05:30:00.000 era 1 dow 5 h5 AM"},
        {0, "GMT-1", "1969-12-31 23:00:00.000 era 1 dow 4 h11 PM"},
    };
    for (const Case& c : cases) {
        VMPtr<Calendar> cal = calendarIn(c.zone);
        cal->setTimeInMillis(c.millis);
        EXPECT_EQ(fieldsOf(cal), c.fields) << c.millis << " in " << c.zone;
    }
}

TEST_F(CalendarTest, OffsetsPinAtTheEndsOfTime)
{
    // A positive offset on the largest instant gives the largest instant's
    // fields instead of wrapping to a date before the common era.
    VMPtr<Calendar> gmt = calendarIn("GMT");
    VMPtr<Calendar> east = calendarIn("GMT+01:00");
    gmt->setTimeInMillis(std::numeric_limits<int64_t>::max());
    east->setTimeInMillis(std::numeric_limits<int64_t>::max() - 1000);
    EXPECT_EQ(fieldsOf(east), fieldsOf(gmt));
    EXPECT_EQ((*east->fields)[Calendar::ERA], 1);

    VMPtr<Calendar> west = calendarIn("GMT-01:00");
    gmt->setTimeInMillis(std::numeric_limits<int64_t>::min());
    west->setTimeInMillis(std::numeric_limits<int64_t>::min() + 1000);
    EXPECT_EQ(fieldsOf(west), fieldsOf(gmt));
    EXPECT_EQ((*west->fields)[Calendar::ERA], 0);
}

TEST_F(CalendarTest, FieldsBecomeInstants)
{
    struct Case {
        int32_t year, month, date;
        int64_t millis;
    } cases[] = {
        {1970, 0, 1, 0},
        {2000, 1, 29, 951782400000LL},
        {1900, 1, 29, -2203891200000LL},  // no Gregorian leap day: March 1st
        {1500, 1, 29, -14825894400000LL}, // a Julian leap year
        {1582, 9, 15, -12219292800000LL},
        {1582, 9, 10, -12218860800000LL}, // missing from the Gregorian calendar: Julian
        {1969, 13, 1, 2678400000LL},       // month 13 is February of the next year
        {1970, -1, 1, -2678400000LL},      // month -1 is December of the year before
    };
    for (const Case& c : cases) {
        VMPtr<Calendar> cal = calendarIn("GMT");
        cal->setTimeInMillis(0);
        cal->set(Calendar::YEAR, c.year);
        cal->set(Calendar::MONTH, c.month);
        cal->set(Calendar::DATE, c.date);
        EXPECT_EQ(cal->getTimeInMillis(), c.millis) << c.year << "-" << c.month << "-" << c.date;
    }

    // The zone's offset is taken off the local fields; the unset time fields
    // keep the previous instant's time of day.
    VMPtr<Calendar> india = calendarIn("UTC+05:30");
    india->setTimeInMillis(12345);
    india->set(Calendar::DATE, 2);
    EXPECT_EQ(india->getTimeInMillis(), 86400000LL + 12345);
}

TEST_F(CalendarTest, HourFieldsAreReconciled)
{
    struct Case {
        int32_t hour, amPm, hourOfDay; // -1: not set
        int64_t millis;
    } cases[] = {
        {3, Calendar::PM, -1, 15 * 3600000LL},
        {3, Calendar::AM, -1, 3 * 3600000LL},
        {12, Calendar::PM, -1, 24 * 3600000LL}, // the start of the next day
        {15, -1, -1, 15 * 3600000LL},           // HOUR above 12 means PM
        {-1, -1, 26, 2 * 3600000LL},            // HOUR_OF_DAY wins, reduced mod 24
        {5, Calendar::PM, 7, 7 * 3600000LL},
        {3, 7, -1, 3 * 3600000LL}, // a bad AM_PM follows the old hour (0: AM)
    };
    for (const Case& c : cases) {
        VMPtr<Calendar> cal = calendarIn("GMT");
        cal->setTimeInMillis(0);
        if (c.hour >= 0)
            cal->set(Calendar::HOUR, c.hour);
        if (c.amPm >= 0)
            cal->set(Calendar::AM_PM, c.amPm);
        if (c.hourOfDay >= 0)
            cal->set(Calendar::HOUR_OF_DAY, c.hourOfDay);
        EXPECT_EQ(cal->getTimeInMillis(), c.millis)
            << c.hour << " " << c.amPm << " " << c.hourOfDay;
    }
    VMPtr<Calendar> afternoon = calendarIn("GMT");
    afternoon->setTimeInMillis(13 * 3600000LL);
    afternoon->set(Calendar::HOUR, 3);
    afternoon->set(Calendar::AM_PM, -1);
    EXPECT_EQ(afternoon->getTimeInMillis(), 15 * 3600000LL);
}

TEST_F(CalendarTest, GetRecomputesOnlyTheTimeDerivedFields)
{
    VMPtr<Calendar> cal = calendarIn("GMT");
    cal->setTimeInMillis(0);
    cal->set(Calendar::MONTH, 13);
    EXPECT_EQ(cal->get(Calendar::MONTH), 13);
    EXPECT_EQ(cal->get(Calendar::DAY_OF_WEEK), Calendar::MONDAY); // 1971-02-01
    EXPECT_EQ(cal->get(Calendar::MONTH), 1);
    EXPECT_EQ(cal->get(Calendar::YEAR), 1971);

    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { cal->set(15, 1); }, "Array index out of range: 15"));
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { cal->get(-1); }, "Array index out of range: -1"));
    EXPECT_TRUE(cal->isTimeSet);
}

TEST_F(CalendarTest, GetTimeReturnsOneUpdatedDate)
{
    VMPtr<Calendar> cal = calendarIn("GMT");
    cal->setTimeInMillis(1000);
    VMPtr<Date> first = cal->getTime();
    cal->setTimeInMillis(2000);
    VMPtr<Date> second = cal->getTime();
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->getTime(), 2000);
}

TEST_F(CalendarTest, EqualityNeedsTheSameZoneObject)
{
    VMPtr<Calendar> a = calendarIn("GMT+01:00");
    VMPtr<Calendar> b = calendarIn("GMT+01:00");
    a->setTimeInMillis(5);
    b->setTimeInMillis(5);
    EXPECT_FALSE(a->equals(b)); // two custom zones of the same ID
    EXPECT_TRUE(a->equals(a));
    VMPtr<Calendar> c = calendarIn("GMT");
    VMPtr<Calendar> d = calendarIn("GMT");
    c->setTimeInMillis(5);
    d->setTimeInMillis(5);
    EXPECT_TRUE(c->equals(d));
    d->setTimeInMillis(6);
    EXPECT_FALSE(c->equals(d));
    EXPECT_FALSE(c->equals(nullptr));
    EXPECT_FALSE(c->equals(vmString("x")));
}

TEST_F(CalendarTest, DateHashEqualsAndText)
{
    for (int64_t t : {int64_t(0), int64_t(-1)})
        EXPECT_EQ(Date::newInstance()->init(t)->hashCode(), 0) << t;
    EXPECT_EQ(Date::newInstance()->init(0x100000002LL)->hashCode(), 3);
    EXPECT_TRUE(Date::newInstance()->init(7)->equals(Date::newInstance()->init(7)));
    EXPECT_FALSE(Date::newInstance()->init(7)->equals(Date::newInstance()->init(8)));
    EXPECT_FALSE(Date::newInstance()->init(7)->equals(vmString("7")));

    VMPtr<Date> date = Date::newInstance()->init(0);
    date->calendar->setTimeZone(TimeZone::getTimeZone(vmString("GMT")));
    EXPECT_EQ(vmText(date->toString()), "Thu Jan 01 00:00:00 GMT 1970");

    VMPtr<Calendar> cal = calendarIn("UTC-08:00");
    cal->set(Calendar::YEAR, 987);
    cal->set(Calendar::MONTH, Calendar::MARCH);
    cal->set(Calendar::DATE, 5);
    cal->set(Calendar::HOUR_OF_DAY, 9);
    cal->set(Calendar::MINUTE, 7);
    cal->set(Calendar::SECOND, 3);
    VMPtr<Date> old = cal->getTime();
    old->calendar->setTimeZone(TimeZone::getTimeZone(vmString("UTC-08:00")));
    std::string text = vmText(old->toString());
    EXPECT_EQ(text.substr(3), " Mar 05 09:07:03 UTC-08:00 0987");
}

TEST_F(CalendarTest, NewCalendarsStartFromTheDeviceClockInTheDeviceZone)
{
    // One hour east of UTC: the device clock already counts local time, and
    // the device zone's offset is added on top of it.
    {
        vxtest::ScopedTZ tz("<+01>-1");
        HAL_dispatchEvent(4, 0, nullptr);
        int64_t before = HAL_currentTimeMillis();
        VMPtr<Calendar> cal = Calendar::getInstance();
        int64_t after = HAL_currentTimeMillis();
        int64_t time = cal->getTimeInMillis();
        EXPECT_GE(time, before);
        EXPECT_LE(time, after);
        EXPECT_EQ(cal->zone, TimeZone::getDefault());
        EXPECT_EQ(cal->get(Calendar::HOUR_OF_DAY), (time / 3600000 + 1) % 24);
        EXPECT_EQ(cal->get(Calendar::MINUTE), time / 60000 % 60);
    }
    HAL_dispatchEvent(4, 0, nullptr); // back to the restored TZ
}

TEST_F(CalendarTest, DivideFloorRoundsDown)
{
    using com::tarquel::velto::cldc::util::GregorianCalendar;
    int32_t rem = 0;
    EXPECT_EQ(GregorianCalendar::divideFloor(int64_t(-1), int64_t(7)), -1);
    EXPECT_EQ(GregorianCalendar::divideFloor(-7, 7), -1);
    EXPECT_EQ(GregorianCalendar::divideFloor(-8, 7, &rem), -2);
    EXPECT_EQ(rem, 6);
    EXPECT_EQ(GregorianCalendar::divideFloor(int64_t(-86400001), 86400000, &rem), -2);
    EXPECT_EQ(rem, 86399999);
    EXPECT_EQ(GregorianCalendar::divideFloor(13, 12, &rem), 1);
    EXPECT_EQ(rem, 1);
    EXPECT_EQ(GregorianCalendar::dayOfWeekFromJulianDay(2440588), Calendar::THURSDAY);
    EXPECT_EQ(GregorianCalendar::dayOfWeekFromJulianDay(-3), Calendar::FRIDAY);
}

} // namespace
