#pragma once
// java.lang.Object: the root of every class, a virtual base placed at the end
// of each object so that one object has exactly one Object part.
//
// The Object part carries what the VM needs of every object:
//   objNext, objPrev  its place in the VM's list of all objects (newest first),
//                     walked by the collector;
//   monitorOwner, monitorCount, monitorLock
//                     the monitor: thin (owner and recursion count) until a
//                     second thread contends or the owner waits, then backed by
//                     a platform lock that stays with the object;
//   flags             collector and construction bits (below).
// A new Object part starts with flags MARKED | UNDER_CONSTRUCTION; the creator
// clears UNDER_CONSTRUCTION with _VM_endConstruction once the object is held by
// a reference.

#include <cstddef>
#include <cstdint>

#include "vm/VMClassGlue.h"
#include "vm/VMPtr.h"

class VMThread;
struct HALLock;

namespace java::lang {

class Class;
class String;

class Object {
public:
    enum Flags : uint32_t {
        MARKED = 0x01,               // reached from a root in this collection
        VISITED = 0x02,              // already traced in this collection
        FINALIZATION_PENDING = 0x04, // kept alive until finalize has run
        FINALIZED = 0x08,            // finalize has run
        UNDER_CONSTRUCTION = 0x10,   // kept alive while being built
        SCAN_PENDING = 0x20,         // marked while the mark stack was full
    };

    Object();
    virtual ~Object();

    // Identity: the address of the Object part, truncated to 32 bits.
    virtual int32_t hashCode();
    virtual bool equals(VMPtr<Object> other);
    // Dotted class name, "@", lower-case hexadecimal hash code.
    virtual VMPtr<String> toString();
    virtual void finalize();
    // Marks every reference field with bits; VM_FIELDS generates the
    // override, which marks the base's fields first.
    virtual void markReferences(uint32_t bits);
    virtual Class* getClass();

    // The no-argument constructor body.
    VMPtr<Object> init();

    // Monitor waits and wake-ups; the caller must own the monitor, else
    // IllegalMonitorStateException. wait(0) waits without limit; a negative
    // time throws IllegalArgumentException.
    void wait(int64_t timeout);
    void wait();
    void notify();
    void notifyAll();

    VM_CLASS_RECORD_(Object, Object)
    static VMPtr<Object> newInstance();

    // Objects live on the VM heap; a failed allocation throws OutOfMemoryError.
    static void* operator new(std::size_t size);
    static void operator delete(void* block);

private:
    void wait_(int64_t timeout);

public:
    Object* objNext;
    Object* objPrev;
    VMThread* monitorOwner;
    int32_t monitorCount;
    HALLock* monitorLock;
    uint32_t flags;
};

} // namespace java::lang

// The collector's marking state. An object newly marked is traced at once
// while the trace is less than a few objects deep (cheapest: its memory was
// just touched), else it is queued on the mark stack; so marking uses a
// bounded amount of C stack. Outside a trace (limit null), and when the stack
// is full, _VM_pushMarkSlow takes the object: it starts a trace, or flags the
// object for a rescan.
struct VMMarkStack {
    java::lang::Object** top;
    java::lang::Object** limit; // null while no trace is running
    int32_t depthLeft;          // direct traces still allowed below this one
};
extern VMMarkStack _VM_markStack;
void _VM_pushMarkSlow(java::lang::Object* object);
// The stamp _VM_markField leaves on each traced field: new in each collection.
extern uintptr_t _VM_markStamp;

// Ends construction: the object may now be collected when unreachable.
inline void _VM_endConstruction(java::lang::Object* object)
{
    object->flags &= ~java::lang::Object::UNDER_CONSTRUCTION;
}

// Marks an object and, on its first visit in this collection, traces its
// fields, at once or through the mark stack.
inline void _VM_mark(java::lang::Object* object, uint32_t bits)
{
    if (object->flags & java::lang::Object::VISITED)
        return;
    object->flags |= bits;
    if (_VM_markStack.depthLeft > 0) {
        --_VM_markStack.depthLeft;
        object->markReferences(bits);
        ++_VM_markStack.depthLeft;
    } else if (__builtin_expect(_VM_markStack.top < _VM_markStack.limit, 1)) {
        *_VM_markStack.top++ = object;
    } else {
        _VM_pushMarkSlow(object);
    }
}

// Marks the target of a field, if any, and stamps the field as traced.
template<class T>
inline void _VM_markField(VMField<T>& field, uint32_t bits)
{
    field.setVisitStamp(_VM_markStamp);
    if (T* target = field.get())
        _VM_mark(target, bits);
}

// Marks the targets of the fields that VM_FIELDS lists.
template<class... Fields>
inline void _VM_markFields(uint32_t bits, Fields&... fields)
{
    (_VM_markField(fields, bits), ...);
}

// The creation of a plain object.
VMPtr<java::lang::Object> _VM_newObject();

// Class completes the Object part's inline members (class records' state).
#include "java/lang/Class.h"
