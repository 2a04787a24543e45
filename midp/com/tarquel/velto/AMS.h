#pragma once
// com.tarquel.velto.AMS: the application manager and the runtime's boot
// class. Its entry point loads the MIDlet declared as "MIDlet-1" in the
// application properties and starts it; two event listeners then drive the
// MIDlet's life cycle: activation (event 2, priority 0, so the MIDlet is
// started before the display sees the event) and deactivation and exit
// (events 1 and 3, priority 2, after the display and the VM's exit hook).
// Static members only.

#include <cstdint>

#include "java/lang/String.h"
#include "javax/microedition/midlet/MIDlet.h"

namespace com::tarquel::velto {

class AMS : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(AMS, java::lang::Object)

    // The entry point: launches MIDlet 1; a missing declaration is fatal
    // ("Failed to load MIDlet!"). Exceptions of the launch leave it.
    static void main();
    static void main(VMPtr<VMArray<java::lang::String, 1>> args);
    // Reads "MIDlet-<n>" (name, icon, class), creates the class and starts
    // it; false when there is no such declaration.
    static bool launchMIDlet(int32_t n);
    // The application property, or null when absent.
    static VMPtr<java::lang::String> getAppProperty(VMPtr<java::lang::String> key);
    // An instance of the named class; InstantiationException "Class not a
    // MIDlet" when it is not one.
    static VMPtr<javax::microedition::midlet::MIDlet> createMIDlet(
        VMPtr<java::lang::String> className);

    static void onActivate(int32_t event, int32_t count, const intptr_t* words);
    static void onDeactivateOrExit(int32_t event, int32_t count, const intptr_t* words);

    static void staticInit();

    // The one MIDlet of the system; null until launched.
    VM_STATIC(javax::microedition::midlet::MIDlet, currentMIDlet);

private:
    // Moves the MIDlet to starting, runs startApp, then active.
    static void start(const VMPtr<javax::microedition::midlet::MIDlet>& midlet);
};

} // namespace com::tarquel::velto
