#include "vm/VMClassRegistry.h"

#include <cstring>
#include <new>

#include "java/lang/Class.h"
#include "vm/VMBoot.h"
#include "vm/VMCString.h"
#include "vm/VMHeap.h"

using java::lang::Class;

namespace {

constexpr const char* kObjectName = "java.lang.Object";

VMClassRegistry* registryInstance = nullptr;

bool isObjectClass(const Class* cls)
{
    return std::strcmp(cls->name, kObjectName) == 0;
}

// ---- Start-up lists -------------------------------------------------------
// Appended by static initialisers of every translation unit: plain
// zero-initialised words, so they are ready before any initialiser runs.

template<class Node>
struct StartupList {
    Node* first;
    Node* last;

    void append(Node* node)
    {
        node->next = nullptr;
        if (last)
            last->next = node;
        else
            first = node;
        last = node;
    }
};

constinit StartupList<VMClassRegistrar> classRegistrars{};
constinit StartupList<VMInterfaceRecord> interfaceRecords{};
constinit StartupList<VMEntryPointRecord> entryPointRecords{};

} // namespace

VMClassRegistrar::VMClassRegistrar(void (*registerClass)(), Class** classStatic,
                                   Class** baseClassStatic)
    : registerClass(registerClass), classStatic(classStatic), baseClassStatic(baseClassStatic)
{
    classRegistrars.append(this);
}

VMInterfaceRecord::VMInterfaceRecord(Class** classStatic, const char* interfaceName)
    : classStatic(classStatic), interfaceName(interfaceName)
{
    interfaceRecords.append(this);
}

VMEntryPointRecord::VMEntryPointRecord(Class** classStatic, void (*entryPoint)(intptr_t))
    : classStatic(classStatic), entryPoint(entryPoint)
{
    entryPointRecords.append(this);
}

void _VM_checkRegisteredBase(Class* cls, Class* base)
{
    if (!cls->superName[0])
        return;
    if (base && std::strcmp(base->name, cls->superName) == 0)
        return;
    VMCString message("Class ");
    message.append(cls->name);
    message.append(" is registered with base ");
    message.append(cls->superName);
    message.append(" but its C++ base is ");
    message.append(base ? base->name : "not registered");
    _VM_glueError(message.text());
}

void _VM_runClassRegistrars()
{
    for (VMClassRegistrar* node = classRegistrars.first; node; node = node->next)
        node->registerClass();
    for (VMClassRegistrar* node = classRegistrars.first; node; node = node->next)
        _VM_checkRegisteredBase(*node->classStatic, *node->baseClassStatic);
}

void _VM_applyInterfaceRecords()
{
    for (VMInterfaceRecord* node = interfaceRecords.first; node; node = node->next) {
        if (*node->classStatic)
            _VM_registerInterface(*node->classStatic, node->interfaceName);
    }
}

void _VM_applyEntryPointRecords()
{
    for (VMEntryPointRecord* node = entryPointRecords.first; node; node = node->next) {
        if (*node->classStatic)
            (*node->classStatic)->entryPoint = node->entryPoint;
    }
}

// ---- Descriptors ------------------------------------------------------------

void _VM_emptyStaticInitializer() {}

Class* _VM_defineClass(const VMClassDefinition& d)
{
    VMPtr<Class> cls(new Class(d.name, d.superName, d.sourcePath, d.staticInitializer, d.creator,
                               d.isInterface, d.isAbstract, 0, 0, nullptr));
    return cls.get();
}

// ---- Registry ---------------------------------------------------------------

VMClassRegistry* _VM_getClassRegistry()
{
    if (!registryInstance) {
        void* block = _VM_new(sizeof(VMClassRegistry));
        VMClassRegistry* registry = new (block) VMClassRegistry();
        try {
            VMHashtable_construct(&registry->classes);
        } catch (...) {
            _VM_free(block);
            throw;
        }
        registryInstance = registry;
    }
    return registryInstance;
}

void _VM_registerClass(VMClassRegistry* registry, const char* name, Class* cls)
{
    if (std::strcmp(name, "_VM_bad_array") == 0)
        _VM_fatalError("Attempt to use invalid type with a java array!");
    if (VMHashtable_get(&registry->classes, name))
        _VM_fatalError("Duplicate class detected!");
    VMHashtable_put(&registry->classes, name, cls);
}

Class* _VM_findClass(VMClassRegistry* registry, const char* name)
{
    void* value = nullptr;
    if (!name || !VMHashtable_get(&registry->classes, name, &value))
        return nullptr;
    return static_cast<Class*>(value);
}

Class* _VM_getObjectClass(VMClassRegistry* registry)
{
    if (!registry->objectClass)
        registry->objectClass = _VM_findClass(registry, kObjectName);
    return registry->objectClass;
}

Class* _VM_getSuperclass(VMClassRegistry* registry, Class* cls)
{
    if (registry->sealed && cls->superclassResolved)
        return cls->superclass;
    Class* superclass = _VM_findClass(registry, cls->superName);
    if (!superclass && !registry->sealed)
        return nullptr;
    cls->superclass = superclass;
    cls->superclassResolved = 1;
    return superclass;
}

void _VM_sealClassRegistry(VMClassRegistry* registry)
{
    registry->sealed = 1;
}

void _VM_registerInterface(Class* cls, const char* interfaceName)
{
    if (!interfaceName)
        return;
    Class* interface = _VM_findClass(_VM_getClassRegistry(), interfaceName);
    if (!interface)
        _VM_fatalError("Class for interface not found in _VM_registerInterface()!");
    VMList_append(&cls->interfaces, interface);
}

// ---- Assignability ----------------------------------------------------------

bool _VM_implementsInterface(VMClassRegistry* registry, Class* cls, Class* interface)
{
    if (cls == interface)
        return true;
    for (Class* at = cls; at && !isObjectClass(at); at = _VM_getSuperclass(registry, at)) {
        for (VMListNode* node = VMList_first(&at->interfaces); node; node = VMList_next(node)) {
            if (_VM_implementsInterface(registry, static_cast<Class*>(VMList_value(node)),
                                        interface))
                return true;
        }
    }
    return false;
}

bool _VM_isAssignableFrom(VMClassRegistry* registry, Class* source, Class* target)
{
    if (source == target || isObjectClass(target))
        return true;
    if (target->isArray()) {
        if (!source->isArray())
            return false;
        Class* sourceElement = source->elementClass;
        Class* targetElement = target->elementClass;
        if (!sourceElement || !targetElement) {
            if (sourceElement || targetElement)
                return false;
            return source->elementTypeCode == target->elementTypeCode;
        }
        return _VM_isAssignableFrom(registry, sourceElement, targetElement);
    }
    if (target->isInterface())
        return !source->isArray() && _VM_implementsInterface(registry, source, target);
    if (source->isArray() || source->isInterface())
        return false;
    for (Class* at = _VM_getSuperclass(registry, source); at && !isObjectClass(at);
         at = _VM_getSuperclass(registry, at)) {
        if (at == target)
            return true;
    }
    return false;
}

bool _VM_isInstanceOf(VMClassRegistry* registry, java::lang::Object* object, Class* cls)
{
    return object && _VM_isAssignableFrom(registry, object->getClass(), cls);
}

void _VM_buildTypeDescriptor(VMClassRegistry*, VMCString* out, Class* element,
                             int32_t dimensions)
{
    out->assign("");
    for (int32_t i = element->arrayDimensions; i < dimensions; ++i)
        out->append("[");
    if (element->isArray()) {
        out->append(element->name);
    } else {
        out->append("L");
        out->append(element->name);
        out->append(";");
    }
}
