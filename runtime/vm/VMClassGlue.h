#pragma once
// The glue every class needs, in one place. There is one way to write a class:
//
//   // Widget.h
//   class Widget : public Control, public virtual Runnable {
//       VM_CLASS(Widget, Control)       // first in the body; Control is the C++
//                                       // base class (java::lang::Object for a
//                                       // root class)
//       VMPtr<Widget> init();
//       void run() override;
//
//       VMField<String> label;          // reference fields
//       VMField<Vector> children;
//       int32_t width;                  // every field starts zeroed
//       VM_STATIC(String, fallback);    // a static reference
//
//       VM_FIELDS(label, children)      // last in the body: traces the fields
//   };
//
//   // Widget.cpp
//   VM_REGISTER_CLASS(Widget, "a.b.Widget", "a.b.Control", "source/path", nullptr);
//   VM_IMPLEMENTS(Widget, "java.lang.Runnable");
//
// In the class body:
//   VM_CLASS(X, Base)           a concrete class: class record, getClass,
//                               class-initialisation check, newInstance
//   VM_ABSTRACT_CLASS(X, Base)  the same without newInstance
//   VM_INTERFACE(X)             an interface: class record and initialisation check
//   VM_THROWABLE(X, Base)       a concrete throwable: VM_CLASS plus the throw that
//                               keeps the most-derived type
//   Each records `using _VM_Base = Base;` and leaves the access public.
//   VM_FIELDS(a, b, ...)        every VMField of the class, once: generates
//                               markReferences, which marks the base's fields
//                               and then these. A class with no reference field
//                               of its own writes nothing. It leaves the access
//                               public, so write it last.
//   A class with unusual storage (raw references in a block, a container) writes
//   its own `void markReferences(uint32_t bits) override`, which calls
//   _VM_Base::markReferences(bits), then _VM_markField for each VMField and
//   _VM_mark for each other non-null reference.
//   Debug builds check after every collection's marking that each field of a
//   live object was traced; a forgotten one is a fatal error naming the class
//   and the field's offset.
//   VM_STATIC(T, name)          a static reference in the static scope, in a
//                               class body or a .cpp; made at static
//                               initialisation, never destroyed (safe at exit).
//                               A type with a comma goes through a `using`.
// In the class's .cpp, one registration line:
//   VM_REGISTER_CLASS(X, "dotted.Name", "dotted.Base", "source/path", staticInit)
//   VM_REGISTER_CLASS_NO_CREATOR(...)   no instance creator (no no-arg init)
//   VM_REGISTER_ABSTRACT_CLASS(...), VM_REGISTER_INTERFACE(X, name, path, init)
//   VM_IMPLEMENTS(X, "dotted.Interface")
// staticInit is the class's static initialiser, or nullptr for an empty one.
// The base name is checked at boot against the registered name of X::_VM_Base:
// a mismatch is a fatal error.
//
// Registration functions run at boot, in the order the registrars were added
// by the static initialisers of the program.

#include <cstdint>
#include <type_traits>

#include "vm/VMPtr.h"

class VMThread;
struct VMClassRegistry;
namespace java::lang { class Class; class Object; }

typedef void (*VMStaticInitializer)();
typedef VMPtr<java::lang::Object> (*VMInstanceCreator)();

// What a registration function gives the registry.
struct VMClassDefinition {
    const char* name;
    const char* superName;
    const char* sourcePath;
    VMStaticInitializer staticInitializer; // null: state starts initialised
    VMInstanceCreator creator;             // null: no instance creator
    bool isInterface;
    bool isAbstract;
};

// Allocates, constructs and registers a class descriptor.
java::lang::Class* _VM_defineClass(const VMClassDefinition& definition);
// The static initialiser of classes that have an empty one.
void _VM_emptyStaticInitializer();

VMClassRegistry* _VM_getClassRegistry();
void _VM_initializeClass(VMClassRegistry* registry, java::lang::Class* cls);

// The call-site rule: run class initialisation unless the class is initialised.
template<class C>
inline void _VM_ensureInitialized(C* cls)
{
    if (__builtin_expect(cls->state != 0, 0))
        _VM_initializeClass(_VM_getClassRegistry(), cls);
}

// Start-up lists, appended by static initialisers, walked at boot.
// classStatic and baseClassStatic are the class records of the class and of
// its C++ base, compared with the registered base name once all are made.
struct VMClassRegistrar {
    VMClassRegistrar(void (*registerClass)(), java::lang::Class** classStatic,
                     java::lang::Class** baseClassStatic);
    VMClassRegistrar* next = nullptr;
    void (*registerClass)();
    java::lang::Class** classStatic;
    java::lang::Class** baseClassStatic;
};

// Fatal unless the base name registered for cls is the name of base, the
// record of its C++ base class. Classes registered with no base name pass.
void _VM_checkRegisteredBase(java::lang::Class* cls, java::lang::Class* base);

struct VMInterfaceRecord {
    VMInterfaceRecord(java::lang::Class** classStatic, const char* interfaceName);
    VMInterfaceRecord* next = nullptr;
    java::lang::Class** classStatic;
    const char* interfaceName;
};

struct VMEntryPointRecord {
    VMEntryPointRecord(java::lang::Class** classStatic, void (*entryPoint)(intptr_t));
    VMEntryPointRecord* next = nullptr;
    java::lang::Class** classStatic;
    void (*entryPoint)(intptr_t);
};

template<class X>
VMPtr<java::lang::Object> _VM_createInstance()
{
    return X::newInstance()->init();
}

#define VM_CLASS_RECORD_(X, Base)                                                             \
public:                                                                                       \
    using _VM_Self = X;                                                                       \
    using _VM_Base = Base;                                                                    \
    static ::java::lang::Class* _VM_classStatic;                                              \
    static ::java::lang::Class* classRecord() { return _VM_classStatic; }                     \
    static void _VM_clinit() { _VM_ensureInitialized(_VM_classStatic); }

#define VM_ABSTRACT_CLASS(X, Base)                                                            \
    VM_CLASS_RECORD_(X, Base)                                                                 \
    ::java::lang::Class* getClass() override { return _VM_classStatic; }                      \
                                                                                              \
public:

#define VM_CLASS(X, Base)                                                                     \
    VM_ABSTRACT_CLASS(X, Base)                                                                \
    static VMPtr<X> newInstance()                                                             \
    {                                                                                         \
        _VM_clinit();                                                                         \
        VMPtr<X> object(new X());                                                             \
        _VM_endConstruction(object.get());                                                    \
        return object;                                                                        \
    }                                                                                         \
                                                                                              \
public:

#define VM_INTERFACE(X)                                                                       \
    VM_CLASS_RECORD_(X, ::java::lang::Object)                                                 \
                                                                                              \
public:

#define VM_THROWABLE(X, Base)                                                                 \
    VM_CLASS(X, Base)                                                                         \
    [[noreturn]] void _VM_throw() override { throw this; }                                    \
                                                                                              \
public:

#define VM_FIELDS(...)                                                                        \
public:                                                                                       \
    void markReferences(uint32_t bits) override                                               \
    {                                                                                         \
        _VM_Base::markReferences(bits);                                                       \
        _VM_markFields(bits, __VA_ARGS__);                                                    \
    }

#define VM_STATIC(T, name) static inline VMStatic<T>& name = *new VMStatic<T>()

#define VM_CAT2_(a, b) a##b
#define VM_CAT_(a, b) VM_CAT2_(a, b)

#define VM_REGISTER_(X, name, superName, path, init, creator, isInterface, isAbstract)        \
    static_assert(std::is_same_v<X::_VM_Self, X>, "the class body lacks its VM_CLASS line");  \
    static_assert(std::is_base_of_v<X::_VM_Base, X>, "the VM_CLASS base is not a base");      \
    ::java::lang::Class* X::_VM_classStatic = nullptr;                                        \
    static void VM_CAT_(_vm_register_, __LINE__)()                                            \
    {                                                                                         \
        VMStaticInitializer initializer = (init);                                             \
        X::_VM_classStatic = _VM_defineClass({name, superName, path,                          \
            initializer ? initializer : &_VM_emptyStaticInitializer, creator, isInterface,   \
            isAbstract});                                                                     \
    }                                                                                         \
    static VMClassRegistrar VM_CAT_(_vm_registrar_, __LINE__)(                                \
        &VM_CAT_(_vm_register_, __LINE__), &X::_VM_classStatic, &X::_VM_Base::_VM_classStatic)

#define VM_REGISTER_CLASS(X, name, superName, path, init)                                     \
    VM_REGISTER_(X, name, superName, path, init, &_VM_createInstance<X>, false, false)
#define VM_REGISTER_CLASS_NO_CREATOR(X, name, superName, path, init)                          \
    VM_REGISTER_(X, name, superName, path, init, nullptr, false, false)
#define VM_REGISTER_ABSTRACT_CLASS(X, name, superName, path, init)                            \
    VM_REGISTER_(X, name, superName, path, init, nullptr, false, true)
#define VM_REGISTER_INTERFACE(X, name, path, init)                                            \
    VM_REGISTER_(X, name, "", path, init, nullptr, true, true)
#define VM_IMPLEMENTS(X, interfaceName)                                                       \
    static VMInterfaceRecord VM_CAT_(_vm_interface_, __LINE__)(&X::_VM_classStatic, interfaceName)
#define VM_REGISTER_ENTRY_POINT(X, function)                                                  \
    static VMEntryPointRecord VM_CAT_(_vm_entry_, __LINE__)(&X::_VM_classStatic, function)
