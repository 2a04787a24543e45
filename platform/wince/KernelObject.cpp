#include "wince/KernelObject.h"

#include "wince/kernel.h"

#include <mutex>
#include <unordered_set>

namespace {

struct HandleTable {
    std::mutex mutex;
    std::unordered_set<HANDLE> live;
};

// Never destroyed: threads may still close handles while the process exits.
HandleTable& table()
{
    static HandleTable* instance = new HandleTable;
    return *instance;
}

}  // namespace

void KernelObject::release()
{
    if (refs_.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete this;
}

DWORD KernelObject::wait(DWORD)
{
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
}

HANDLE KernelObject::openHandle(KernelObject* object)
{
    HANDLE handle = object;
    std::lock_guard<std::mutex> guard(table().mutex);
    table().live.insert(handle);
    return handle;
}

KernelObject* KernelObject::reference(HANDLE handle)
{
    std::lock_guard<std::mutex> guard(table().mutex);
    if (table().live.count(handle) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    KernelObject* object = static_cast<KernelObject*>(handle);
    object->addRef();
    return object;
}

bool KernelObject::closeHandle(HANDLE handle)
{
    {
        std::lock_guard<std::mutex> guard(table().mutex);
        if (table().live.erase(handle) == 0) {
            SetLastError(ERROR_INVALID_HANDLE);
            return false;
        }
    }
    static_cast<KernelObject*>(handle)->release();
    return true;
}

// ---- CloseHandle: closes any handle of the stand-in ----------------------
BOOL CloseHandle(HANDLE object)
{
    return KernelObject::closeHandle(object) ? TRUE : FALSE;
}
