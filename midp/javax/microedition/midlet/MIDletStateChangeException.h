#pragma once
// javax.microedition.midlet.MIDletStateChangeException: a MIDlet's refusal of
// a state change; the application manager drops it on exit.

#include "java/lang/Exception.h"

namespace javax::microedition::midlet {

class MIDletStateChangeException : public java::lang::Exception {
    VM_EXCEPTION(MIDletStateChangeException, java::lang::Exception)
};

} // namespace javax::microedition::midlet
