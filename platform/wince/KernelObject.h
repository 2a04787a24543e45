#pragma once
// The base of every object behind a HANDLE of the stand-in (threads here;
// files, mutexes and the like in their own areas).
//
// A handle is the object's address. Live handles are kept in a table, so a
// stale or foreign handle is refused with ERROR_INVALID_HANDLE instead of
// being followed. Each handle owns one reference; other holders (a running
// thread holds its own object) take more.

#include "wince/types.h"

#include <atomic>

class KernelObject {
public:
    KernelObject() = default;
    KernelObject(const KernelObject&) = delete;
    KernelObject& operator=(const KernelObject&) = delete;

    void addRef() { refs_.fetch_add(1, std::memory_order_relaxed); }
    // Drops one reference; the last one deletes the object.
    void release();

    // Waits until the object is signalled: WAIT_OBJECT_0, WAIT_TIMEOUT, or
    // WAIT_FAILED for objects that cannot be waited on.
    virtual DWORD wait(DWORD milliseconds);

    // Enters the object in the handle table and returns its handle.
    static HANDLE openHandle(KernelObject* object);
    // The object of a live handle with one more reference (the caller
    // releases it), or null with ERROR_INVALID_HANDLE set.
    static KernelObject* reference(HANDLE handle);
    // As reference(), but only for objects of type T.
    template <typename T>
    static T* referenceAs(HANDLE handle);
    // Removes the handle from the table and drops its reference.
    static bool closeHandle(HANDLE handle);

protected:
    virtual ~KernelObject() = default;

private:
    std::atomic<int32_t> refs_{1};
};

template <typename T>
T* KernelObject::referenceAs(HANDLE handle)
{
    KernelObject* object = reference(handle);
    if (object == nullptr)
        return nullptr;
    if (T* typed = dynamic_cast<T*>(object))
        return typed;
    object->release();
    return nullptr;
}
