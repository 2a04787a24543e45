#pragma once
// The glue every class needs, in one place.
//
// In the class body:
//   VM_CLASS(X)           a concrete class: class record, getClass,
//                         class-initialisation check, newInstance
//   VM_ABSTRACT_CLASS(X)  the same without newInstance
//   VM_INTERFACE(X)       an interface: class record and initialisation check
//   VM_THROWABLE(X)       a concrete throwable: VM_CLASS plus the throw that
//                         keeps the most-derived type
// In the class's .cpp, one registration line:
//   VM_REGISTER_CLASS(X, "dotted.Name", "dotted.Base", "source/path", staticInit)
//   VM_REGISTER_CLASS_NO_CREATOR(...)   no instance creator (no no-arg init)
//   VM_REGISTER_ABSTRACT_CLASS(...), VM_REGISTER_INTERFACE(X, name, path, init)
//   VM_IMPLEMENTS(X, "dotted.Interface")
// staticInit is the class's static initialiser, or nullptr for an empty one.
//
// Registration functions run at boot, in the order the registrars were added
// by the static initialisers of the program.

#include <cstdint>

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
struct VMClassRegistrar {
    explicit VMClassRegistrar(void (*registerClass)());
    VMClassRegistrar* next = nullptr;
    void (*registerClass)();
};

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

#define VM_CLASS_RECORD_()                                                                    \
public:                                                                                       \
    static ::java::lang::Class* _VM_classStatic;                                              \
    static ::java::lang::Class* classRecord() { return _VM_classStatic; }                     \
    static void _VM_clinit() { _VM_ensureInitialized(_VM_classStatic); }

#define VM_ABSTRACT_CLASS(X)                                                                  \
    VM_CLASS_RECORD_()                                                                        \
    ::java::lang::Class* getClass() override { return _VM_classStatic; }                      \
                                                                                              \
public:

#define VM_CLASS(X)                                                                           \
    VM_ABSTRACT_CLASS(X)                                                                      \
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
    VM_CLASS_RECORD_()                                                                        \
                                                                                              \
public:

#define VM_THROWABLE(X)                                                                       \
    VM_CLASS(X)                                                                               \
    [[noreturn]] void _VM_throw() override { throw this; }                                    \
                                                                                              \
public:

#define VM_CAT2_(a, b) a##b
#define VM_CAT_(a, b) VM_CAT2_(a, b)

#define VM_REGISTER_(X, name, superName, path, init, creator, isInterface, isAbstract)        \
    ::java::lang::Class* X::_VM_classStatic = nullptr;                                        \
    static void VM_CAT_(_vm_register_, __LINE__)()                                            \
    {                                                                                         \
        VMStaticInitializer initializer = (init);                                             \
        X::_VM_classStatic = _VM_defineClass({name, superName, path,                          \
            initializer ? initializer : &_VM_emptyStaticInitializer, creator, isInterface,   \
            isAbstract});                                                                     \
    }                                                                                         \
    static VMClassRegistrar VM_CAT_(_vm_registrar_, __LINE__)(&VM_CAT_(_vm_register_, __LINE__))

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
