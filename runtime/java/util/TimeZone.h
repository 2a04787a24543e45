#pragma once
// java.util.TimeZone: the time-zone interface. Every zone of this system is a
// fixed offset without daylight saving (TimeZoneUTC); the table of known zones
// is kept by TimeZonePimpl.

#include <cstdint>

#include "java/lang/String.h"

namespace java::util {

class TimeZone : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(TimeZone, java::lang::Object)

    VMPtr<TimeZone> init();

    // Milliseconds to add to UTC at the given local date and time.
    virtual int32_t getOffset(int32_t era, int32_t year, int32_t month, int32_t day,
                              int32_t dayOfWeek, int32_t millis) = 0;
    virtual int32_t getRawOffset() = 0;
    virtual bool useDaylightTime() = 0;
    // Null in this base class.
    virtual VMPtr<java::lang::String> getID();

    // The device's zone.
    static VMPtr<TimeZone> getDefault();
    // The zone of ID: a zone of the table, else a custom offset zone
    // (GMT+hh:mm and the like), else the zone "GMT". Null throws
    // NullPointerException.
    static VMPtr<TimeZone> getTimeZone(VMPtr<java::lang::String> ID);
};

} // namespace java::util
