// Class initialisation: a class's static initialiser runs once, on the first
// static use, after its base class's, with the JVM's locking, recursion and
// failure rules over the descriptor's state word and initialising thread.
//
// Waiting for another thread's initialiser yields the VM until that thread
// has finished; the descriptor's monitor is not used, since every step here
// runs under the VM lock and the initialiser itself runs outside it.

#include "java/lang/Class.h"
#include "java/lang/Error.h"
#include "java/lang/ExceptionInInitializerError.h"
#include "java/lang/NoClassDefFoundError.h"
#include "java/lang/String.h"
#include "vm/VMClassRegistry.h"
#include "vm/VMThread.h"

using java::lang::Class;

namespace {

// The initialiser failed: the class becomes erroneous and waiters resume.
void markErroneous(Class* cls)
{
    cls->state = Class::ERRONEOUS;
    cls->initializingThread = nullptr;
}

} // namespace

// Runs the initialiser of cls and of its base class, unless another request
// on this thread is already running it.
void _VM_runClassInitializer(VMClassRegistry* registry, Class* cls)
{
    VMThread* me = VMThread::current();
    while (cls->initializingThread && cls->initializingThread != me)
        VMThread::yield();
    if (cls->state == Class::IN_PROGRESS && cls->initializingThread == me)
        return;
    if (cls->state == Class::INITIALIZED)
        return;
    if (cls->state == Class::ERRONEOUS)
        vm_throwNew<java::lang::NoClassDefFoundError>(java::lang::String::newFromCString(cls->name));

    cls->state = Class::IN_PROGRESS;
    cls->initializingThread = me;

    if (!cls->isInterface()) {
        Class* superclass = _VM_getSuperclass(registry, cls);
        if (superclass && superclass->state != Class::INITIALIZED)
            _VM_initializeClass(registry, superclass);
    }
    if (cls->staticInitializer)
        cls->staticInitializer();

    cls->state = Class::INITIALIZED;
    cls->initializingThread = nullptr;
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
        markErroneous(cls);
        if (!dynamic_cast<java::lang::Error*>(failure.get())) {
            VMPtr<java::lang::ExceptionInInitializerError> wrapper =
                java::lang::ExceptionInInitializerError::newInstance();
            wrapper->init(failure);
            failure = wrapper;
        }
        VM_THROW(failure);
    } catch (...) {
        // Not a class-library exception (the exit unwinding): the class must
        // not stay in progress, or every later use would wait forever.
        if (cls->initializingThread == VMThread::current() && cls->state == Class::IN_PROGRESS)
            markErroneous(cls);
        throw;
    }
}
