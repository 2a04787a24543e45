// Windows paths onto host paths, over a small application folder: the host
// path is absolute, keeps every part of the Windows path in order (only the
// case of a part may change, and only to the name of an entry that exists),
// stays in the application folder when the Windows path is relative and has
// no "..", and finds every file of the folder however its name is cased.

#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "wince/detail/path.h"
#include "wince/detail/text.h"

namespace {

// The files of the folder, by path relative to it (no two differ by case
// alone, so a case-insensitive name has one answer).
const char* const kFiles[] = {
    "rsc/RP1part0.rp", "rsc/Data/Level.bin", "properties/app.prop", "MixedCase/Inner/file.TXT",
    "plain.txt",
};

// Makes the application folder once and names it through VEXALON_APP_DIR.
const std::string& applicationFolder()
{
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vexalon-fuzz-path-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            vxfuzz_fail("no temporary folder");
        }
        for (const char* file : kFiles) {
            std::filesystem::path path = std::filesystem::path(pattern) / file;
            std::filesystem::create_directories(path.parent_path());
            std::ofstream(path) << "x";
        }
        setenv("VEXALON_APP_DIR", pattern.c_str(), 1);
        return pattern;
    }();
    return folder;
}

std::vector<std::string> parts(const std::string& path)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end > start) {
            out.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return out;
}

bool sameIgnoringCase(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (::strcasecmp(a[i].c_str(), b[i].c_str()) != 0) {
            return false;
        }
    }
    return true;
}

// Input bytes as path units: most bytes as themselves (backslashes, dots and
// letters are common), a few as characters beyond ASCII; a NUL ends the path
// as it ends a Windows string.
std::u16string windowsPath(const uint8_t* data, size_t size)
{
    static constexpr char16_t kWide[] = {u'\u00E9', u'\u00C9', u'\u4E2D', 0xD83D, 0xDE00, 0xDC00};
    std::u16string path;
    for (size_t i = 0; i < size && data[i] != 0; ++i) {
        uint8_t b = data[i];
        path += b >= 0xFA ? kWide[b - 0xFA] : static_cast<char16_t>(b);
    }
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& folder = applicationFolder();
    if (size > 4096) {
        return 0;
    }
    std::u16string windows = windowsPath(data, size);
    std::string host = wince_path::toHost(windows);

    std::string written = wince_text::toUtf8(windows);
    for (char& c : written) {
        c = c == '\\' ? '/' : c;
    }
    bool relative = written.empty() || written[0] != '/';
    std::string full = relative ? folder + "/" + written : written;

    VXFUZZ_CHECK(!host.empty() && host[0] == '/', "a host path that is not absolute");
    VXFUZZ_CHECK(host.find('\\') == std::string::npos, "a backslash left in the host path");
    std::vector<std::string> hostParts = parts(host);
    std::vector<std::string> wanted = parts(full);
    VXFUZZ_CHECK(sameIgnoringCase(hostParts, wanted), "the parts changed beyond their case");
    // A part whose case changed names an entry that exists.
    std::string prefix;
    for (size_t i = 0; i < hostParts.size(); ++i) {
        prefix += "/" + hostParts[i];
        if (hostParts[i] != wanted[i]) {
            struct stat info;
            VXFUZZ_CHECK(::lstat(prefix.c_str(), &info) == 0, "a recased part names nothing");
        }
    }
    bool climbs = false;
    for (const std::string& part : parts(written)) {
        climbs |= part == "..";
    }
    if (relative && !climbs) {
        VXFUZZ_CHECK(host.compare(0, folder.size() + 1, folder + "/") == 0 || host == folder,
                     "a relative path left the application folder");
    }
    // Every file of the folder is found, however the path cases it.
    std::vector<std::string> asked = parts(written);
    bool namesAFile = relative && !written.empty() && written.back() != '/';
    for (const char* file : kFiles) {
        if (namesAFile && sameIgnoringCase(asked, parts(file))) {
            VXFUZZ_CHECK(host == folder + "/" + file, "a file of the folder was not found");
        }
    }
    return 0;
}
