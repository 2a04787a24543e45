// Class initialisation: a class's static initialiser runs once, on the first
// static use, after its base class's, with the JVM's locking, recursion and
// failure rules over the descriptor's state word and initialising thread.
//
// The state changes happen under the descriptor's monitor; a thread that
// finds another thread's initialisation in progress waits on that monitor.
// The initialiser itself runs outside it.

#include "java/lang/Class.h"
#include "java/lang/Error.h"
#include "java/lang/ExceptionInInitializerError.h"
#include "java/lang/InterruptedException.h"
#include "java/lang/NoClassDefFoundError.h"
#include "java/lang/String.h"
#include "vm/VMClassRegistry.h"
#include "vm/VMException.h"
#include "vm/VMSynchronized.h"
#include "vm/VMThread.h"

using java::lang::Class;

namespace {

// The initialiser ended: the class takes its final state and waiters resume.
void finish(Class* cls, Class::State state)
{
    VMSynchronized guard(cls);
    cls->state = state;
    cls->initializingThread = nullptr;
    cls->notifyAll();
}

// An exception other than a class-library one left this thread's
// initialiser: the class fails.
void failIfStillInProgress(Class* cls)
{
    if (cls->initializingThread == VMThread::current() && cls->state == Class::IN_PROGRESS)
        finish(cls, Class::ERRONEOUS);
}

// Waits (holding the monitor) until no other thread initialises cls. An
// interrupt does not end the wait, which must not fail the class: it stays
// pending for the thread's next sleep or wait.
void waitForOtherInitializer(Class* cls, VMThread* me)
{
    bool interrupted = false;
    while (cls->initializingThread && cls->initializingThread != me) {
        try {
            cls->wait();
        } catch (java::lang::InterruptedException* caught) {
            VMPtr<java::lang::InterruptedException> ignored(caught);
            interrupted = true;
        }
    }
    if (interrupted && me)
        me->interrupted = 1;
}

} // namespace

// Runs the initialiser of cls and of its base class, unless another request
// on this thread is already running it.
void _VM_runClassInitializer(VMClassRegistry* registry, Class* cls)
{
    VMThread* me = VMThread::current();
    {
        VMSynchronized guard(cls);
        waitForOtherInitializer(cls, me);
        if (cls->state == Class::IN_PROGRESS && cls->initializingThread == me)
            return;
        if (cls->state == Class::INITIALIZED)
            return;
        if (cls->state == Class::ERRONEOUS)
            vm_throwNew<java::lang::NoClassDefFoundError>(
                java::lang::String::newFromCString(cls->name));
        cls->state = Class::IN_PROGRESS;
        cls->initializingThread = me;
    }

    if (!cls->isInterface()) {
        Class* superclass = _VM_getSuperclass(registry, cls);
        if (superclass && superclass->state != Class::INITIALIZED)
            _VM_initializeClass(registry, superclass);
    }
    if (cls->staticInitializer)
        cls->staticInitializer();

    finish(cls, Class::INITIALIZED);
}

void _VM_initializeClass(VMClassRegistry* registry, Class* cls)
{
    if (cls->state == Class::ERRONEOUS)
        vm_throwNew<java::lang::NoClassDefFoundError>();
    if (cls->state == Class::INITIALIZED)
        return;
    try {
        _VM_runClassInitializer(registry, cls);
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> failure(caught);
        if (!dynamic_cast<java::lang::Error*>(failure.get())) {
            VMPtr<java::lang::ExceptionInInitializerError> wrapper =
                java::lang::ExceptionInInitializerError::newInstance();
            wrapper->init(failure);
            failure = wrapper;
        }
        finish(cls, Class::ERRONEOUS);
        VM_THROW(failure);
    } catch (VMException* caught) {
        // Not a class-library exception (the exit unwinding): the class must
        // not stay in progress, or every later use would wait forever. The
        // object is held while finishing may yield.
        VMPtr<VMException> unwinding(caught);
        failIfStillInProgress(cls);
        VM_THROW(unwinding);
    } catch (...) {
        failIfStillInProgress(cls);
        throw;
    }
}
