#pragma once
// The VM instance: the one process-wide record of the runtime.

#include <cstdint>

#include "vm/VMList.h"

class VMThread;
namespace java::lang { class Object; }

struct VMInstance {
    VMThread* currentThread = nullptr;  // the thread that holds the VM
    uint8_t exitRequested = 0;
    uint8_t reserved = 0;
    int32_t bootPhase = 0;              // collections run from phase 12 on
    uint8_t finalizerNotStarted = 0;
    uint8_t finalizableObjectsSeen = 0;
    uint32_t collectionCounter = 0;
    java::lang::Object* objectList = nullptr; // all objects, newest first
    VMList threadList;                  // every VMThread, newest first
    VMThread* uiThread = nullptr;
};

// The process-wide pointer to the instance; null before _VM_create.
extern VMInstance* _VM_instance;
