// UTF-16 <-> UTF-8 conversions of the stand-in.

#include "wince/detail/text.h"

namespace wince_text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (c >> 10));
        out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
}

}  // namespace

std::string toUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = kReplacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::u16string fromUtf8(std::string_view text)
{
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80 ? 0
                  : (lead & 0xE0) == 0xC0 ? 1
                  : (lead & 0xF0) == 0xE0 ? 2
                  : (lead & 0xF8) == 0xF0 ? 3
                  : -1;
        bool ok = extra >= 0 && i + extra < text.size();
        char32_t c = ok ? (extra == 0 ? lead : lead & (0x3F >> extra)) : 0;
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(text[i + k]);
            ok = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!ok || c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
            appendUtf16(out, kReplacement);  // skip one byte and resynchronise
            ++i;
            continue;
        }
        appendUtf16(out, c);
        i += extra + 1;
    }
    return out;
}

size_t length(const char16_t* text)
{
    size_t n = 0;
    if (text) {
        while (text[n]) {
            ++n;
        }
    }
    return n;
}

bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i] >= u'A' && a[i] <= u'Z' ? a[i] + 32 : a[i];
        char16_t y = b[i] >= u'A' && b[i] <= u'Z' ? b[i] + 32 : b[i];
        if (x != y) {
            return false;
        }
    }
    return true;
}

}  // namespace wince_text
