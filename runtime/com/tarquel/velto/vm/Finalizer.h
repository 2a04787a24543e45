#pragma once
// The thread that runs finalize for objects the collector left awaiting
// finalization. The VM start creates it, named "Finalizer"; the first
// collection that leaves such objects starts it, later ones wake it. It works
// in small steps and yields the VM often.

#include "java/lang/Thread.h"

namespace com::tarquel::velto::vm {

class Finalizer : public java::lang::Thread {
    VM_CLASS(Finalizer, java::lang::Thread)

    // The Thread constructor body with the name "Finalizer".
    VMPtr<Finalizer> init();

    // Ends a running pass at its next yield point.
    virtual void pause();
    // Starts a pass (under the object's monitor, so a wake is never lost).
    virtual void wake();
    // Ends the loop: at once while it waits, at the next yield point in a pass.
    virtual void stop();

    // Passes until stopped or interrupted, waiting on itself between them.
    void run() override;
    // One pass over the list of all objects: finalize for every object that
    // awaits finalization and was not reached by the last collection. It
    // starts again from the head after a collection that may have changed
    // the list or left such objects behind it.
    void finalizeAll();

    uint8_t idle = 0;
    uint8_t stopRequested = 0;
};

} // namespace com::tarquel::velto::vm
