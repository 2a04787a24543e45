#pragma once
// The native root of every throwable.
//
// An exception is thrown as a pointer to its object's own most-derived class,
// so a handler for that class, any of its bases, VMException,
// java::lang::Object or void catches it, also when it is rethrown from a
// reference typed as a base. A handler's first act is to wrap the caught
// pointer in a VMPtr, so the object is again a root for the collector:
//
//   try { ... }
//   catch (java::lang::RuntimeException* caught) {
//       VMPtr<java::lang::RuntimeException> e(caught);
//       ...
//       VM_THROW(e);   // rethrows as the most-derived class
//   }

#include <utility>

#include "java/lang/Object.h"

class VMException : public virtual java::lang::Object {
public:
    // Throws this object as a pointer to its most-derived class.
    [[noreturn]] virtual void _VM_throw() = 0;
};

namespace java::lang { class Throwable; }

// Prints the stack trace of an exception that escaped a thread, an event or
// the boot; an exception while printing is dropped.
void _VM_printUncaught(java::lang::Throwable* escaped);

// Throws the exception a reference or pointer holds.
#define VM_THROW(exception) ((exception)->_VM_throw())

// Creates X with one of its init forms and throws it.
template<class X, class... Args>
[[noreturn]] void vm_throwNew(Args&&... args)
{
    VMPtr<X> exception = X::newInstance();
    exception->init(std::forward<Args>(args)...);
    exception->_VM_throw();
    __builtin_unreachable(); // a virtual call does not carry [[noreturn]]
}
