#include "javax/microedition/io/PushRegistry.h"

#include "javax/microedition/io/ConnectionNotFoundException.h"
#include "vm/VMStringLiterals.h"

namespace javax::microedition::io {

int64_t PushRegistry::registerAlarm(VMPtr<java::lang::String>, int64_t)
{
    vm_throwNew<ConnectionNotFoundException>(_VM_literal("not supported"));
}

} // namespace javax::microedition::io

VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::io::PushRegistry,
                             "javax.microedition.io.PushRegistry", "java.lang.Object",
                             "target/winmo/pb_src/j2me/javax_microedition_io_PushRegistry", nullptr);
