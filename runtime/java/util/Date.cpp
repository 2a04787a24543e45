#include "java/util/Date.h"

#include "hal/device.h"
#include "java/lang/StringBuffer.h"
#include "java/util/Calendar.h"

namespace java::util {

using java::lang::String;

VMPtr<Date> Date::init()
{
    return init(HAL_currentTimeMillis());
}

VMPtr<Date> Date::init(int64_t millis)
{
    Object::init();
    calendar = Calendar::getInstance();
    calendar->setTimeInMillis(millis);
    return VMPtr<Date>(this);
}

int64_t Date::getTime()
{
    return calendar->getTimeInMillis();
}

void Date::setTime(int64_t millis)
{
    calendar->setTimeInMillis(millis);
}

int32_t Date::hashCode()
{
    int64_t t = getTime();
    return int32_t(uint64_t(t) >> 32) ^ int32_t(t);
}

bool Date::equals(VMPtr<java::lang::Object> other)
{
    VMPtr<Date> that = vm_cast<Date>(other);
    return that && that->getTime() == getTime();
}

namespace {

// Appends value in at least two digits.
void appendTwoDigits(const VMPtr<java::lang::StringBuffer>& buffer, int32_t value)
{
    if (value < 10)
        buffer->append(u'0');
    buffer->append(value);
}

} // namespace

VMPtr<String> Date::toString()
{
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    int32_t dayOfWeek = calendar->get(Calendar::DAY_OF_WEEK);
    int32_t month = calendar->get(Calendar::MONTH);
    int32_t day = calendar->get(Calendar::DATE);
    int32_t hour = calendar->get(Calendar::HOUR_OF_DAY);
    int32_t minute = calendar->get(Calendar::MINUTE);
    int32_t second = calendar->get(Calendar::SECOND);
    int32_t year = calendar->get(Calendar::YEAR);
    VMPtr<String> id = calendar->zone->getID();
    int32_t idLength = id ? id->length() : 0;

    VMPtr<java::lang::StringBuffer> buffer = java::lang::StringBuffer::newInstance()->init(
        String::valueOf(year)->length() + idLength + 25);
    // A day or month out of range (a field set by hand) shows its number.
    if (dayOfWeek >= 1 && dayOfWeek <= 7)
        buffer->append(kDays[dayOfWeek - 1]);
    else
        buffer->append(dayOfWeek);
    buffer->append(u' ');
    if (month >= 0 && month <= 11)
        buffer->append(kMonths[month]);
    else
        buffer->append(month);
    buffer->append(u' ');
    appendTwoDigits(buffer, day);
    buffer->append(u' ');
    appendTwoDigits(buffer, hour);
    buffer->append(u':');
    appendTwoDigits(buffer, minute);
    buffer->append(u':');
    appendTwoDigits(buffer, second);
    buffer->append(u' ');
    if (idLength > 0) {
        buffer->append(id);
        buffer->append(u' ');
    }
    if (year < 1000)
        buffer->append(u'0');
    if (year < 100)
        buffer->append(u'0');
    if (year < 10)
        buffer->append(u'0');
    buffer->append(year);
    return buffer->toString();
}

} // namespace java::util

VM_REGISTER_CLASS(java::util::Date, "java.util.Date", "java.lang.Object",
                  "target/winmo/pb_src/j2me/java_util_Date", nullptr);
