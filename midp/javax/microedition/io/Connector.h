#pragma once
// javax.microedition.io.Connector: opens a connection by URL. The scheme
// (with '-' as '_') names the class "<protocolpath>.<scheme>.Protocol", which
// is created by name and opens the URL itself.

#include "javax/microedition/io/Connection.h"

#include "java/lang/String.h"

namespace javax::microedition::io {

class Connector : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(Connector, java::lang::Object)

    static constexpr int32_t READ = 1, WRITE = 2, READ_WRITE = 3;

    // IllegalArgumentException for a null URL or one without a scheme,
    // ConnectionNotFoundException when no class serves the scheme, IOException
    // when the class is no connection class; what the connection's openUrl
    // throws passes through. mode and timeouts go to openUrl unchecked.
    static VMPtr<Connection> open(VMPtr<java::lang::String> name, int32_t mode, bool timeouts);
    static VMPtr<Connection> open(VMPtr<java::lang::String> name, int32_t mode);
    static VMPtr<Connection> open(VMPtr<java::lang::String> name);

    // The package of the protocol classes, without a trailing '.'.
    VM_STATIC(java::lang::String, protocolpath);
};

} // namespace javax::microedition::io
