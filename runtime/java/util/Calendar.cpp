#include "java/util/Calendar.h"

#include "com/tarquel/velto/cldc/util/GregorianCalendar.h"
#include "hal/device.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/RuntimeException.h"
#include "java/util/Date.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

namespace java::util {

VMPtr<Calendar> Calendar::getInstance()
{
    return com::tarquel::velto::cldc::util::GregorianCalendar::newInstance()->init();
}

VMPtr<Calendar> Calendar::init()
{
    Object::init();
    fields = IntArray::newArray(FIELD_COUNT);
    isSet = BoolArray::newArray(FIELD_COUNT);
    zone = TimeZone::getDefault();
    if (!zone)
        vm_throwNew<java::lang::RuntimeException>(_VM_literal("Could not find default timezone."));
    setTimeInMillis(HAL_currentTimeMillis());
    return VMPtr<Calendar>(this);
}

int64_t Calendar::getTimeInMillis()
{
    if (!isTimeSet) {
        computeTime();
        isTimeSet = true;
    }
    return time;
}

void Calendar::setTimeInMillis(int64_t millis)
{
    isTimeSet = true;
    time = millis;
    computeFields();
}

int32_t Calendar::get(int32_t field)
{
    switch (field) {
    case DAY_OF_WEEK:
    case AM_PM:
    case HOUR:
    case HOUR_OF_DAY:
        getTimeInMillis();
        computeFields();
        break;
    default:
        break;
    }
    return (*fields)[field];
}

void Calendar::set(int32_t field, int32_t value)
{
    fields->checkIndex(field);
    isTimeSet = false;
    (*isSet)[field] = true;
    (*fields)[field] = value;
}

VMPtr<Date> Calendar::getTime()
{
    if (!date) {
        date = Date::newInstance()->init(getTimeInMillis());
    } else {
        VMPtr<Date> own = date;
        VMSynchronized guard(own);
        own->setTime(getTimeInMillis());
    }
    return date;
}

void Calendar::setTimeZone(VMPtr<TimeZone> value)
{
    zone = vm_nonNull(value);
    getTimeInMillis();
    computeFields();
}

bool Calendar::equals(VMPtr<java::lang::Object> other)
{
    if (other.get() == static_cast<java::lang::Object*>(this))
        return true;
    VMPtr<Calendar> that = vm_cast<Calendar>(other);
    if (!that)
        return false;
    return getTimeInMillis() == that->getTimeInMillis() && zone->equals(that->zone);
}

} // namespace java::util

VM_REGISTER_ABSTRACT_CLASS(java::util::Calendar, "java.util.Calendar", "java.lang.Object",
                           "target/winmo/pb_src/j2me/java_util_Calendar", nullptr);
