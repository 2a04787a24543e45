#pragma once
// javax.microedition.midlet.MIDlet: the application's base class. It keeps
// the life-cycle state that the application manager drives:
//
//   2 created -> 3 starting -> 1 active -> 4 pausing -> 0 paused -> 3 ...
//   any state but 6 -> 5 destroying -> 6 destroyed (final)
//
// setState accepts or refuses a transition by the rule in MIDlet.cpp.

#include <cstdint>

#include "java/lang/String.h"

namespace javax::microedition::midlet {

class MIDlet : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(MIDlet, java::lang::Object)

    enum State : int32_t {
        PAUSED = 0,
        ACTIVE = 1,
        CREATED = 2,
        STARTING = 3,
        PAUSING = 4,
        DESTROYING = 5,
        DESTROYED = 6,
    };

    // The constructor body subclasses run: state 2.
    VMPtr<MIDlet> init();

    virtual void startApp() = 0;
    virtual void pauseApp() = 0;
    virtual void destroyApp(bool unconditional) = 0;

    // Stores the new state when the rule allows it; false changes nothing.
    bool setState(int32_t next);
    // State 6 without destroyApp, then asks the platform to exit.
    void notifyDestroyed();
    // Hands the URL to the platform (opened when the application ends);
    // true: the MIDlet must exit first. Null throws NullPointerException, a
    // URL the platform cannot take ConnectionNotFoundException.
    bool platformRequest(VMPtr<java::lang::String> url);

    int32_t state = CREATED;
};

} // namespace javax::microedition::midlet
