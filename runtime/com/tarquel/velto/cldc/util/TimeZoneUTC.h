#pragma once
// com.tarquel.velto.cldc.util.TimeZoneUTC: a zone of a fixed offset from UTC,
// without daylight saving. Immutable once made.

#include <cstdint>

#include "java/util/TimeZone.h"

namespace com::tarquel::velto::cldc::util {

class TimeZoneUTC : public java::util::TimeZone {
    VM_CLASS(TimeZoneUTC, java::util::TimeZone)

    VMPtr<TimeZoneUTC> init(int32_t offset, VMPtr<java::lang::String> ID);

    // The fixed offset whatever the date.
    int32_t getOffset(int32_t era, int32_t year, int32_t month, int32_t day, int32_t dayOfWeek,
                      int32_t millis) override;
    int32_t getRawOffset() override;
    bool useDaylightTime() override;
    VMPtr<java::lang::String> getID() override;


    VMField<java::lang::String> ID;
    int32_t offset = 0;

    VM_FIELDS(ID)
};

} // namespace com::tarquel::velto::cldc::util
