// Resource files: read access to the application's "\\rsc\\" folder.

#include <string>

#include "hal/device.h"
#include "hal/memory.h"
#include "hal/properties.h"
#include "wince/file.h"

namespace {

HANDLE fileOf(HALResource* resource)
{
    return reinterpret_cast<HANDLE>(resource);
}

}  // namespace

int32_t HAL_openResource(HALResource** out, const char16_t* name, int32_t length)
{
    if (!out || !name || length <= 0) {
        return 2;
    }
    *out = nullptr;
    std::u16string fileName(name, static_cast<size_t>(length));
    char16_t* path = HAL_buildPath(u"\\rsc\\", fileName.c_str());
    if (!path) {
        return 5;
    }
    HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HAL_free(path);
    if (file == INVALID_HANDLE_VALUE || !file) {
        return 4;
    }
    *out = reinterpret_cast<HALResource*>(file);
    return 0;
}

int32_t HAL_getResourceSize(HALResource* resource)
{
    if (!resource) {
        return -1;
    }
    DWORD size = GetFileSize(fileOf(resource), nullptr);
    return size == INVALID_FILE_SIZE ? -1 : static_cast<int32_t>(size);
}

int32_t HAL_readResource(HALResource* resource, void* buffer, int32_t offset, int32_t* count)
{
    if (!resource || !buffer || !count) {
        return 2;
    }
    if (offset < 0 || *count < 0 ||
        SetFilePointer(fileOf(resource), offset, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
        return 7;
    }
    DWORD read = 0;
    if (!ReadFile(fileOf(resource), buffer, static_cast<DWORD>(*count), &read, nullptr)) {
        return 7;
    }
    *count = static_cast<int32_t>(read);
    return 0;
}

void HAL_closeResource(HALResource* resource)
{
    if (resource) {
        CloseHandle(fileOf(resource));
    }
}
