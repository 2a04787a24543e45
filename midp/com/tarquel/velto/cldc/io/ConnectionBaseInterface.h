#pragma once
// com.tarquel.velto.cldc.io.ConnectionBaseInterface: what Connector calls on
// a new connection object to open its URL.

#include "javax/microedition/io/Connection.h"

namespace java::lang { class String; }

namespace com::tarquel::velto::cldc::io {

class ConnectionBaseInterface : public virtual java::lang::Object {
    VM_INTERFACE(ConnectionBaseInterface)

    // Opens name (the whole URL); returns the object itself.
    virtual VMPtr<javax::microedition::io::Connection> openUrl(VMPtr<java::lang::String> name,
                                                               int32_t mode, bool timeouts) = 0;
};

} // namespace com::tarquel::velto::cldc::io
