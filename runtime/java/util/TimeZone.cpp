#include "java/util/TimeZone.h"

#include "com/tarquel/velto/cldc/util/TimeZonePimpl.h"
#include "java/lang/NullPointerException.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

namespace java::util {

using com::tarquel::velto::cldc::util::TimeZonePimpl;

VMPtr<TimeZone> TimeZone::init()
{
    Object::init();
    return VMPtr<TimeZone>(this);
}

VMPtr<java::lang::String> TimeZone::getID()
{
    return nullptr;
}

VMPtr<TimeZone> TimeZone::getDefault()
{
    _VM_clinit();
    VMSynchronized guard(classRecord());
    TimeZonePimpl::_VM_clinit();
    return TimeZonePimpl::getTimeZone(nullptr);
}

VMPtr<TimeZone> TimeZone::getTimeZone(VMPtr<java::lang::String> ID)
{
    _VM_clinit();
    VMSynchronized guard(classRecord());
    vm_nonNull(ID);
    TimeZonePimpl::_VM_clinit();
    if (VMPtr<TimeZone> zone = TimeZonePimpl::getTimeZone(ID))
        return zone;
    if (VMPtr<TimeZone> zone = TimeZonePimpl::getCustomTimeZone(ID))
        return zone;
    return TimeZonePimpl::getTimeZone(_VM_literal("GMT"));
}

} // namespace java::util

VM_REGISTER_ABSTRACT_CLASS(java::util::TimeZone, "java.util.TimeZone", "java.lang.Object",
                           "target/winmo/pb_src/j2me/java_util_TimeZone", nullptr);
