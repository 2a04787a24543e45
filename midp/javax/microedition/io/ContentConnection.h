#pragma once
// javax.microedition.io.ContentConnection: a stream connection with a typed
// content.

#include "javax/microedition/io/StreamConnection.h"

namespace java::lang { class String; }

namespace javax::microedition::io {

class ContentConnection : public virtual StreamConnection {
    VM_INTERFACE(ContentConnection)

    virtual VMPtr<java::lang::String> getType() = 0;
    virtual VMPtr<java::lang::String> getEncoding() = 0;
    virtual int64_t getLength() = 0;
};

} // namespace javax::microedition::io
