#include "vm/VMCollector.h"

#include <cstdio>
#include <cstring>

#include "com/tarquel/velto/vm/Finalizer.h"
#include "hal/memory.h"
#include "java/lang/Object.h"
#include "vm/VMBoot.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMThread.h"

using java::lang::Object;

namespace {

constexpr uint32_t kReachable = Object::MARKED | Object::VISITED;

bool collecting = false;

// ---- Mark stack -----------------------------------------------------------------
// Objects marked but not yet traced. When it is full, an object is flagged
// SCAN_PENDING instead and found again by a walk of the object list, so
// marking needs neither recursion nor allocation. The stack is zero-filled
// static storage: its pages are only touched as deep as marking goes.

constexpr uint32_t kMarkStackCapacity = 1u << 16;
// How deep marking traces directly before it queues.
constexpr int32_t kDirectDepth = 16;
Object* markStack[kMarkStackCapacity];
bool markOverflowed = false;

// Traces one object's fields with the bits it was marked with.
inline void traceObject(Object* object)
{
    object->markReferences(object->flags & kReachable);
}

void drainMarkStack()
{
    while (_VM_markStack.top != markStack)
        traceObject(*--_VM_markStack.top);
}

// Traces until every marked object's fields are marked.
void traceMarked()
{
    struct Tracing {
        Tracing()
        {
            _VM_markStack.limit = markStack + kMarkStackCapacity;
            _VM_markStack.depthLeft = kDirectDepth;
        }
        ~Tracing()
        {
            _VM_markStack.top = markStack;
            _VM_markStack.limit = nullptr;
            _VM_markStack.depthLeft = 0;
        }
    } scope;
    drainMarkStack();
    while (markOverflowed) {
        markOverflowed = false;
        for (Object* o = _VM_instance->objectList; o; o = o->objNext) {
            if (o->flags & Object::SCAN_PENDING) {
                o->flags &= ~Object::SCAN_PENDING;
                traceObject(o);
                drainMarkStack();
            }
        }
    }
}

// How many objects must survive without being reachable.
struct Census {
    uint32_t finalizable = 0;
    uint32_t underConstruction = 0;
};

// ---- Mark ---------------------------------------------------------------------

// Clears last collection's marks and counts the objects that survive
// regardless of reachability.
Census clearMarks(VMInstance* vm)
{
    Census census;
    for (Object* o = vm->objectList; o; o = o->objNext) {
        o->flags &= ~(kReachable | Object::SCAN_PENDING);
        if (o->flags & Object::FINALIZATION_PENDING)
            ++census.finalizable;
        if (o->flags & Object::UNDER_CONSTRUCTION)
            ++census.underConstruction;
    }
    return census;
}

// Marks everything reachable from the native, static and stack roots.
void markRoots(VMInstance* vm)
{
    _VM_nativeScope.roots().markAll(kReachable);
    _VM_staticScope.roots().markAll(kReachable);
    for (VMListNode* node = VMList_first(&vm->threadList); node; node = VMList_next(node))
        static_cast<VMThread*>(VMList_value(node))->stackScope.markAll(kReachable);
}

// Keeps unreachable objects that await finalization or are being built,
// with what they reach, without marking them reachable.
void keepPendingObjects(VMInstance* vm, const Census& census)
{
    if (census.finalizable == 0 && census.underConstruction == 0)
        return;
    if (census.finalizable > 0)
        vm->finalizableObjectsSeen = 1;
    constexpr uint32_t kKept = Object::FINALIZATION_PENDING | Object::UNDER_CONSTRUCTION;
    for (Object* o = vm->objectList; o; o = o->objNext) {
        if (!(o->flags & Object::MARKED) && (o->flags & kKept))
            _VM_mark(o, Object::VISITED);
    }
}

#ifndef NDEBUG
// Checks that marking traced every field of every live object: a field that a
// class forgot to list in VM_FIELDS kept its old stamp. A field is found in
// the object's block by its scope word (a reference is four words: vtable,
// link, scope, target; a field's link word holds its stamp).
void checkFieldsTraced(VMInstance* vm)
{
    constexpr uint32_t kWord = sizeof(uintptr_t);
    static_assert(sizeof(VMRef) == 4 * kWord, "a reference is four words");
    const uintptr_t instanceScope = reinterpret_cast<uintptr_t>(&_VM_instanceScope);
    for (Object* o = vm->objectList; o; o = o->objNext) {
        // Objects being built may hold fields not yet made.
        if (!(o->flags & Object::VISITED) || (o->flags & Object::UNDER_CONSTRUCTION))
            continue;
        const auto* start = static_cast<const unsigned char*>(dynamic_cast<const void*>(o));
        uint32_t size = _VM_blockSize(start);
        for (uint32_t at = 0; at + 4 * kWord <= size; at += kWord) {
            uintptr_t words[4];
            std::memcpy(words, start + at, sizeof words);
            if (words[2] != instanceScope || words[1] == _VM_markStamp)
                continue;
            char message[256];
            std::snprintf(message, sizeof message,
                          "Field at offset %u of a live %s was not traced: list it in VM_FIELDS",
                          at, o->getClass()->name);
            _VM_glueError(message);
        }
    }
}
#endif

// ---- Sweep --------------------------------------------------------------------

// Destroys every object that was neither reached nor kept.
void sweepObjects(VMInstance* vm)
{
    Object* next = nullptr;
    for (Object* o = vm->objectList; o; o = next) {
        next = o->objNext;
        if (!(o->flags & Object::VISITED))
            delete o;
    }
}

// Deletes thread records that no Thread object owns and whose thread is
// neither running nor blocked; clears every record's out-of-memory report.
void sweepThreadRecords(VMInstance* vm)
{
    bool deleted = true;
    while (deleted) {
        deleted = false;
        for (VMListNode* node = VMList_first(&vm->threadList); node; node = VMList_next(node)) {
            auto* thread = static_cast<VMThread*>(VMList_value(node));
            thread->reportingOutOfMemory = 0;
            if (!thread->threadObject && !thread->isAlive()) {
                delete thread;
                deleted = true;
                break;
            }
        }
    }
}

// Wakes the finalizer for the objects left awaiting finalization; the
// first time, starts it. Then lets it run.
void runFinalizer(VMInstance* vm)
{
    if (!vm->finalizer)
        return;
    vm->finalizer->wake();
    if (vm->finalizerNotStarted) {
        vm->finalizerNotStarted = 0;
        vm->finalizer->start();
    }
    VMThread::yield();
}

} // namespace

uintptr_t _VM_markStamp = 0;

VMMarkStack _VM_markStack = {markStack, nullptr, 0};

void _VM_pushMarkSlow(Object* object)
{
    if (_VM_markStack.limit) {
        object->flags |= Object::SCAN_PENDING;
        markOverflowed = true;
        return;
    }
    *_VM_markStack.top++ = object;
    traceMarked();
}

void _VM_runCollector(VMInstance* vm)
{
    if (!vm || vm->bootPhase < VM_PHASE_FIRST_COLLECTION || collecting)
        return;
    collecting = true;
    bool yieldWasDisabled = VMThread::isYieldDisabled();
    VMThread::disableYield();
    vm->finalizableObjectsSeen = 0;
    ++_VM_markStamp;

    Census census = clearMarks(vm);
    markRoots(vm);
    keepPendingObjects(vm, census);
#ifndef NDEBUG
    checkFieldsTraced(vm);
#endif

    _VM_weakScope.roots().clearUnmarked();
    sweepObjects(vm);
    sweepThreadRecords(vm);

    HAL_compactHeap();
    ++vm->collectionCounter;
    if (!yieldWasDisabled)
        VMThread::enableYield();
    collecting = false;

    // Waking takes the finalizer's monitor, which may have to yield.
    if (vm->finalizableObjectsSeen)
        runFinalizer(vm);
}
