// CreateMutexW: named mutexes across programs through lock files in the
// application folder.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

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
            ::close(it->second.lockFd);  // ends the lock
            g_owned.erase(it);
        }
    }

private:
    std::string lockFile_;
};

// ".mutex-" plus the name with everything but letters, digits, '-' and '.'
// replaced by '_' (so "Local\\Game" is ".mutex-Local_Game.lock").
std::string lockFileFor(const std::u16string& name)
{
    std::string file = ".mutex-";
    for (char c : wince_text::toUtf8(name)) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.';
        file += plain ? c : '_';
    }
    return wince_path::applicationFolder() + "/" + file + ".lock";
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
    std::string path = lockFileFor(key);
    auto owned = g_owned.find(path);
    if (owned != g_owned.end()) {
        ++owned->second.handles;
        HANDLE handle = KernelObject::openHandle(new MutexObject(path));
        SetLastError(ERROR_ALREADY_EXISTS);
        return handle;
    }
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);  // another program of this folder owns the name
        HANDLE handle = KernelObject::openHandle(new MutexObject(""));
        SetLastError(ERROR_ALREADY_EXISTS);
        return handle;
    }
    g_owned[path] = Owned{1, fd};
    SetLastError(ERROR_SUCCESS);
    return KernelObject::openHandle(new MutexObject(path));
}
