#pragma once
// com.tarquel.velto.cldc.util.TimeZonePimpl: the table of known zones (the
// device's zone, "UTC" and "GMT"), lookups by ID and the custom offset IDs
// (GMT+hh:mm, UTC-hmm and the like). The device zone is rebuilt when the
// platform reports a time-zone change (event 4); zones handed out before keep
// their offset.

#include <cstdint>

#include "java/util/TimeZone.h"
#include "vm/VMArray.h"

namespace com::tarquel::velto::cldc::util {

class TimeZonePimpl : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(TimeZonePimpl, java::lang::Object)

    using ZoneArray = VMArray<java::util::TimeZone, 1>;

    // The table's zone of ID (null: the device zone's ID), or null.
    static VMPtr<java::util::TimeZone> getTimeZone(VMPtr<java::lang::String> ID);
    // A new zone for a custom offset ID, or null when ID is not one.
    static VMPtr<java::util::TimeZone> getCustomTimeZone(VMPtr<java::lang::String> ID);

    // The 9-character ID of an offset: "UTC" or "GMT", the sign, hh:mm.
    static VMPtr<java::lang::String> formatOffsetID(bool isUTC, int32_t offset);
    // Reads a custom offset ID; false when it is not one.
    static bool parseOffsetID(VMPtr<java::lang::String> ID, bool* isUTC, int32_t* offset);

    // The platform-event listener: event 4 rebuilds the device zone.
    static void onPlatformEvent(int32_t event, int32_t count, const intptr_t* words);

    static void staticInit();

    // Element 0 the device zone, 1 "UTC", 2 "GMT"; filled by the class's
    // initialiser.
    VM_STATIC(ZoneArray, zones);
    VM_STATIC(java::lang::String, defaultID);

private:
    // Makes defaultID and element 0 of zones from the platform's offset.
    static void refreshDeviceZone();
};

} // namespace com::tarquel::velto::cldc::util
