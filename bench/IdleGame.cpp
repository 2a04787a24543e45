#include "IdleGame.h"

// Registered once for every benchmark: a name registered twice stops the VM.
VM_REGISTER_CLASS_NO_CREATOR(bench::IdleMIDlet, "bench.IdleMIDlet",
                             "javax.microedition.midlet.MIDlet", "bench", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(bench::IdleCanvas, "bench.IdleCanvas", "tq.TqCanvas", "bench",
                             nullptr);
