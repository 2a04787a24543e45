// Folders and directory entries: CreateDirectoryW, RemoveDirectoryW,
// DeleteFileW, MoveFileExW, GetFileAttributesW, FindFirstFileW,
// FindNextFileW, FindClose.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "wince/KernelObject.h"
#include "wince/detail/disk.h"
#include "wince/detail/path.h"
#include "wince/detail/text.h"
#include "wince/file.h"
#include "wince/folder.h"

namespace {

using wince_disk::errorFromErrno;

BOOL fail(int error)
{
    SetLastError(errorFromErrno(error));
    return FALSE;
}

// The host path without trailing slashes, so that a folder named with a
// trailing backslash is the folder itself.
std::string hostPath(LPCWSTR path)
{
    std::string host = wince_path::toHost(path);
    while (host.size() > 1 && host.back() == '/') {
        host.pop_back();
    }
    return host;
}

std::string parentOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? std::string("/") : path.substr(0, slash);
}

// Makes the folder's list of entries durable.
bool syncFolder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool invalidPath(LPCWSTR path)
{
    if (!path || !*path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return true;
    }
    return false;
}

// Matches '*' and '?' over UTF-16 units, ASCII letters without case.
bool matches(std::u16string_view pattern, std::u16string_view name)
{
    auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    size_t p = 0, n = 0, starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || fold(pattern[p]) == fold(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

DWORD attributesOf(const std::string& path, const struct stat& info)
{
    DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if (::access(path.c_str(), W_OK) != 0) {
        attributes = (attributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_READONLY;
    }
    return attributes;
}

// The matches of one FindFirstFileW, handed out one by one.
class FindObject final : public KernelObject {
public:
    std::vector<WIN32_FIND_DATAW> entries;
    size_t next = 0;
};

}  // namespace

// ---- CreateDirectoryW: the new folder is on the disk when it returns ---------
BOOL CreateDirectoryW(LPCWSTR path, LPVOID)
{
    if (invalidPath(path) || !wince_disk::allow(wince_disk::Change::MakeFolder)) {
        return FALSE;
    }
    std::string host = hostPath(path);
    if (::mkdir(host.c_str(), 0755) != 0) {
        return fail(errno == ENOENT ? ENOTDIR : errno);
    }
    syncFolder(parentOf(host));
    return TRUE;
}

// ---- RemoveDirectoryW ---------------------------------------------------------
BOOL RemoveDirectoryW(LPCWSTR path)
{
    if (invalidPath(path) || !wince_disk::allow(wince_disk::Change::RemoveFolder)) {
        return FALSE;
    }
    if (::rmdir(hostPath(path).c_str()) != 0) {
        return fail(errno == EEXIST ? ENOTEMPTY : errno);
    }
    return TRUE;
}

// ---- DeleteFileW --------------------------------------------------------------
BOOL DeleteFileW(LPCWSTR path)
{
    if (invalidPath(path) || !wince_disk::allow(wince_disk::Change::Delete)) {
        return FALSE;
    }
    std::string host = hostPath(path);
    struct stat info;
    if (::lstat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (::unlink(host.c_str()) != 0) {
        return fail(errno);
    }
    return TRUE;
}

// ---- MoveFileExW: one rename; write-through syncs the folders --------------
BOOL MoveFileExW(LPCWSTR existing, LPCWSTR newName, DWORD flags)
{
    if (invalidPath(existing) || invalidPath(newName) ||
        !wince_disk::allow(wince_disk::Change::Move)) {
        return FALSE;
    }
    std::string from = hostPath(existing);
    std::string to = hostPath(newName);
    struct stat info;
    if (::lstat(from.c_str(), &info) != 0) {
        return fail(errno);
    }
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && ::lstat(to.c_str(), &info) == 0) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return fail(errno);
    }
    if (flags & MOVEFILE_WRITE_THROUGH) {
        std::string folder = parentOf(to);
        bool synced = syncFolder(folder);
        if (parentOf(from) != folder) {
            synced = syncFolder(parentOf(from)) && synced;
        }
        if (!synced) {
            return fail(errno);
        }
    }
    return TRUE;
}

// ---- GetFileAttributesW ---------------------------------------------------------
DWORD GetFileAttributesW(LPCWSTR path)
{
    if (invalidPath(path)) {
        return INVALID_FILE_ATTRIBUTES;
    }
    std::string host = hostPath(path);
    struct stat info;
    if (::stat(host.c_str(), &info) != 0) {
        SetLastError(errorFromErrno(errno));
        return INVALID_FILE_ATTRIBUTES;
    }
    return attributesOf(host, info);
}

// ---- FindFirstFileW: every match is gathered at once --------------------------
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data)
{
    if (invalidPath(pattern) || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::u16string_view whole(pattern);
    size_t cut = whole.find_last_of(u"\\/");
    std::u16string_view namePattern =
        cut == std::u16string_view::npos ? whole : whole.substr(cut + 1);
    std::u16string folderPath(cut == std::u16string_view::npos ? std::u16string_view(u".")
                                                               : whole.substr(0, cut + 1));
    std::string folder = hostPath(folderPath.c_str());
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto* find = new FindObject;
    while (dirent* entry = ::readdir(dir)) {
        std::string hostName = entry->d_name;
        if (hostName == "." || hostName == "..") {
            continue;
        }
        std::u16string name = wince_text::fromUtf8(hostName);
        if (name.size() >= MAX_PATH || !matches(namePattern, name)) {
            continue;
        }
        std::string full = folder + (folder.back() == '/' ? "" : "/") + hostName;
        struct stat info;
        if (::stat(full.c_str(), &info) != 0) {
            continue;  // gone meanwhile, or a dangling link
        }
        WIN32_FIND_DATAW found{};
        found.dwFileAttributes = attributesOf(full, info);
        uint64_t size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint64_t>(info.st_size);
        found.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        found.nFileSizeLow = static_cast<DWORD>(size);
        std::copy(name.begin(), name.end(), found.cFileName);
        find->entries.push_back(found);
    }
    ::closedir(dir);
    if (find->entries.empty()) {
        find->release();
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *data = find->entries[find->next++];
    return KernelObject::openHandle(find);
}

// ---- FindNextFileW --------------------------------------------------------------
BOOL FindNextFileW(HANDLE handle, WIN32_FIND_DATAW* data)
{
    auto* find = KernelObject::referenceAs<FindObject>(handle);
    if (!find) {
        return FALSE;
    }
    BOOL ok = FALSE;
    if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
    } else if (find->next >= find->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
    } else {
        *data = find->entries[find->next++];
        ok = TRUE;
    }
    find->release();
    return ok;
}

// ---- FindClose ------------------------------------------------------------------
BOOL FindClose(HANDLE handle)
{
    auto* find = KernelObject::referenceAs<FindObject>(handle);
    if (!find) {
        return FALSE;
    }
    find->release();
    return KernelObject::closeHandle(handle) ? TRUE : FALSE;
}
