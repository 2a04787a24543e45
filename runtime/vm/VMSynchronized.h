#pragma once
// Monitors: every object can serve as a monitor for synchronized code and for
// wait and notify. VMSynchronized holds an object's monitor for the length of
// a block, so an exception leaving the block releases it:
//
//   void Vector::addElement(VMPtr<Object> o)
//   {
//       VMSynchronized guard(this);
//       ...
//   }
//
// A static synchronized method holds the monitor of its class descriptor:
// VMSynchronized guard(X::classRecord()).

#include "java/lang/Object.h"

// Enters and leaves an object's monitor (re-entrant for its owner).
void _VM_lock(java::lang::Object* object);
void _VM_unlock(java::lang::Object* object);
// Gives the monitor its platform lock (held when the caller owns the
// monitor); nothing when it has one.
void _VM_inflateMonitor(java::lang::Object* object);
// True when the current thread owns the object's monitor.
bool _VM_holdsMonitor(java::lang::Object* object);

class VMSynchronized {
public:
    explicit VMSynchronized(java::lang::Object* object) : object_(object) { _VM_lock(object); }
    template<class T>
    explicit VMSynchronized(const VMPtr<T>& object) : VMSynchronized(object.objectPart())
    {
    }
    ~VMSynchronized() { _VM_unlock(object_.get()); }

    VMSynchronized(const VMSynchronized&) = delete;
    VMSynchronized& operator=(const VMSynchronized&) = delete;

private:
    VMPtr<java::lang::Object> object_; // keeps the object a root while held
};
