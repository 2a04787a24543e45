#pragma once
// Typed references. The wrapper type says where a reference lives:
//   VMPtr<T>     a local, argument, temporary or return value (stack scope)
//   VMField<T>   a field of an object (instance scope; listed in its class's
//                VM_FIELDS, which traces it)
//   VMStatic<T>  a static field of a class (static scope; declared with
//                VM_STATIC)
//   VMNative<T>  a reference the VM itself holds (native scope)
//   VMWeak<T>    a weak reference (weak scope; cleared when its target dies)
// Every copy made from any of them is a new stack-scoped VMPtr; assigning to
// an existing reference writes only its target.

#include <cstddef>
#include <type_traits>

#include "vm/VMRef.h"

// Throws NullPointerException; out of line, so the check costs one branch.
[[noreturn]] __attribute__((cold)) void _VM_throwNullPointer();

template<class T>
class VMPtr : public VMRef {
public:
    VMPtr() : VMRef(&_VM_stackScope, nullptr) {}
    VMPtr(std::nullptr_t) : VMRef(&_VM_stackScope, nullptr) {}
    VMPtr(T* target) : VMRef(&_VM_stackScope, target) {}
    VMPtr(const VMPtr& other) : VMRef(&_VM_stackScope, other.get()) {}
    template<class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    VMPtr(const VMPtr<U>& other) : VMRef(&_VM_stackScope, static_cast<T*>(other.get()))
    {
    }

    VMPtr& operator=(const VMPtr& other)
    {
        target_ = other.get();
        return *this;
    }
    template<class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    VMPtr& operator=(const VMPtr<U>& other)
    {
        target_ = static_cast<T*>(other.get());
        return *this;
    }
    VMPtr& operator=(T* target)
    {
        target_ = target;
        return *this;
    }
    VMPtr& operator=(std::nullptr_t)
    {
        target_ = nullptr;
        return *this;
    }

    T* get() const { return static_cast<T*>(target_); }
    // A call through a null reference throws NullPointerException.
    T* operator->() const
    {
        if (__builtin_expect(target_ == nullptr, 0))
            _VM_throwNullPointer();
        return get();
    }
    T& operator*() const { return *operator->(); }
    explicit operator bool() const { return target_ != nullptr; }

    java::lang::Object* objectPart() const override
    {
        return target_ ? static_cast<java::lang::Object*>(get()) : nullptr;
    }

protected:
    VMPtr(VMScope* scope, T* target) : VMRef(scope, target) {}
};

// Two references are equal when they reach the same Object part.
template<class T, class U>
bool operator==(const VMPtr<T>& a, const VMPtr<U>& b)
{
    if constexpr (std::is_same_v<T, U>)
        return a.get() == b.get();
    else
        return a.objectPart() == b.objectPart();
}
template<class T>
bool operator==(const VMPtr<T>& a, std::nullptr_t)
{
    return a.isNull();
}

// A reference fixed to one scope kind at construction.
template<class T, VMScope* (*Scope)()>
class VMScopedPtr final : public VMPtr<T> {
public:
    VMScopedPtr() : VMPtr<T>(Scope(), nullptr) {}
    explicit VMScopedPtr(T* target) : VMPtr<T>(Scope(), target) {}
    VMScopedPtr(const VMScopedPtr&) = delete;

    using VMPtr<T>::operator=;
    VMScopedPtr& operator=(const VMScopedPtr& other)
    {
        VMPtr<T>::operator=(other);
        return *this;
    }
};

template<class T>
using VMField = VMScopedPtr<T, _VM_getInstanceScope>;
template<class T>
using VMStatic = VMScopedPtr<T, _VM_getStaticScope>;
template<class T>
using VMNative = VMScopedPtr<T, _VM_getNativeScope>;
template<class T>
using VMWeak = VMScopedPtr<T, _VM_getWeakScope>;

// The run-time-typed cast of a reference: null when the target is not a T.
template<class T, class U>
VMPtr<T> vm_cast(const VMPtr<U>& from)
{
    return VMPtr<T>(dynamic_cast<T*>(from.get()));
}
