#pragma once
// javax.microedition.io.SecurityInfo: what HttpsConnection.getSecurityInfo
// answers (always null here).

#include "java/lang/Object.h"

namespace javax::microedition::io {

class SecurityInfo : public virtual java::lang::Object {
    VM_INTERFACE(SecurityInfo)
};

} // namespace javax::microedition::io
