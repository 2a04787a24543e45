#pragma once
// References and scopes.
//
// Every local, argument, return value, field and static that holds an object
// is a reference registered with a scope. The collector's roots are the
// references in the static and native scopes and in every thread's stack
// scope; fields (instance scope) are found by tracing their owners.
//
// A reference is four words: vtable, link (next reference in its scope's root
// list), scope, target. Stack references are pushed on the root list of the
// thread that holds the VM and, in the normal last-in-first-out order,
// popped again in constant time.

#include <cassert>
#include <cstdint>

namespace java::lang { class Object; }

class VMRef;

// A singly linked list of references, newest first.
struct VMRootList {
    VMRef* head = nullptr;

    // Unlinks ref wherever it is; nothing when absent. True when found.
    bool remove(VMRef* ref);
    // Marks the target of every reference with bits.
    void markAll(uint32_t bits) const;
    // Clears every reference whose target is not marked reachable.
    void clearUnmarked();
};

// VMRootList_init / VMRootList_release: a thread's list becomes current when
// none is, and stops being current when released.
void VMRootList_init(VMRootList* list);
void VMRootList_release(VMRootList* list);

// The root list of the thread that currently holds the VM.
extern VMRootList* _VM_currentRootList;

// The scope kinds. A scope is a name and, for the list scopes, a root list.
class VMScope {
public:
    enum Kind : uint8_t { Stack, Instance, Static, Native, Weak };

    constexpr VMScope(Kind kind, const char* name) : kind_(kind), name_(name) {}

    Kind kind() const { return kind_; }
    const char* name() const { return name_; }
    // The scope's own root list (static, native and weak scopes).
    VMRootList& roots() { return roots_; }

    void add(VMRef* ref);
    void remove(VMRef* ref);

private:
    VMRootList* rootList();

    Kind kind_;
    const char* name_;
    VMRootList roots_;
};

// The five scopes: process-wide objects, constant-initialised, so usable from
// static initialisers of any translation unit.
extern VMScope _VM_stackScope;
extern VMScope _VM_instanceScope;
extern VMScope _VM_staticScope;
extern VMScope _VM_nativeScope;
extern VMScope _VM_weakScope;

inline VMScope* _VM_getStackScope() { return &_VM_stackScope; }
inline VMScope* _VM_getInstanceScope() { return &_VM_instanceScope; }
inline VMScope* _VM_getStaticScope() { return &_VM_staticScope; }
inline VMScope* _VM_getNativeScope() { return &_VM_nativeScope; }
inline VMScope* _VM_getWeakScope() { return &_VM_weakScope; }

// Asserts in debug builds that the calling thread holds the VM lock.
void _VM_assertVMLock();

class VMRef {
public:
    VMRef(const VMRef&) = delete;
    VMRef& operator=(const VMRef&) = delete;

    // The target's Object part; null for a null reference.
    virtual java::lang::Object* objectPart() const = 0;
    void clear() { target_ = nullptr; }
    bool isNull() const { return target_ == nullptr; }
    VMScope* scope() const { return scope_; }
    VMRef* link() const { return link_; }
    // Fields (instance scope) keep no link: the word holds the stamp of the
    // last collection that traced them.
    void setVisitStamp(uintptr_t stamp) { link_ = reinterpret_cast<VMRef*>(stamp); }
    uintptr_t visitStamp() const { return reinterpret_cast<uintptr_t>(link_); }

protected:
    VMRef(VMScope* scope, void* target) : scope_(scope), target_(target)
    {
        if (scope == &_VM_stackScope) {
#ifndef NDEBUG
            _VM_assertVMLock();
#endif
            VMRootList* list = _VM_currentRootList;
            assert(list && "stack reference made with no current root list");
            link_ = list->head;
            list->head = this;
        } else if (scope != &_VM_instanceScope) {
            scope->add(this);
        }
    }

    ~VMRef()
    {
        if (scope_ == &_VM_stackScope) {
#ifndef NDEBUG
            _VM_assertVMLock();
#endif
            VMRootList* list = _VM_currentRootList;
            assert(list && "stack reference destroyed with no current root list");
            if (list->head == this) {
                list->head = link_;
            } else {
                [[maybe_unused]] bool found = list->remove(this);
                // Absent: made on another thread's list, which would keep
                // pointing at this dead reference.
                assert(found && "stack reference destroyed outside its thread's root list");
            }
        } else if (scope_ != &_VM_instanceScope) {
            scope_->remove(this);
        }
    }

    VMRef* link_ = nullptr;
    VMScope* scope_;
    void* target_;

    friend struct VMRootList;
    friend class VMScope;
};
