// Files: CreateFileW, ReadFile, WriteFile, FlushFileBuffers, GetFileSize,
// SetFilePointer, GetModuleFileNameW, and the C runtime's _wfopen and fgetws.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "wince/KernelObject.h"
#include "wince/detail/disk.h"
#include "wince/detail/path.h"
#include "wince/detail/text.h"
#include "wince/file.h"

namespace {

using wince_disk::errorFromErrno;

class FileObject final : public KernelObject {
public:
    explicit FileObject(int fd) : fd_(fd) {}
    int fd() const { return fd_; }

protected:
    ~FileObject() override { ::close(fd_); }

private:
    int fd_;
};

// Runs `use` with the file object of a handle; FALSE-like result when the
// handle is not a file.
template <typename Use>
auto withFile(HANDLE handle, Use use, decltype(use(0)) failure)
{
    auto* file = KernelObject::referenceAs<FileObject>(handle);
    if (!file) {
        return failure;
    }
    auto result = use(file->fd());
    file->release();
    return result;
}

}  // namespace

// ---- CreateFileW ------------------------------------------------------------
// Sharing is not enforced: the host has no share modes.
HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD, LPVOID, DWORD creation, DWORD, HANDLE)
{
    if (!name || !*name || creation < CREATE_NEW || creation > TRUNCATE_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    int flags = O_CLOEXEC;
    bool read = access & GENERIC_READ;
    bool write = access & GENERIC_WRITE;
    flags |= read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
    switch (creation) {
    case CREATE_NEW:
        flags |= O_CREAT | O_EXCL;
        break;
    case CREATE_ALWAYS:
        flags |= O_CREAT | O_TRUNC;
        break;
    case OPEN_ALWAYS:
        flags |= O_CREAT;
        break;
    case TRUNCATE_EXISTING:
        flags |= O_TRUNC;
        break;
    default:
        break;
    }
    if (write && !wince_disk::allow(wince_disk::Change::Create)) {
        return INVALID_HANDLE_VALUE;
    }
    std::string path = wince_path::toHost(name);
    int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) {
        SetLastError(errorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return KernelObject::openHandle(new FileObject(fd));
}

// Moves up to count bytes with `step` (read or write) until done, the end
// of the file (a step of 0) or an error; the count moved goes to *moved.
template <typename Step>
static BOOL transfer(HANDLE handle, const void* buffer, DWORD count, DWORD* moved, Step step)
{
    if (moved) {
        *moved = 0;
    }
    if (!buffer && count) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return withFile(
        handle,
        [&](int fd) -> BOOL {
            DWORD done = 0;
            while (done < count) {
                ssize_t n = step(fd, done);
                if (n < 0 && errno == EINTR) {
                    continue;
                }
                if (n < 0) {
                    SetLastError(errorFromErrno(errno));
                    return FALSE;
                }
                if (n == 0) {
                    break;
                }
                done += static_cast<DWORD>(n);
            }
            if (moved) {
                *moved = done;
            }
            return TRUE;
        },
        BOOL{FALSE});
}

// ---- ReadFile: reads until count bytes or the end of the file -----------
BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD count, DWORD* bytesRead, LPVOID)
{
    return transfer(handle, buffer, count, bytesRead, [&](int fd, DWORD done) {
        return ::read(fd, static_cast<char*>(buffer) + done, count - done);
    });
}

// ---- WriteFile: a write that stops short is an error --------------------
BOOL WriteFile(HANDLE handle, const void* buffer, DWORD count, DWORD* bytesWritten, LPVOID)
{
    DWORD written = 0;
    DWORD allowed = count;
    DWORD refusal = ERROR_SUCCESS;
    if (!wince_disk::allow(wince_disk::Change::Write)) {
        refusal = GetLastError();
        allowed = wince_disk::halted() ? count / 2 : 0;
    }
    BOOL ok = transfer(handle, buffer, allowed, &written, [&](int fd, DWORD done) {
        return ::write(fd, static_cast<const char*>(buffer) + done, allowed - done);
    });
    if (ok && refusal != ERROR_SUCCESS) {
        if (bytesWritten) {
            *bytesWritten = written;
        }
        SetLastError(refusal);
        return FALSE;
    }
    if (bytesWritten) {
        *bytesWritten = written;
    }
    if (ok && written < count) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return ok;
}

// ---- FlushFileBuffers: the file's data and size reach the disk ------------
BOOL FlushFileBuffers(HANDLE handle)
{
    if (!wince_disk::allow(wince_disk::Change::Flush)) {
        return FALSE;
    }
    return withFile(
        handle,
        [&](int fd) -> BOOL {
            if (::fsync(fd) != 0) {
                SetLastError(errorFromErrno(errno));
                return FALSE;
            }
            return TRUE;
        },
        BOOL{FALSE});
}

// ---- GetFileSize ------------------------------------------------------------
DWORD GetFileSize(HANDLE handle, DWORD* sizeHigh)
{
    return withFile(
        handle,
        [&](int fd) -> DWORD {
            struct stat info;
            if (::fstat(fd, &info) != 0) {
                SetLastError(errorFromErrno(errno));
                return INVALID_FILE_SIZE;
            }
            uint64_t size = static_cast<uint64_t>(info.st_size);
            if (sizeHigh) {
                *sizeHigh = static_cast<DWORD>(size >> 32);
            }
            return static_cast<DWORD>(size);
        },
        DWORD{INVALID_FILE_SIZE});
}

// ---- SetFilePointer ---------------------------------------------------------
DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* distanceHigh, DWORD method)
{
    if (method > FILE_END) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    int64_t offset = distanceHigh
                         ? static_cast<int64_t>((static_cast<uint64_t>(*distanceHigh) << 32) |
                                                static_cast<uint32_t>(distance))
                         : distance;
    return withFile(
        handle,
        [&](int fd) -> DWORD {
            static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
            off_t at = ::lseek(fd, offset, kWhence[method]);
            if (at < 0) {
                SetLastError(errno == EINVAL ? ERROR_NEGATIVE_SEEK : errorFromErrno(errno));
                return INVALID_SET_FILE_POINTER;
            }
            if (distanceHigh) {
                *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(at) >> 32);
            }
            return static_cast<DWORD>(at);
        },
        DWORD{INVALID_SET_FILE_POINTER});
}

// ---- GetModuleFileNameW: the executable, in the application folder ------
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size)
{
    if (module || !fileName || size == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::u16string path = wince_text::fromUtf8(wince_path::modulePath());
    for (char16_t& c : path) {
        if (c == u'/') {
            c = u'\\';
        }
    }
    DWORD n = static_cast<DWORD>(path.size());
    if (n >= size) {
        std::copy(path.begin(), path.begin() + (size - 1), fileName);
        fileName[size - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::copy(path.begin(), path.end(), fileName);
    fileName[n] = 0;
    return n;
}

// ---- _wfopen ----------------------------------------------------------------
FILE* _wfopen(const char16_t* name, const char16_t* mode)
{
    if (!name || !mode) {
        errno = EINVAL;
        return nullptr;
    }
    std::string hostMode;
    for (const char16_t* m = mode; *m; ++m) {
        if (*m != u't' && *m < 0x80) {
            hostMode += static_cast<char>(*m);
        }
    }
    return std::fopen(wince_path::toHost(name).c_str(), hostMode.c_str());
}

// ---- fgetws: one line of UTF-8 text as UTF-16 --------------------------
// A character that needs two units and finds room for only one is left for
// the next call. Bytes that are not UTF-8 are read as U+FFFD and set errno
// to EILSEQ; the line goes on.
char16_t* fgetws(char16_t* buffer, int size, FILE* file)
{
    if (!buffer || size <= 0 || !file) {
        return nullptr;
    }
    int n = 0;
    while (n < size - 1) {
        fpos_t before;
        bool canRewind = std::fgetpos(file, &before) == 0;
        int lead = std::getc(file);
        if (lead == EOF) {
            break;
        }
        std::string bytes(1, static_cast<char>(lead));
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        for (int k = 0; k < extra; ++k) {
            int next = std::getc(file);
            if (next == EOF || (next & 0xC0) != 0x80) {
                if (next != EOF) {
                    std::ungetc(next, file);
                }
                break;
            }
            bytes += static_cast<char>(next);
        }
        std::u16string units = wince_text::fromUtf8(bytes);
        if (wince_text::toUtf8(units) != bytes) {
            errno = EILSEQ;  // read as U+FFFD all the same
            // Only the lead byte is bad for certain: it alone becomes U+FFFD
            // and the bytes after it are read again, so a bad run never
            // needs more room than one unit.
            if (bytes.size() > 1 && canRewind && std::fsetpos(file, &before) == 0) {
                std::getc(file);
                units = u"\uFFFD";
            }
        }
        if (n + static_cast<int>(units.size()) > size - 1) {
            if (canRewind && n > 0) {
                std::fsetpos(file, &before);
                break;
            }
            units.resize(static_cast<size_t>(size - 1 - n));
        }
        for (char16_t u : units) {
            buffer[n++] = u;
        }
        if (lead == '\n') {
            break;
        }
    }
    if (n == 0) {
        return nullptr;
    }
    buffer[n] = 0;
    return buffer;
}
