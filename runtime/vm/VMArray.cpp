#include "vm/VMArray.h"

#include <cstring>

#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/NegativeArraySizeException.h"
#include "java/lang/OutOfMemoryError.h"
#include "vm/VMCString.h"
#include "vm/VMClassRegistry.h"
#include "vm/VMHeap.h"

namespace {

int32_t elementSizeOf(int32_t code)
{
    switch (code) {
    case VMArray_Base::T_REFERENCE:
        return int32_t(sizeof(void*));
    case VMArray_Base::T_BOOLEAN:
    case VMArray_Base::T_BYTE:
        return 1;
    case VMArray_Base::T_CHAR:
    case VMArray_Base::T_SHORT:
        return 2;
    case VMArray_Base::T_FLOAT:
    case VMArray_Base::T_INT:
        return 4;
    case VMArray_Base::T_DOUBLE:
    case VMArray_Base::T_LONG:
        return 8;
    default:
        return 0;
    }
}

// The largest data block an array may have; anything larger is refused as
// out of memory rather than wrapped into a short block.
constexpr uint64_t maxDataBytes = 0x3FFFFFF0;

} // namespace

void _VM_throwArrayIndex(int32_t index)
{
    vm_throwNew<java::lang::ArrayIndexOutOfBoundsException>(index);
}

VMArray_Base::VMArray_Base(int32_t code, int32_t dimensions, int32_t length)
    : elementTypeCode(dimensions > 1 ? T_REFERENCE : code), length(length),
      elementSize(elementSizeOf(elementTypeCode))
{
    allocate(length);
}

VMArray_Base::VMArray_Base(java::lang::Class* elementClass, int32_t length)
    : elementTypeCode(T_REFERENCE), elementClass(elementClass), length(length),
      elementSize(elementSizeOf(T_REFERENCE))
{
    allocate(length);
}

// Zero-filled data block; none for an empty array.
void VMArray_Base::allocate(int32_t count)
{
    if (count < 0)
        vm_throwNew<java::lang::NegativeArraySizeException>();
    uint64_t bytes = uint64_t(count) * uint64_t(elementSize);
    if (bytes > maxDataBytes)
        vm_throwNew<java::lang::OutOfMemoryError>();
    if (bytes == 0)
        return;
    data = _VM_malloc(uint32_t(bytes), true);
    std::memset(data, 0, size_t(bytes));
}

VMArray_Base::~VMArray_Base()
{
    if (data)
        _VM_free(data);
}

java::lang::Object* VMArray_Base::elementObject(int32_t)
{
    return nullptr;
}

void VMArray_Base::storeElementObject(int32_t, java::lang::Object*) {}

void VMArray_Base::copyElements(VMArray_Base* destination, VMArray_Base* source,
                                int32_t sourceIndex, int32_t destinationIndex, int32_t count)
{
    if (count <= 0)
        return;
    size_t size = size_t(destination->elementSize);
    std::memmove(static_cast<char*>(destination->data) + size_t(destinationIndex) * size,
                 static_cast<char*>(source->data) + size_t(sourceIndex) * size,
                 size_t(count) * size);
}

java::lang::Class* VMArray_Base::arrayClassOf(const char* primitiveDescriptor,
                                              int32_t dimensions, int32_t elementTypeCode,
                                              java::lang::Class* elementClass)
{
    VMClassRegistry* registry = _VM_getClassRegistry();
    VMCString name(primitiveDescriptor);
    if (!primitiveDescriptor)
        _VM_buildTypeDescriptor(registry, &name, elementClass, dimensions);
    if (java::lang::Class* known = _VM_findClass(registry, name.text()))
        return known;
    // The descriptor keeps its name for good.
    uint32_t size = name.length() + 1;
    char* kept = static_cast<char*>(_VM_malloc(size, true));
    std::memcpy(kept, name.text(), size);
    java::lang::Class* cls = new java::lang::Class(
        kept, "java.lang.Object", "target/winmo/src/vm/VMArray", nullptr, nullptr, false, false,
        dimensions, elementTypeCode, elementClass);
    return cls;
}
