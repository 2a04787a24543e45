#pragma once
// The VM instance: the one process-wide record of the runtime.

#include <cstdint>

#include "com/tarquel/velto/vm/Finalizer.h"
#include "java/lang/Thread.h"
#include "vm/VMList.h"

class VMThread;
namespace java::lang { class Object; }

struct VMInstance {
    VMThread* currentThread = nullptr;  // the thread that holds the VM
    uint8_t exitRequested = 0;          // set by the VM's exit listener
    uint8_t reserved = 0;
    int32_t bootPhase = 0;              // collections run from phase 12 on
    uint8_t finalizerNotStarted = 0;    // cleared when a collection starts it
    uint8_t finalizableObjectsSeen = 0; // set by a collection that found some
    uint32_t collectionCounter = 0;
    java::lang::Object* objectList = nullptr; // all objects, newest first
    VMList threadList;                  // every VMThread, newest first
    VMNative<java::lang::Thread> systemThread;  // "System", the UI thread's object
    VMThread* uiThread = nullptr;
    VMNative<com::tarquel::velto::vm::Finalizer> finalizer;
};

// The process-wide pointer to the instance; null before _VM_create.
extern VMInstance* _VM_instance;
