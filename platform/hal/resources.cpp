// Resource files: read access to the application's "\\rsc\\" folder.

#include <cstdint>
#include <string>
#include <string_view>

#include "hal/device.h"
#include "hal/memory.h"
#include "hal/properties.h"
#include "wince/file.h"

namespace {

HANDLE fileOf(HALResource* resource)
{
    return reinterpret_cast<HANDLE>(resource);
}

// A name inside the resource folder: no NUL (it would cut the name short), no
// leading separator (a path from the root) and no ".." part (a way out).
bool isResourceName(std::u16string_view name)
{
    if (name.find(u'\0') != std::u16string_view::npos || name.front() == u'\\' ||
        name.front() == u'/') {
        return false;
    }
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of(u"\\/", start);
        if (end == std::u16string_view::npos) {
            end = name.size();
        }
        if (name.substr(start, end - start) == u"..") {
            return false;
        }
        start = end + 1;
    }
    return true;
}

// The file's size in 64 bits, or -1 when it cannot be read.
int64_t sizeOf(HALResource* resource)
{
    DWORD high = 0;
    SetLastError(ERROR_SUCCESS);
    DWORD low = GetFileSize(fileOf(resource), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) {
        return -1;
    }
    return static_cast<int64_t>((static_cast<uint64_t>(high) << 32) | low);
}

}  // namespace

int32_t HAL_openResource(HALResource** out, const char16_t* name, int32_t length)
{
    if (!out || !name || length <= 0) {
        return 2;
    }
    *out = nullptr;
    std::u16string fileName(name, static_cast<size_t>(length));
    if (!isResourceName(fileName)) {
        return 4;
    }
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
    // Sizes and offsets of resources are ints: a larger file cannot be read.
    int64_t size = sizeOf(reinterpret_cast<HALResource*>(file));
    if (size < 0 || size > INT32_MAX) {
        CloseHandle(file);
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
    int64_t size = sizeOf(resource);
    return size > INT32_MAX ? -1 : static_cast<int32_t>(size);
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
