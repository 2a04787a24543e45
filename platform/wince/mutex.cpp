// CreateMutexW: named mutexes across programs through lock files in the
// user's runtime folder, keyed by the application folder and the name.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>

#include "wince/KernelObject.h"
#include "wince/detail/path.h"
#include "wince/detail/text.h"
#include "wince/mutex.h"

namespace {

std::mutex g_lock;
// A name this program owns: its open handles and the locked file, held
// until the last handle closes.
struct Owned {
    int handles;
    int lockFd;
};
std::map<std::string, Owned> g_owned;  // by lock file

// A handle of a name this program owns, or of no name (empty).
class MutexObject final : public KernelObject {
public:
    explicit MutexObject(std::string lockFile) : lockFile_(std::move(lockFile)) {}

protected:
    ~MutexObject() override
    {
        std::lock_guard guard(g_lock);
        auto it = g_owned.find(lockFile_);
        if (it != g_owned.end() && --it->second.handles == 0) {
            ::unlink(lockFile_.c_str());  // still locked: nobody takes it meanwhile
            ::close(it->second.lockFd);   // ends the lock
            g_owned.erase(it);
        }
    }

private:
    std::string lockFile_;
};

// A folder of this user's that nobody else may write to.
bool isPrivateFolder(const std::string& folder)
{
    struct stat info;
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 022) == 0;
}

// The folder of the lock files: the user's runtime folder, else a private
// folder of the user's in the temporary folder (made when missing). Empty,
// with the reason, when neither can be used.
std::string lockFolder(std::string* why)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && isPrivateFolder(runtime)) {
        return runtime;
    }
    const char* temporary = std::getenv("TMPDIR");
    if (!temporary || temporary[0] != '/') {
        temporary = "/tmp";
    }
    std::string folder = std::string(temporary) + "/vexalon-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        *why = folder + ": " + std::strerror(errno);
        return {};
    }
    if (!isPrivateFolder(folder)) {
        *why = folder + ": not a folder of this user's alone";
        return {};
    }
    return folder;
}

// The lock file of a name in this application folder: the name with
// everything but letters, digits, '-' and '.' made '_' and cut to 64
// characters, then a hash of the folder and the whole name (so
// "Local\\Game" is "Local_Game-<16 hex digits>.lock").
std::string lockFileFor(const std::string& folder, const std::u16string& name)
{
    std::string utf8 = wince_text::toUtf8(name);
    std::error_code error;
    std::string application = wince_path::applicationFolder();
    std::filesystem::path canonical = std::filesystem::weakly_canonical(application, error);
    if (!error) {
        application = canonical.string();
    }
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (char c : application + '\0' + utf8) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    std::string file;
    for (char c : utf8.substr(0, 64)) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.';
        file += plain ? c : '_';
    }
    char digits[17];
    std::snprintf(digits, sizeof(digits), "%016llx", static_cast<unsigned long long>(hash));
    return folder + "/" + file + "-" + digits + ".lock";
}

// Opens and locks the lock file: its descriptor, -1 when another program
// holds it, -2 (errno set) when it cannot be made.
int lockFile(const std::string& path)
{
    for (;;) {
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            return -2;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return -1;
        }
        // Its last owner may have removed the file between our open and our
        // lock: then the lock is on a file nobody else can find.
        struct stat locked;
        struct stat named;
        if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &named) == 0 &&
            locked.st_ino == named.st_ino && locked.st_dev == named.st_dev) {
            return fd;
        }
        ::close(fd);
    }
}

}  // namespace

// ---- CreateMutexW -----------------------------------------------------------
HANDLE CreateMutexW(LPVOID, BOOL, LPCWSTR name)
{
    std::u16string key = name ? name : u"";
    std::lock_guard guard(g_lock);
    if (key.empty()) {
        return KernelObject::openHandle(new MutexObject(""));
    }
    std::string why;
    std::string folder = lockFolder(&why);
    if (folder.empty()) {
        std::fprintf(stderr, "CreateMutexW: no lock file for \"%s\": %s\n",
                     wince_text::toUtf8(key).c_str(), why.c_str());
        SetLastError(ERROR_PATH_NOT_FOUND);
        return nullptr;
    }
    std::string path = lockFileFor(folder, key);
    auto owned = g_owned.find(path);
    if (owned != g_owned.end()) {
        ++owned->second.handles;
        HANDLE handle = KernelObject::openHandle(new MutexObject(path));
        SetLastError(ERROR_ALREADY_EXISTS);
        return handle;
    }
    int fd = lockFile(path);
    if (fd == -2) {
        std::fprintf(stderr, "CreateMutexW: no lock file for \"%s\": %s: %s\n",
                     wince_text::toUtf8(key).c_str(), path.c_str(), std::strerror(errno));
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if (fd == -1) {  // another program of this folder owns the name
        HANDLE handle = KernelObject::openHandle(new MutexObject(""));
        SetLastError(ERROR_ALREADY_EXISTS);
        return handle;
    }
    g_owned[path] = Owned{1, fd};
    SetLastError(ERROR_SUCCESS);
    return KernelObject::openHandle(new MutexObject(path));
}
