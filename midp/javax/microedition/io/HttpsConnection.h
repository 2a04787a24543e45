#pragma once
// javax.microedition.io.HttpsConnection: an HttpConnection over a secure channel.

#include "javax/microedition/io/HttpConnection.h"
#include "javax/microedition/io/SecurityInfo.h"

namespace javax::microedition::io {

class HttpsConnection : public virtual HttpConnection {
    VM_INTERFACE(HttpsConnection)

    virtual VMPtr<SecurityInfo> getSecurityInfo() = 0;
};

} // namespace javax::microedition::io
