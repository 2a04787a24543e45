#pragma once
// Arrays.
//
// VMArray_Base is the header every array shares: element type code, element
// class, length, element size and a separate zero-filled data block on the VM
// heap. VMArray<T, N> is the typed array of N dimensions: primitive elements
// are stored as values, references as raw T* (pointer-sized), and an array of
// N > 1 dimensions holds references to arrays of N - 1 dimensions.
//
// Java types map to element types as follows: boolean bool, char char16_t,
// byte int8_t, short int16_t, int int32_t, long int64_t, float float, double
// double; any other T is a class with a class record (VM_CLASS and friends).
//
// Element access checks the index and throws ArrayIndexOutOfBoundsException
// ("Array index out of range: " and the index).

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <type_traits>

#include "java/lang/Object.h"

// Throw helpers, kept out of line so this header needs no exception classes.
[[noreturn]] void _VM_throwArrayIndex(int32_t index);

class VMArray_Base : public virtual java::lang::Object {
public:
    enum ElementType : int32_t {
        T_REFERENCE = 1, T_BOOLEAN = 4, T_CHAR = 5, T_FLOAT = 6, T_DOUBLE = 7,
        T_BYTE = 8, T_SHORT = 9, T_INT = 10, T_LONG = 11,
    };

    // An array of primitives (dimensions 1) or of arrays (dimensions > 1,
    // which turns the code into T_REFERENCE). A negative length throws
    // NegativeArraySizeException; a data block too large for the heap throws
    // OutOfMemoryError.
    VMArray_Base(int32_t elementTypeCode, int32_t dimensions, int32_t length);
    // An array of references to objects of elementClass.
    VMArray_Base(java::lang::Class* elementClass, int32_t length);
    ~VMArray_Base() override;

    // Element i as an Object part: null for a null element and for primitive
    // arrays.
    virtual java::lang::Object* elementObject(int32_t index);
    // Stores an object as element i when it is of the element type; anything
    // else stores null. Nothing for primitive arrays.
    virtual void storeElementObject(int32_t index, java::lang::Object* object);

    // One block move of count elements; no checks (System.arraycopy checks).
    static void copyElements(VMArray_Base* destination, VMArray_Base* source,
                             int32_t sourceIndex, int32_t destinationIndex, int32_t count);

    void checkIndex(int32_t index) const
    {
        if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(length))
            _VM_throwArrayIndex(index);
    }

    // The array class of a primitive type by its descriptor ("[I"), or of
    // references to elementClass with the given dimensions; made on first use.
    static java::lang::Class* arrayClassOf(const char* primitiveDescriptor, int32_t dimensions,
                                           int32_t elementTypeCode,
                                           java::lang::Class* elementClass);

    int32_t elementTypeCode;
    java::lang::Class* elementClass = nullptr;
    int32_t length;
    int32_t elementSize;
    void* data = nullptr;

private:
    void allocate(int32_t length);
};

template<class T, int N = 1>
class VMArray;

namespace vm_array_detail {

// Primitive element types: code and descriptor letter.
template<class T> struct Primitive { static constexpr bool is = false; };
#define VM_ARRAY_PRIMITIVE_(T, CODE, LETTER)                                                 \
    template<> struct Primitive<T> {                                                         \
        static constexpr bool is = true;                                                     \
        static constexpr int32_t code = VMArray_Base::CODE;                                  \
        static constexpr const char* descriptor = "[" LETTER;                                \
    };
VM_ARRAY_PRIMITIVE_(bool, T_BOOLEAN, "Z")
VM_ARRAY_PRIMITIVE_(char16_t, T_CHAR, "C")
VM_ARRAY_PRIMITIVE_(float, T_FLOAT, "F")
VM_ARRAY_PRIMITIVE_(double, T_DOUBLE, "D")
VM_ARRAY_PRIMITIVE_(int8_t, T_BYTE, "B")
VM_ARRAY_PRIMITIVE_(int16_t, T_SHORT, "S")
VM_ARRAY_PRIMITIVE_(int32_t, T_INT, "I")
VM_ARRAY_PRIMITIVE_(int64_t, T_LONG, "J")
#undef VM_ARRAY_PRIMITIVE_

} // namespace vm_array_detail

// Element access of reference arrays: reads give a VMPtr, stores take one.
template<class E>
class VMArrayElement {
public:
    VMArrayElement(E** slot) : slot_(slot) {}
    operator VMPtr<E>() const { return VMPtr<E>(*slot_); }
    E* operator->() const
    {
        if (__builtin_expect(*slot_ == nullptr, 0))
            _VM_throwNullPointer();
        return *slot_;
    }
    E* get() const { return *slot_; }
    explicit operator bool() const { return *slot_ != nullptr; }
    VMArrayElement& operator=(const VMPtr<E>& value)
    {
        *slot_ = value.get();
        return *this;
    }
    VMArrayElement& operator=(const VMArrayElement& other)
    {
        *slot_ = *other.slot_;
        return *this;
    }
    VMArrayElement& operator=(std::nullptr_t)
    {
        *slot_ = nullptr;
        return *this;
    }

private:
    E** slot_;
};

template<class T, int N>
class VMArray : public VMArray_Base {
    static_assert(N >= 1, "an array has at least one dimension");
    static_assert(N > 1 || vm_array_detail::Primitive<T>::is || std::is_class_v<T>,
                  "element types are the Java primitives or classes");

public:
    static constexpr bool isPrimitive = N == 1 && vm_array_detail::Primitive<T>::is;
    // What one element is: a value, or a raw reference to an object or array.
    using Element = std::conditional_t<N == 1, T, VMArray<T, N - 1>>;
    using Slot = std::conditional_t<isPrimitive, T, Element*>;

    // new T[length]; further sizes create the rows (new T[a][b]...). A
    // missing size or a size of 0 leaves the rows null (new T[a][]).
    static VMPtr<VMArray> newArray(int32_t length) { return create(length, nullptr, 0); }
    static VMPtr<VMArray> newArray(std::initializer_list<int32_t> sizes)
    {
        return create(sizes.size() ? *sizes.begin() : 0, sizes.size() ? sizes.begin() + 1 : nullptr,
                      sizes.size() ? int32_t(sizes.size()) - 1 : 0);
    }

    // Element access; an index outside the array throws.
    decltype(auto) operator[](int32_t index)
    {
        checkIndex(index);
        if constexpr (isPrimitive)
            return static_cast<T*>(data)[index];
        else
            return VMArrayElement<Element>(static_cast<Element**>(data) + index);
    }
    // The element as a reference (reference arrays).
    VMPtr<Element> get(int32_t index) requires(!isPrimitive)
    {
        checkIndex(index);
        return VMPtr<Element>(static_cast<Element**>(data)[index]);
    }
    void set(int32_t index, const VMPtr<Element>& value) requires(!isPrimitive)
    {
        checkIndex(index);
        static_cast<Element**>(data)[index] = value.get();
    }
    // The elements as a C array (no checks).
    Slot* elements() { return static_cast<Slot*>(data); }

    static java::lang::Class* getArrayClass()
    {
        if (!arrayClass_)
            arrayClass_ = makeArrayClass();
        return arrayClass_;
    }
    java::lang::Class* getClass() override { return getArrayClass(); }

    java::lang::Object* elementObject(int32_t index) override
    {
        if constexpr (isPrimitive) {
            return nullptr;
        } else {
            Element* element = static_cast<Element**>(data)[index];
            return element ? static_cast<java::lang::Object*>(element) : nullptr;
        }
    }
    void storeElementObject(int32_t index, java::lang::Object* object) override
    {
        if constexpr (!isPrimitive)
            static_cast<Element**>(data)[index] = dynamic_cast<Element*>(object);
    }
    void markReferences(uint32_t bits) override
    {
        if constexpr (!isPrimitive) {
            Element** slots = static_cast<Element**>(data);
            for (int32_t i = 0; i < length; i++) {
                if (slots[i])
                    _VM_mark(static_cast<java::lang::Object*>(slots[i]), bits);
            }
        }
    }

private:
    explicit VMArray(int32_t length) requires(isPrimitive)
        : VMArray_Base(vm_array_detail::Primitive<T>::code, 1, length)
    {
    }
    explicit VMArray(int32_t length) requires(!isPrimitive)
        : VMArray_Base(elementClassRecord(), length)
    {
    }

    static java::lang::Class* elementClassRecord()
    {
        if constexpr (N > 1)
            return Element::getArrayClass();
        else
            return T::classRecord();
    }

    static java::lang::Class* makeArrayClass()
    {
        using vm_array_detail::Primitive;
        if constexpr (isPrimitive)
            return arrayClassOf(Primitive<T>::descriptor, 1, Primitive<T>::code, nullptr);
        else
            return arrayClassOf(nullptr, N, T_REFERENCE, elementClassRecord());
    }

    static VMPtr<VMArray> create(int32_t length, const int32_t* rowSizes, int32_t rowSizeCount)
    {
        getArrayClass();
        VMPtr<VMArray> array(new VMArray(length));
        _VM_endConstruction(array.get());
        if constexpr (N > 1) {
            if (rowSizeCount > 0 && rowSizes[0] != 0) {
                for (int32_t i = 0; i < length; i++)
                    array->set(i, Element::create(rowSizes[0], rowSizes + 1, rowSizeCount - 1));
            }
        } else {
            (void)rowSizes;
            assert(rowSizeCount == 0 && "more sizes than dimensions");
            (void)rowSizeCount;
        }
        return array;
    }

    template<class, int>
    friend class VMArray;

    static inline java::lang::Class* arrayClass_ = nullptr;
};
