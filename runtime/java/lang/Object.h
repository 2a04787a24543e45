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
    };

    Object();
    virtual ~Object();

    // Identity: the address of the Object part, truncated to 32 bits.
    virtual int32_t hashCode();
    virtual bool equals(VMPtr<Object> other);
    // Dotted class name, "@", lower-case hexadecimal hash code.
    virtual VMPtr<String> toString();
    virtual void finalize();
    // Marks every reference field with bits; classes with fields override it
    // and call their base's marking.
    virtual void markReferences(uint32_t bits);
    virtual Class* getClass();

    // The no-argument constructor body.
    VMPtr<Object> init();

    VM_CLASS_RECORD_()
    static VMPtr<Object> newInstance();

    // Objects live on the VM heap; a failed allocation throws OutOfMemoryError.
    static void* operator new(std::size_t size);
    static void operator delete(void* block);

    Object* objNext;
    Object* objPrev;
    VMThread* monitorOwner;
    int32_t monitorCount;
    HALLock* monitorLock;
    uint32_t flags;
};

} // namespace java::lang

// Ends construction: the object may now be collected when unreachable.
inline void _VM_endConstruction(java::lang::Object* object)
{
    object->flags &= ~java::lang::Object::UNDER_CONSTRUCTION;
}

// Marks an object and, on its first visit in this collection, its fields.
inline void _VM_mark(java::lang::Object* object, uint32_t bits)
{
    if (!(object->flags & java::lang::Object::VISITED)) {
        object->flags |= bits;
        object->markReferences(bits);
    }
}

// Marks the target of a field, if any.
template<class T>
inline void _VM_markField(const VMPtr<T>& field, uint32_t bits)
{
    if (T* target = field.get())
        _VM_mark(target, bits);
}

// The creation of a plain object.
VMPtr<java::lang::Object> _VM_newObject();

// Class completes the Object part's inline members (class records' state).
#include "java/lang/Class.h"
