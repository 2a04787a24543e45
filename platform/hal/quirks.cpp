// Device quirks: switched by a system property, else defaulted by the
// device class and screen size.

#include <cstring>
#include <string>

#include "hal/properties.h"
#include "wince/user.h"

namespace {

enum QuirkState : int32_t {
    kNotEvaluated = 0,
    kOffByDefault = 2,
    kOnByDefault = 3,
    kOffByProperty = 4,
    kOnByProperty = 5,
};

// A default routine: the state, and for a known sub-key its text.
typedef QuirkState (*DefaultRoutine)(const char* subKey, std::u16string* text);

QuirkState pointerDefault(const char* subKey, std::u16string* text);

struct Quirk {
    const char16_t* name;
    DefaultRoutine defaultRoutine;
};

constexpr Quirk kQuirks[HAL_QUIRK_COUNT] = {
    {u"TQ_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS", pointerDefault},
};

QuirkState g_states[HAL_QUIRK_COUNT] = {};

QuirkState pointerDefault(const char* subKey, std::u16string* text)
{
    const char16_t* where = nullptr;
    switch (HAL_getDeviceClass()) {
    case 3:
        where = u"407,26";
        break;
    case 4:
        where = u"407,26,505,26";
        break;
    case 5: {
        int w = GetSystemMetrics(SM_CXSCREEN);
        int h = GetSystemMetrics(SM_CYSCREEN);
        if ((w == 240 && h == 320) || (w == 320 && h == 240)) {
            where = u"203,13,247,13";
        }
        break;
    }
    case 6:
        where = u"171,13";
        break;
    case 7:
        where = u"203,13,251,13";
        break;
    default:
        break;
    }
    if (!where) {
        return kOffByDefault;
    }
    if (subKey && text && std::strcmp(subKey, "WHERE") == 0) {
        *text = where;
    }
    return kOnByDefault;
}

// A system property's value, at most 64 characters; false when absent.
bool systemProperty(const std::u16string& key, std::u16string* value)
{
    char16_t buffer[64];
    int32_t length = 64;
    if (HAL_getSystemProperty(key.data(), static_cast<int32_t>(key.size()), buffer, &length) != 0) {
        return false;
    }
    value->assign(buffer, static_cast<size_t>(length));
    return true;
}

// The decimal integer at the start of text (after blanks); false when none.
bool readInteger(std::u16string_view text, int32_t* value)
{
    size_t i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        ++i;
    }
    if (i >= text.size() || text[i] < u'0' || text[i] > u'9') {
        return false;
    }
    int64_t n = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        n = std::min<int64_t>(n * 10 + (text[i] - u'0'), INT32_MAX);
        ++i;
    }
    *value = static_cast<int32_t>(negative ? -n : n);
    return true;
}

QuirkState evaluate(HALQuirk quirk)
{
    if (g_states[quirk] != kNotEvaluated) {
        return g_states[quirk];
    }
    std::u16string value;
    QuirkState state;
    if (systemProperty(kQuirks[quirk].name, &value)) {
        int32_t number = 0;
        state = value != u"false" && readInteger(value, &number) && number != 0 ? kOnByProperty
                                                                               : kOffByProperty;
    } else {
        state = kQuirks[quirk].defaultRoutine ? kQuirks[quirk].defaultRoutine(nullptr, nullptr)
                                              : kOffByDefault;
    }
    g_states[quirk] = state;
    return state;
}

bool validQuirk(HALQuirk quirk)
{
    return quirk >= 0 && quirk < HAL_QUIRK_COUNT;
}

// The sub-value text; false when there is none.
bool subValue(HALQuirk quirk, const char* subKey, std::u16string* text)
{
    if (!validQuirk(quirk) || !subKey) {
        return false;
    }
    evaluate(quirk);
    std::u16string key = std::u16string(kQuirks[quirk].name) + u"_";
    for (const char* c = subKey; *c; ++c) {
        key += static_cast<char16_t>(static_cast<unsigned char>(*c));
    }
    if (systemProperty(key, text)) {
        return true;
    }
    text->clear();
    if (kQuirks[quirk].defaultRoutine) {
        kQuirks[quirk].defaultRoutine(subKey, text);
    }
    return !text->empty();
}

}  // namespace

int32_t HAL_getDeviceClass()
{
    struct Model {
        const char16_t* text;
        int32_t deviceClass;
    };
    static constexpr Model kModels[] = {
        {u"Microsoft DeviceEmulator", 2}, {u"HTC Touch Diamond P3700", 3}, {u"DIAM500", 3},
        {u"HTC-P4600", 4},                {u"HTC", 5},                     {u"O2 Xda Atom Exec", 6},
        {u"PA10A1", 7},
    };
    std::u16string oem = HAL_getSystemParameterText(SPI_GETOEMINFO);
    for (const Model& m : kModels) {
        if (oem == m.text) {
            return m.deviceClass;
        }
    }
    return 1;
}

bool HAL_isQuirkOn(HALQuirk quirk)
{
    if (!validQuirk(quirk)) {
        return false;
    }
    QuirkState state = evaluate(quirk);
    return state == kOnByDefault || state == kOnByProperty;
}

void HAL_resetQuirks()
{
    for (QuirkState& s : g_states) {
        s = kNotEvaluated;
    }
}

bool HAL_getQuirkText(HALQuirk quirk, const char* subKey, char16_t* buffer, int32_t bufferLength)
{
    std::u16string text;
    bool found = subValue(quirk, subKey, &text);
    if (buffer && bufferLength > 0) {
        size_t n = std::min(text.size(), static_cast<size_t>(bufferLength - 1));
        std::copy(text.begin(), text.begin() + n, buffer);
        buffer[n] = 0;
    }
    return found;
}

bool HAL_getQuirkInts(HALQuirk quirk, const char* subKey, int32_t* values, int32_t* count)
{
    if (!count) {
        return false;
    }
    std::u16string text;
    bool found = subValue(quirk, subKey, &text);
    int32_t wanted = values ? *count : 0;
    int32_t n = 0;
    size_t start = 0;
    // Each comma and the end of the text end a token; a token without a
    // number is skipped.
    while (found && n < wanted && start <= text.size()) {
        size_t comma = text.find(u',', start);
        size_t end = comma == std::u16string::npos ? text.size() : comma;
        int32_t value = 0;
        if (readInteger(std::u16string_view(text).substr(start, end - start), &value)) {
            values[n++] = value;
        }
        start = end + 1;
    }
    *count = n;
    return found;
}
