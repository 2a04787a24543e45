// The built-in system properties: the fixed MIDP and CLDC answers, the
// locale and the device's unique identifier.

#include <string>

#include "hal/device.h"
#include "hal/properties.h"
#include "wince/system.h"

// The locale from the user's language identifier.
const char* HAL_getLocale()
{
    char16_t id[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ILANGUAGE, id, 8) == 0) {
        return nullptr;
    }
    struct Locale {
        const char16_t* id;
        const char* text;
    };
    static constexpr Locale kLocales[] = {
        {u"0410", "it-it"}, {u"040C", "fr-fr"}, {u"0816", "pt-pt"},
        {u"0407", "de-de"}, {u"0C0A", "es-es"}, {u"0419", "ru"},
    };
    for (const Locale& l : kLocales) {
        if (std::u16string_view(id) == l.id) {
            return l.text;
        }
    }
    return "en-us";
}

namespace {

// Four characters of the platform name, then the device identifier in
// lowercase hexadecimal; empty when the identifier cannot be read.
std::string readUniqueId()
{
    static constexpr BYTE kApplicationData[] = {'Q', 'z', 'M', 'o', 'b', '_', 'D', 'E', 'V'};
    BYTE id[20];
    DWORD size = sizeof(id);
    if (GetDeviceUniqueID(kApplicationData, sizeof(kApplicationData), 1, id, &size) != S_OK) {
        return std::string();
    }
    std::string text(HAL_getPlatformName());
    text.resize(4, '_');
    static constexpr char kHex[] = "0123456789abcdef";
    for (DWORD i = 0; i < size && text.size() < 4 + 60; ++i) {
        text += kHex[id[i] >> 4];
        text += kHex[id[i] & 15];
    }
    return text;
}

}  // namespace

void HAL_listBuiltInProperties(HALPropertySink sink, void* context)
{
    if (!sink) {
        return;
    }
    sink(context, "microedition.configuration", "CLDC-1.1");
    sink(context, "microedition.platform", "TarquelVelto/PLATFORM_BRIDGE_VERSION");
    sink(context, "microedition.encoding", "UTF-8");
    sink(context, "microedition.profiles", "MIDP-2.0");
    if (const char* locale = HAL_getLocale()) {
        sink(context, "microedition.locale", locale);
    }
    sink(context, "microedition.commports", "");
    sink(context, "microedition.hostname", "");
    sink(context, "javax.microedition.io.Connector.protocolpath",
         "com.tarquel.velto.midp.io.protocol");
    sink(context, "com.tarquel.velto.software.version", "PLATFORM_BRIDGE_VERSION");
    sink(context, "com.tarquel.velto.hal.platform", HAL_getPlatformName());
    sink(context, "com.tarquel.velto.hal.version", HAL_getPlatformVersion());
    std::string uniqueId = readUniqueId();
    if (!uniqueId.empty()) {
        sink(context, "com.tarquel.velto.hal.uniqueid", uniqueId.c_str());
    }
}
