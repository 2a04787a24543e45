#pragma once
// javax.microedition.io.Connection: the base of every connection.

#include "java/lang/Object.h"

namespace javax::microedition::io {

class Connection : public virtual java::lang::Object {
    VM_INTERFACE(Connection)

    virtual void close() = 0;
};

} // namespace javax::microedition::io
