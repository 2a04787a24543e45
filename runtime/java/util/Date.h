#pragma once
// java.util.Date: an instant kept in a calendar of its own (the calendar's
// time), so that toString can name the date in the default zone.

#include <cstdint>

#include "java/util/Calendar.h"

namespace java::util {


class Date : public virtual java::lang::Object {
    VM_CLASS(Date, java::lang::Object)

    // The current time.
    VMPtr<Date> init();
    VMPtr<Date> init(int64_t millis);

    virtual int64_t getTime();
    virtual void setTime(int64_t millis);

    // The high 32 bits of the time XOR its low 32 bits.
    int32_t hashCode() override;
    bool equals(VMPtr<java::lang::Object> other) override;
    // "Wed Dec 09 08:12:10 UTC+00:00 2026".
    VMPtr<java::lang::String> toString() override;

    VMField<Calendar> calendar;

    VM_FIELDS(calendar)
};

} // namespace java::util
