#include "PropertyFiles.h"

#include <vector>

#include "FuzzSupport.h"
#include "hal/properties.h"
#include "support/AppFolder.h"

namespace {

typedef int32_t (*LengthCall)(const char16_t*, int32_t);
typedef int32_t (*CopyCall)(const char16_t*, int32_t, char16_t*, int32_t*);

bool read(LengthCall lengthOf, CopyCall copy, const std::u16string& key, std::u16string* value)
{
    const int32_t keyLength = int32_t(key.size());
    int32_t length = lengthOf(key.data(), keyLength);
    // Exact room, so that a copy beyond it is caught.
    std::vector<char16_t> buffer(size_t(length > 0 ? length : 0));
    int32_t copied = length;
    int32_t status = copy(key.data(), keyLength, buffer.data(), &copied);
    VXFUZZ_CHECK((length < 0) == (status == 4), "the length and copy calls disagree");
    if (status != 0)
        return false;
    VXFUZZ_CHECK(copied == length, "copied a different length");
    value->assign(buffer.begin(), buffer.end());
    return true;
}

} // namespace

FuzzProperties::FuzzProperties(const std::string& systemText, const std::string& applicationText)
{
    const vxtest::AppFolder& folder = vxfuzz_appFolder();
    folder.writeSysProperties(systemText);
    folder.writeAppProperties(applicationText);
    HAL_loadProperties();
}

FuzzProperties::~FuzzProperties()
{
    HAL_freeProperties();
}

bool vxfuzz_applicationProperty(const std::u16string& key, std::u16string* value)
{
    return read(HAL_getApplicationPropertyLength, HAL_getApplicationProperty, key, value);
}

bool vxfuzz_systemProperty(const std::u16string& key, std::u16string* value)
{
    return read(HAL_getSystemPropertyLength, HAL_getSystemProperty, key, value);
}
