// System facts: screen metrics, system parameters, version, locale and the
// device identifier. The stand-in's device is a 240 x 320 phone; the seam
// lets tests play other devices.

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>

#include "wince/detail/text.h"
#include "wince/system.h"
#include "wince/testing.h"
#include "wince/user.h"

namespace {

struct Device {
    INT width = WINCE_DEFAULT_SCREEN_WIDTH;
    INT height = WINCE_DEFAULT_SCREEN_HEIGHT;
    std::u16string oemInfo = u"Vexalon Desktop";
    std::u16string manufacturer = u"Vexalon";
    std::u16string platformType = u"PocketPC";
};

std::mutex g_lock;
Device g_device;
bool g_memorySet = false;
DWORD g_availablePhysical = 0;
DWORD g_availableVirtual = 0;

// Copies text with its terminator into a buffer of `bytes` bytes.
BOOL copyText(const std::u16string& text, LPVOID data, UINT bytes)
{
    if (!data || bytes < (text.size() + 1) * sizeof(WCHAR)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    auto* out = static_cast<WCHAR*>(data);
    std::copy(text.begin(), text.end(), out);
    out[text.size()] = 0;
    return TRUE;
}

// Language identifiers by the language part of LANG.
DWORD languageId()
{
    struct Language {
        const char* prefix;
        DWORD id;
    };
    static constexpr Language kLanguages[] = {
        {"it", 0x0410}, {"fr", 0x040C}, {"pt", 0x0816}, {"de", 0x0407},
        {"es", 0x0C0A}, {"ru", 0x0419}, {"en", 0x0409},
    };
    const char* lang = std::getenv("LC_ALL");
    if (!lang || !*lang) {
        lang = std::getenv("LANG");
    }
    if (lang) {
        for (const Language& l : kLanguages) {
            if (std::strncmp(lang, l.prefix, 2) == 0) {
                return l.id;
            }
        }
    }
    return 0x0409;
}

// A stable machine text behind the device identifier.
std::string machineText()
{
    std::ifstream in("/etc/machine-id");
    std::string id;
    std::getline(in, id);
    return id.empty() ? std::string("vexalon-desktop") : id;
}

}  // namespace

// ---- GetSystemMetrics: the screen size ------------------------------------
INT GetSystemMetrics(INT index)
{
    std::lock_guard guard(g_lock);
    switch (index) {
    case SM_CXSCREEN:
        return g_device.width;
    case SM_CYSCREEN:
        return g_device.height;
    default:
        return 0;
    }
}

// ---- SystemParametersInfoW: work area and the device texts -------------
// The desktop has no task bar, so the work area is the whole screen.
BOOL SystemParametersInfoW(UINT action, UINT param, LPVOID data, UINT)
{
    std::lock_guard guard(g_lock);
    switch (action) {
    case SPI_GETWORKAREA:
        if (!data) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        *static_cast<RECT*>(data) = RECT{0, 0, g_device.width, g_device.height};
        return TRUE;
    case SPI_GETPLATFORMTYPE:
        return copyText(g_device.platformType, data, param);
    case SPI_GETOEMINFO:
        return copyText(g_device.oemInfo, data, param);
    case SPI_GETPLATFORMMANUFACTURER:
        return copyText(g_device.manufacturer, data, param);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}

// ---- GetVersionExW: Windows CE 5.2 ------------------------------------
BOOL GetVersionExW(OSVERSIONINFOW* info)
{
    if (!info || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 2;
    info->dwBuildNumber = 1;
    info->dwPlatformId = VER_PLATFORM_WIN32_CE;
    info->szCSDVersion[0] = 0;
    return TRUE;
}

// ---- GetLocaleInfoW ---------------------------------------------------------
INT GetLocaleInfoW(DWORD, DWORD type, LPWSTR data, INT size)
{
    if (type != LOCALE_ILANGUAGE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    DWORD id = languageId();
    WCHAR text[5] = {kHex[(id >> 12) & 15], kHex[(id >> 8) & 15], kHex[(id >> 4) & 15],
                     kHex[id & 15], 0};
    if (size == 0) {
        return 5;
    }
    if (!data || size < 5) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(data, text, sizeof(text));
    return 5;
}

// ---- GetDeviceUniqueID ------------------------------------------------------
// 20 bytes mixed (FNV-1a per byte lane) from the machine and the
// application's data, so two applications get different identifiers.
HRESULT GetDeviceUniqueID(const BYTE* applicationData, DWORD applicationDataSize, DWORD version,
                          BYTE* id, DWORD* size)
{
    if (!applicationData || applicationDataSize < 8 || version != 1 || !id || !size) {
        return E_INVALIDARG;
    }
    std::string seed = machineText();
    seed.append(reinterpret_cast<const char*>(applicationData), applicationDataSize);
    DWORD count = *size < 20 ? *size : 20;
    for (DWORD lane = 0; lane < count; ++lane) {
        uint32_t hash = 2166136261u ^ lane;
        for (unsigned char c : seed) {
            hash = (hash ^ c) * 16777619u;
        }
        id[lane] = static_cast<BYTE>(hash ^ (hash >> 8) ^ (hash >> 16) ^ (hash >> 24));
    }
    *size = count;
    return S_OK;
}

namespace wince {

void setScreenSize(INT width, INT height)
{
    std::lock_guard guard(g_lock);
    g_device.width = width;
    g_device.height = height;
}

void setDeviceTexts(const char16_t* oemInfo, const char16_t* manufacturer,
                    const char16_t* platformType)
{
    std::lock_guard guard(g_lock);
    if (oemInfo) {
        g_device.oemInfo = oemInfo;
    }
    if (manufacturer) {
        g_device.manufacturer = manufacturer;
    }
    if (platformType) {
        g_device.platformType = platformType;
    }
}

void resetDevice()
{
    std::lock_guard guard(g_lock);
    g_device = Device{};
}

void setAvailableMemory(DWORD physical, DWORD virtualBytes)
{
    std::lock_guard guard(g_lock);
    g_memorySet = true;
    g_availablePhysical = physical;
    g_availableVirtual = virtualBytes;
}

void useRealMemory()
{
    std::lock_guard guard(g_lock);
    g_memorySet = false;
}

void applyMemoryFigures(MEMORYSTATUS* status)
{
    std::lock_guard guard(g_lock);
    if (g_memorySet && status) {
        status->dwAvailPhys = g_availablePhysical;
        status->dwAvailVirtual = g_availableVirtual;
    }
}

}  // namespace wince
