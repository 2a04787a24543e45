// Resource names: whatever the name, a resource opens only inside the
// application's resource folder. Every file in that folder begins with
// "inside:", the file beside it with "outside:", so an opened file is read
// whole and checked. A name with a NUL, a leading separator or a ".." part is
// refused as not found; the names of the folder's files (in any case, with
// either separator) open them.
//
// Layout: byte 0 cuts 0 to 3 units off the counted length; the rest are the
// name's characters, bytes below 0x80 as they are and higher bytes picking
// from a few others (separators, dots, non-ASCII, a lone surrogate).

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "hal/device.h"
#include "support/AppFolder.h"

namespace {

const char16_t kOthers[] = {u'\\', u'/', u'.', u'\0', u'\u00E9', char16_t(0xD800), u'\uFF0E', u'\u2215'};

// The files of the folder, by name with '\' separators in lower case.
struct Known {
    const char* name;
    const char* contents;
};
const Known kInside[] = {
    {"a.bin", "inside:a"},
    {"sub\\b.bin", "inside:b"},
    {"..x", "inside:dots"},
    {"sub\\deeper\\c.bin", "inside:c"},
};

void makeFolder()
{
    const vxtest::AppFolder& folder = vxfuzz_appFolder();
    static bool made = false;
    if (made)
        return;
    folder.write("rsc/A.bin", "inside:a");
    folder.write("rsc/Sub/b.bin", "inside:b");
    folder.write("rsc/..x", "inside:dots");
    folder.write("rsc/Sub/deeper/c.bin", "inside:c");
    folder.write("outside.bin", "outside:beside");
    folder.write("rsc.bin", "outside:prefix");
    made = true;
}

bool refusedName(const std::u16string& name)
{
    if (name.find(u'\0') != std::u16string::npos || name[0] == u'\\' || name[0] == u'/')
        return true;
    size_t start = 0;
    for (size_t i = 0; i <= name.size(); i++) {
        if (i == name.size() || name[i] == u'\\' || name[i] == u'/') {
            if (name.compare(start, i - start, u"..") == 0)
                return true;
            start = i + 1;
        }
    }
    return false;
}

// The known file the name spells, or null.
const Known* knownFile(const std::u16string& name)
{
    std::string spelled;
    for (char16_t c : name) {
        if (c >= 0x80)
            return nullptr;
        spelled += c == u'/' ? '\\' : char(std::tolower(int(c)));
    }
    for (const Known& known : kInside)
        if (spelled == known.name)
            return &known;
    return nullptr;
}

std::string readWhole(HALResource* resource)
{
    const int32_t size = HAL_getResourceSize(resource);
    VXFUZZ_CHECK(size >= 0 && size < 64, "an opened resource has an odd size");
    std::vector<char> bytes(size_t(size) + 1);
    int32_t count = size + 1;
    const int32_t status = HAL_readResource(resource, bytes.data(), 0, &count);
    VXFUZZ_CHECK(status == 0 || status == 3, "reading an opened resource failed");
    VXFUZZ_CHECK(count == size, "a whole read gave another count than the size");
    return std::string(bytes.data(), size_t(count));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    makeFolder();
    if (size < 2 || size > 200)
        return 0;
    std::u16string units;
    for (size_t i = 1; i < size; i++)
        units += data[i] < 0x80 ? char16_t(data[i]) : kOthers[data[i] & 7];
    const int32_t length = int32_t(units.size()) - int32_t(data[0] & 3);
    const std::u16string name = units.substr(0, size_t(length > 0 ? length : 0));

    HALResource* resource = reinterpret_cast<HALResource*>(1);
    const int32_t status = HAL_openResource(&resource, units.data(), length);
    if (length <= 0) {
        VXFUZZ_CHECK(status == 2, "a name without characters was not refused as bad");
        return 0;
    }
    if (status != 0) {
        VXFUZZ_CHECK(status == 4, "a refused name gave a status other than not found");
        VXFUZZ_CHECK(resource == nullptr, "a refused name left a handle");
    }
    if (refusedName(name))
        VXFUZZ_CHECK(status == 4, "a name with a NUL, a root or a '..' part was opened");
    const Known* known = knownFile(name);
    if (known)
        VXFUZZ_CHECK(status == 0, std::string("the resource ") + known->name + " did not open");
    if (status != 0)
        return 0;

    const std::string contents = readWhole(resource);
    HAL_closeResource(resource);
    VXFUZZ_CHECK(contents.compare(0, 7, "inside:") == 0, "a name opened a file outside the folder: " + contents);
    if (known)
        VXFUZZ_CHECK(contents == known->contents, "a name opened another resource");
    return 0;
}
