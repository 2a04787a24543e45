#pragma once
// The class registry: every class, interface and array type by dotted name,
// with lookups, superclass resolution, assignability and instanceof. One per
// process, built on first use on the VM heap; descriptors are never removed.

#include <cstdint>

#include "vm/VMHashtable.h"

class VMCString;
namespace java::lang { class Class; class Object; }

struct VMClassRegistry {
    VMHashtable classes;                       // dotted name -> Class*
    java::lang::Class* objectClass = nullptr;  // cached "java.lang.Object"
    uint8_t sealed = 0;                        // all registrations done
};

VMClassRegistry* _VM_getClassRegistry();

// Fatal for the invalid-array name and for a name already present.
void _VM_registerClass(VMClassRegistry* registry, const char* name, java::lang::Class* cls);
// The descriptor registered under name, or null.
java::lang::Class* _VM_findClass(VMClassRegistry* registry, const char* name);
java::lang::Class* _VM_getObjectClass(VMClassRegistry* registry);
// The base class; a miss before sealing is not cached.
java::lang::Class* _VM_getSuperclass(VMClassRegistry* registry, java::lang::Class* cls);
void _VM_sealClassRegistry(VMClassRegistry* registry);

// Adds a declared interface to cls; nothing for a null name; a name that is
// not registered is fatal.
void _VM_registerInterface(java::lang::Class* cls, const char* interfaceName);
bool _VM_implementsInterface(VMClassRegistry* registry, java::lang::Class* cls,
                             java::lang::Class* interface);
bool _VM_isAssignableFrom(VMClassRegistry* registry, java::lang::Class* source,
                          java::lang::Class* target);
// False for null.
bool _VM_isInstanceOf(VMClassRegistry* registry, java::lang::Object* object,
                      java::lang::Class* cls);
// The name of the array class of dimensions over element: "[" per missing
// dimension, then "L" name ";" for a plain class or the array class's name.
void _VM_buildTypeDescriptor(VMClassRegistry* registry, VMCString* out,
                             java::lang::Class* element, int32_t dimensions);

// Runs the static initialisers of cls and its bases (the body of
// _VM_initializeClass, without the wrapping of failures).
void _VM_runClassInitializer(VMClassRegistry* registry, java::lang::Class* cls);

// Boot steps over the start-up lists, in list order.
void _VM_runClassRegistrars();
void _VM_applyInterfaceRecords();
void _VM_applyEntryPointRecords();
