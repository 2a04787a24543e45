#include "com/tarquel/velto/vm/Finalizer.h"

#include "java/lang/InterruptedException.h"
#include "vm/VMInstance.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"
#include "vm/VMThread.h"

using java::lang::Object;

namespace com::tarquel::velto::vm {

namespace {

// A yield after this many objects visited without a finalization.
constexpr uint32_t kVisitsPerYield = 16;

bool awaitsFinalization(const Object* o)
{
    return (o->flags & Object::FINALIZATION_PENDING) && !(o->flags & Object::MARKED);
}

// Runs o's finalize; false when an interrupt asks the pass to end. Other
// exceptions of finalize are ignored.
bool runFinalize(Object* o)
{
    try {
        o->finalize();
    } catch (java::lang::InterruptedException* caught) {
        VMPtr<java::lang::InterruptedException> interrupted(caught);
        return false;
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> ignored(caught);
    }
    return true;
}

} // namespace

VMPtr<Finalizer> Finalizer::init()
{
    Thread::init(_VM_literal("Finalizer"));
    return VMPtr<Finalizer>(this);
}

void Finalizer::pause()
{
    idle = 1;
}

void Finalizer::wake()
{
    VMSynchronized guard(this);
    idle = 0;
    notify();
}

void Finalizer::stop()
{
    VMSynchronized guard(this);
    stopRequested = 1;
    notify();
}

void Finalizer::run()
{
    try {
        while (!stopRequested) {
            finalizeAll();
            idle = 1;
            VMSynchronized guard(this);
            while (idle && !stopRequested)
                wait();
        }
    } catch (java::lang::InterruptedException* caught) {
        VMPtr<java::lang::InterruptedException> interrupted(caught);
        stopRequested = 1;
    }
}

// The object being looked at is held by a reference, so that it stays in the
// list (and its successor link stays valid) across finalize and yields.
void Finalizer::finalizeAll()
{
    VMInstance* vm = _VM_instance;
    VMPtr<Object> at;
    uint32_t passCollections = 0;
    uint32_t visits = 0;
    auto restart = [&] {
        at = vm->objectList;
        passCollections = vm->collectionCounter;
        visits = 0;
    };
    restart();
    while (at) {
        if (awaitsFinalization(at.get())) {
            at->flags = (at->flags & ~Object::FINALIZATION_PENDING) | Object::FINALIZED;
            uint32_t collections = vm->collectionCounter;
            if (!runFinalize(at.get()))
                return;
            if (vm->collectionCounter != collections) {
                // The list may have changed: start again from its head.
                restart();
                continue;
            }
            visits = kVisitsPerYield - 1;
        }
        if (++visits % kVisitsPerYield == 0) {
            VMThread::yield();
            if (stopRequested || idle)
                return;
        }
        at = at->objNext;
        // A collection in one of the yields may have left objects awaiting
        // finalization behind the pass; its wake came while the pass ran.
        if (!at && vm->collectionCounter != passCollections && vm->finalizableObjectsSeen)
            restart();
    }
}

} // namespace com::tarquel::velto::vm

VM_REGISTER_CLASS(com::tarquel::velto::vm::Finalizer, "com.tarquel.velto.vm.Finalizer",
                  "java.lang.Thread", "target/winmo/pb_src/vm/VMFinalizer", nullptr);
