#include "com/tarquel/velto/cldc/util/TimeZoneUTC.h"

namespace com::tarquel::velto::cldc::util {

VMPtr<TimeZoneUTC> TimeZoneUTC::init(int32_t zoneOffset, VMPtr<java::lang::String> zoneID)
{
    TimeZone::init();
    ID = zoneID;
    offset = zoneOffset;
    return VMPtr<TimeZoneUTC>(this);
}

int32_t TimeZoneUTC::getOffset(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t)
{
    return offset;
}

int32_t TimeZoneUTC::getRawOffset()
{
    return offset;
}

bool TimeZoneUTC::useDaylightTime()
{
    return false;
}

VMPtr<java::lang::String> TimeZoneUTC::getID()
{
    return ID;
}

} // namespace com::tarquel::velto::cldc::util

VM_REGISTER_CLASS_NO_CREATOR(com::tarquel::velto::cldc::util::TimeZoneUTC,
                             "com.tarquel.velto.cldc.util.TimeZoneUTC", "java.util.TimeZone",
                             "target/winmo/pb_src/j2me/com_tarquel_velto_cldc_util_TimeZoneUTC",
                             nullptr);
