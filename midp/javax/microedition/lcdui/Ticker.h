#pragma once
// javax.microedition.lcdui.Ticker: the text of a displayable's ticker. It
// does not scroll on this platform.

#include "java/lang/String.h"

namespace javax::microedition::lcdui {

class Ticker : public virtual java::lang::Object {
    VM_CLASS(Ticker, java::lang::Object)

    // A null text throws NullPointerException.
    VMPtr<Ticker> init(VMPtr<java::lang::String> text);

    virtual VMPtr<java::lang::String> getString();
    virtual void setString(VMPtr<java::lang::String> text);

    VMField<java::lang::String> string;

    VM_FIELDS(string)
};

} // namespace javax::microedition::lcdui
