#pragma once
// java.lang.Class: one descriptor per class, interface and array type, kept in
// the class registry by dotted name. Descriptors are never collected: each
// holds a native-scope reference to itself.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMList.h"

namespace java::lang {

class Class : public virtual Object {
    VM_ABSTRACT_CLASS(Class, Object)

    enum State : int32_t { INITIALIZED = 0, NOT_INITIALIZED = 1, IN_PROGRESS = 2, ERRONEOUS = 3 };

    // Element type codes of array classes (the JVM newarray codes, 1 for
    // references).
    enum ElementType : int32_t {
        T_REFERENCE = 1, T_BOOLEAN = 4, T_CHAR = 5, T_FLOAT = 6, T_DOUBLE = 7,
        T_BYTE = 8, T_SHORT = 9, T_INT = 10, T_LONG = 11,
    };

    // Fills the descriptor, registers it under its name and holds it.
    Class(const char* name, const char* superName, const char* sourcePath,
          VMStaticInitializer staticInitializer, VMInstanceCreator creator, bool isInterface,
          bool isAbstract, int32_t arrayDimensions, int32_t elementTypeCode, Class* elementClass);
    ~Class() override;

    // CLDC operations.
    VMPtr<String> getName();
    VMPtr<String> toString() override;
    static VMPtr<Class> forName(VMPtr<String> name);
    VMPtr<Object> newInstance();
    VMPtr<Object> getResourceAsStream(VMPtr<String> name);
    // A resource name as this class sees it: a leading "/" is dropped, any
    // other name gets the class's package as folders in front.
    VMPtr<String> resolveResourceName(VMPtr<String> name);
    bool isInstance(VMPtr<Object> object);
    bool isAssignableFrom(Class* other);
    bool isArray() const { return arrayDimensions > 0; }
    bool isInterface() const { return isInterfaceFlag != 0; }

    int32_t state;
    VMThread* initializingThread = nullptr;
    VMList interfaces;
    uint8_t superclassResolved = 0;
    Class* superclass = nullptr;
    const char* name;
    const char* superName;
    const char* sourcePath;
    VMStaticInitializer staticInitializer;
    VMInstanceCreator creator;
    void (*entryPoint)(intptr_t) = nullptr;
    uint8_t isInterfaceFlag;
    uint8_t isAbstractFlag;
    int32_t arrayDimensions;
    int32_t elementTypeCode;
    Class* elementClass;
    VMNative<Class> selfReference;
};

} // namespace java::lang
