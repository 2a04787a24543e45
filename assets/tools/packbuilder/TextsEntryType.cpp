// Text tables: the texts of one language, by text identifier.
//
//   entry TEXTS texts english.txt
//
// The source is UTF-8 with one text per line, in identifier order (the
// first line is text 0). A line NAME=text also puts `constexpr int32_t NAME`
// (the text's identifier) into the identifier header. Empty lines and lines
// starting with '#' are skipped; in a text, \n stands for a line break and
// \\ for a backslash.
//
// The entry is the count (16 bits), then for each text its byte length (16
// bits) and its bytes in modified UTF-8 (U+0000 as C0 80, characters beyond
// U+FFFF as two surrogates of three bytes each).

#include <cctype>
#include <sstream>

#include "EntryType.h"

namespace packbuilder {

namespace {

constexpr size_t MAX_TEXTS = 0xFFFF;
constexpr size_t MAX_TEXT_BYTES = 0x7FFF;

struct SourceText {
    std::string name; // empty when the line has no NAME=
    std::u16string text;
};

// The length of the NAME= prefix of a line, or 0.
size_t namePrefix(const std::string& line)
{
    if (line.empty() || !(std::isalpha(static_cast<unsigned char>(line[0])) || line[0] == '_'))
        return 0;
    size_t i = 1;
    while (i < line.size() && (std::isalnum(static_cast<unsigned char>(line[i])) || line[i] == '_'))
        i++;
    return i < line.size() && line[i] == '=' ? i + 1 : 0;
}

// UTF-8 to UTF-16, with the two escapes; malformed input throws.
std::u16string decode(const std::string& text, const std::string& where)
{
    std::u16string out;
    size_t i = 0;
    while (i < text.size()) {
        uint32_t b = uint8_t(text[i]);
        if (b == '\\') {
            if (i + 1 == text.size())
                throw BuildError(where + "a \\ at the end of the line");
            char next = text[i + 1];
            if (next == 'n')
                out += u'\n';
            else if (next == '\\')
                out += u'\\';
            else
                throw BuildError(where + "unknown escape \\" + std::string(1, next));
            i += 2;
            continue;
        }
        int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + size_t(extra) >= text.size())
            throw BuildError(where + "not UTF-8");
        uint32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; k++) {
            uint32_t cont = uint8_t(text[i + size_t(k)]);
            if ((cont & 0xC0) != 0x80)
                throw BuildError(where + "not UTF-8");
            c = c << 6 | (cont & 0x3F);
        }
        static const uint32_t lowest[] = {0, 0x80, 0x800, 0x10000};
        if (c < lowest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            throw BuildError(where + "not UTF-8");
        if (c > 0xFFFF) {
            c -= 0x10000;
            out += char16_t(0xD800 | c >> 10);
            out += char16_t(0xDC00 | (c & 0x3FF));
        } else {
            out += char16_t(c);
        }
        i += size_t(extra) + 1;
    }
    return out;
}

void putModifiedUtf8(std::vector<uint8_t>& out, char16_t c)
{
    if (c != 0 && c < 0x80) {
        out.push_back(uint8_t(c));
    } else if (c < 0x800) {
        out.push_back(uint8_t(0xC0 | c >> 6));
        out.push_back(uint8_t(0x80 | (c & 0x3F)));
    } else {
        out.push_back(uint8_t(0xE0 | c >> 12));
        out.push_back(uint8_t(0x80 | (c >> 6 & 0x3F)));
        out.push_back(uint8_t(0x80 | (c & 0x3F)));
    }
}

std::vector<SourceText> readTexts(EntryContext& entry)
{
    std::vector<uint8_t> bytes = entry.readSource();
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<SourceText> texts;
    std::string line;
    for (int number = 1; std::getline(in, line); number++) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::string where = entry.source.filename().string() + ":" + std::to_string(number) + ": ";
        size_t prefix = namePrefix(line);
        SourceText text;
        if (prefix)
            text.name = line.substr(0, prefix - 1);
        text.text = decode(line.substr(prefix), where);
        texts.push_back(std::move(text));
    }
    return texts;
}

std::vector<uint8_t> encodeTexts(EntryContext& entry)
{
    std::vector<SourceText> texts = readTexts(entry);
    if (texts.size() > MAX_TEXTS)
        throw BuildError("more than 65535 texts");
    std::vector<uint8_t> out{uint8_t(texts.size() >> 8), uint8_t(texts.size())};
    for (size_t id = 0; id < texts.size(); id++) {
        std::vector<uint8_t> bytes;
        for (char16_t c : texts[id].text)
            putModifiedUtf8(bytes, c);
        if (bytes.size() > MAX_TEXT_BYTES)
            throw BuildError("text " + std::to_string(id) + " is longer than 32767 bytes");
        out.push_back(uint8_t(bytes.size() >> 8));
        out.push_back(uint8_t(bytes.size()));
        out.insert(out.end(), bytes.begin(), bytes.end());
        if (!texts[id].name.empty())
            entry.addConstant(texts[id].name, int32_t(id));
    }
    return out;
}

EntryTypeRegistrar texts("texts", -1, &encodeTexts);

} // namespace

} // namespace packbuilder
