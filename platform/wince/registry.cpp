// The registry: an in-memory table of keys and values, read only for the
// program (tests fill it through the seam). Key and value names compare
// without regard to case, as on the device.

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "wince/detail/text.h"
#include "wince/registry.h"
#include "wince/testing.h"

namespace {

struct Value {
    DWORD type;
    std::vector<BYTE> data;
};

// A key is its root and its lower-case path; handles point at the node.
struct KeyNode {
    std::map<std::u16string, Value> values;  // by lower-case name
};

std::mutex g_lock;

std::u16string lower(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c + 32);
        }
    }
    return out;
}

std::map<std::u16string, KeyNode>& keys()
{
    static std::map<std::u16string, KeyNode> table;
    return table;
}

std::u16string keyName(HKEY root, std::u16string_view path)
{
    std::u16string name = root == HKEY_LOCAL_MACHINE  ? u"hklm\\"
                        : root == HKEY_CURRENT_USER  ? u"hkcu\\"
                        : root == HKEY_CLASSES_ROOT  ? u"hkcr\\"
                                                     : u"";
    return name.empty() ? name : name + lower(path);
}

void put(HKEY root, const char16_t* key, const char16_t* name, Value value)
{
    keys()[keyName(root, key)].values[lower(name ? name : u"")] = std::move(value);
}

Value dword(DWORD v)
{
    Value value{REG_DWORD, std::vector<BYTE>(4)};
    for (int i = 0; i < 4; ++i) {
        value.data[i] = static_cast<BYTE>(v >> (8 * i));
    }
    return value;
}

Value string(const char16_t* text)
{
    size_t n = wince_text::length(text) + 1;
    Value value{REG_SZ, std::vector<BYTE>(n * 2)};
    for (size_t i = 0; i < n; ++i) {
        char16_t c = i + 1 < n ? text[i] : 0;
        value.data[2 * i] = static_cast<BYTE>(c);
        value.data[2 * i + 1] = static_cast<BYTE>(c >> 8);
    }
    return value;
}

// The stand-in's device: three minutes on battery, screen off after one.
void fillDefaults()
{
    keys().clear();
    const char16_t* power = u"SYSTEM\\CurrentControlSet\\Control\\Power";
    const char16_t* timeouts = u"SYSTEM\\CurrentControlSet\\Control\\Power\\Timeouts";
    put(HKEY_LOCAL_MACHINE, power, u"BattPowerOff", dword(180));
    put(HKEY_LOCAL_MACHINE, power, u"ExtPowerOff", dword(0));
    put(HKEY_LOCAL_MACHINE, power, u"ScreenPowerOff", dword(60));
    put(HKEY_LOCAL_MACHINE, timeouts, u"BattSuspendTimeout", dword(180));
    put(HKEY_LOCAL_MACHINE, timeouts, u"ACSuspendTimeout", dword(0));
    put(HKEY_LOCAL_MACHINE, u"Ident", u"Name", string(u"Vexalon"));
}

void ensureDefaults()
{
    static bool filled = false;
    if (!filled) {
        fillDefaults();
        filled = true;
    }
}

}  // namespace

// ---- RegOpenKeyExW: a handle to an existing key ------------------------
LONG RegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD, DWORD, HKEY* result)
{
    if (!result) {
        return ERROR_INVALID_PARAMETER;
    }
    *result = nullptr;
    std::lock_guard guard(g_lock);
    ensureDefaults();
    std::u16string name = keyName(root, subKey ? subKey : u"");
    auto it = name.empty() ? keys().end() : keys().find(name);
    if (it == keys().end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    *result = reinterpret_cast<HKEY>(&it->second);
    return ERROR_SUCCESS;
}

// ---- RegQueryValueExW -------------------------------------------------------
LONG RegQueryValueExW(HKEY key, LPCWSTR name, DWORD*, DWORD* type, BYTE* data, DWORD* size)
{
    if (!key || (data && !size)) {
        return ERROR_INVALID_PARAMETER;
    }
    std::lock_guard guard(g_lock);
    auto* node = reinterpret_cast<KeyNode*>(key);
    auto it = node->values.find(lower(name ? name : u""));
    if (it == node->values.end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    const Value& value = it->second;
    if (type) {
        *type = value.type;
    }
    DWORD needed = static_cast<DWORD>(value.data.size());
    if (data && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data) {
        std::copy(value.data.begin(), value.data.end(), data);
    }
    if (size) {
        *size = needed;
    }
    return ERROR_SUCCESS;
}

// ---- RegCloseKey: keys live as long as the table ------------------------
LONG RegCloseKey(HKEY key)
{
    return key ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

namespace wince {

void setRegistryDword(HKEY root, const char16_t* key, const char16_t* name, DWORD value)
{
    std::lock_guard guard(g_lock);
    ensureDefaults();
    put(root, key, name, dword(value));
}

void setRegistryString(HKEY root, const char16_t* key, const char16_t* name,
                       const char16_t* value)
{
    std::lock_guard guard(g_lock);
    ensureDefaults();
    put(root, key, name, string(value));
}

void resetRegistry()
{
    std::lock_guard guard(g_lock);
    fillDefaults();
}

void clearRegistry()
{
    std::lock_guard guard(g_lock);
    ensureDefaults();
    keys().clear();
}

}  // namespace wince
