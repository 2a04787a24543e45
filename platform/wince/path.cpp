// Windows paths onto host paths, and the application folder.

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

#include "wince/detail/path.h"
#include "wince/detail/text.h"

namespace wince_path {

namespace {

bool exists(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

// The entry of `folder` whose name equals `name` without regard to case.
bool findIgnoringCase(const std::string& folder, const std::string& name, std::string* found)
{
    DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) {
        return false;
    }
    bool hit = false;
    while (dirent* entry = ::readdir(dir)) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
            *found = entry->d_name;
            hit = true;
            break;
        }
    }
    ::closedir(dir);
    return hit;
}

std::string executablePath()
{
    std::vector<char> buffer(4096);
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return n > 0 ? std::string(buffer.data(), static_cast<size_t>(n)) : std::string("/vexalon");
}

// The folder named by VEXALON_APP_DIR, made absolute once: a relative name
// is taken from the working folder of the first call after it was set, so
// later changes of the working folder do not move the application.
std::string folderFromEnvironment()
{
    static std::mutex lock;
    static std::string named;
    static std::string absolute;
    const char* folder = std::getenv("VEXALON_APP_DIR");
    std::lock_guard guard(lock);
    if (!folder || !*folder) {
        named.clear();
        return {};
    }
    if (named != folder) {
        named = folder;
        std::error_code error;
        std::filesystem::path path = std::filesystem::absolute(named, error);
        absolute = error ? named : path.lexically_normal().string();
        while (absolute.size() > 1 && absolute.back() == '/') {
            absolute.pop_back();
        }
    }
    return absolute;
}

}  // namespace

std::string modulePath()
{
    std::string exe = executablePath();
    std::string folder = folderFromEnvironment();
    if (folder.empty()) {
        return exe;
    }
    std::string name = exe.substr(exe.find_last_of('/') + 1);
    return folder == "/" ? "/" + name : folder + "/" + name;
}

std::string applicationFolder()
{
    std::string module = modulePath();
    size_t slash = module.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? std::string("/") : module.substr(0, slash);
}

std::string toHost(std::u16string_view windowsPath)
{
    std::string path = wince_text::toUtf8(windowsPath);
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    if (path.empty() || path[0] != '/') {
        path = applicationFolder() + "/" + path;
    }
    if (exists(path)) {
        return path;
    }
    // Walk the parts, replacing each by its case-insensitive match.
    std::string resolved;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        std::string part = path.substr(start, end - start);
        if (!part.empty()) {
            std::string match;
            if (!exists(resolved + "/" + part) && findIgnoringCase(resolved, part, &match)) {
                part = match;
            }
            resolved += "/" + part;
        }
        start = end + 1;
    }
    if (!path.empty() && path.back() == '/') {
        resolved += '/';
    }
    return resolved.empty() ? std::string("/") : resolved;
}

}  // namespace wince_path
