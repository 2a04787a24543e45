#include "Manifest.h"

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace packbuilder {

namespace {

constexpr int MAX_PART = 63;          // six bits of a resource id
constexpr int MAX_CHUNKED_PART = 7;   // the engine reads parts 1-7 chunked
constexpr size_t MAX_ENTRIES = 1024;  // ten bits of a resource id

bool isIdentifier(const std::string& s)
{
    if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0])))
        return false;
    for (char c : s) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return true;
}

bool parseNumber(const std::string& s, int& value)
{
    if (s.empty() || s.size() > 3)
        return false;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    value = std::stoi(s);
    return true;
}

std::vector<uint8_t> encodeEmpty(EntryContext&)
{
    return {};
}

// The type of the places an `at` skips: no bytes, type byte -1.
const EntryType emptyPlace{"empty", -1, &encodeEmpty, false};

} // namespace

std::vector<std::string> lineWords(std::string text)
{
    if (size_t hash = text.find('#'); hash != std::string::npos)
        text.erase(hash);
    std::istringstream words(text);
    std::vector<std::string> w;
    for (std::string word; words >> word;)
        w.push_back(word);
    return w;
}

Manifest readManifest(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in)
        throw BuildError("cannot read manifest " + file.string());
    Manifest manifest;
    manifest.file = file;
    std::set<std::string> names;
    std::set<int> partNumbers;
    // An `at` waiting for its entry, and its line.
    int placeAt = -1;
    int placeAtLine = 0;
    // The index of the current part's next entry.
    size_t next = 0;
    auto failAt = [&](int line, const std::string& what) {
        throw BuildError(file.string() + ":" + std::to_string(line) + ": " + what);
    };
    auto checkNoPlaceAt = [&]() {
        if (placeAt != -1)
            failAt(placeAtLine, "at " + std::to_string(placeAt) + " has no entry after it");
    };
    std::string text;
    int line = 1;
    for (; std::getline(in, text); line++) {
        auto fail = [&](const std::string& what) { failAt(line, what); };
        std::vector<std::string> w = lineWords(text);
        if (w.empty())
            continue;
        if (w[0] == "namespace") {
            if (w.size() != 2 || !isIdentifier(w[1]))
                fail("expected: namespace <identifier>");
            manifest.identifierNamespace = w[1];
        } else if (w[0] == "at") {
            if (w.size() != 2)
                fail("expected: at <index>");
            if (manifest.parts.empty())
                fail("at before the first part line");
            checkNoPlaceAt();
            int64_t index = parseNumber(w[1], 0, int64_t(MAX_ENTRIES) - 1,
                                        file.string() + ":" + std::to_string(line) + ": index");
            // Back only into a place an earlier `at` skipped.
            const std::vector<ManifestEntry>& placed = manifest.parts.back().entries;
            if (size_t(index) < placed.size() && !placed[size_t(index)].isEmpty())
                fail("at " + w[1] + " goes back: place " + w[1] + " holds " +
                     placed[size_t(index)].name);
            placeAt = int(index);
            placeAtLine = line;
        } else if (w[0] == "part") {
            checkNoPlaceAt();
            int number = 0;
            if (w.size() != 3 || !parseNumber(w[1], number) || (w[2] != "plain" && w[2] != "chunked"))
                fail("expected: part <number> plain|chunked");
            bool chunked = w[2] == "chunked";
            // The engine reads parts 1-7 chunked and every other part plain.
            bool chunkedNumber = number >= 1 && number <= MAX_CHUNKED_PART;
            if (number > MAX_PART || chunked != chunkedNumber)
                fail("part " + w[1] + " cannot be " + w[2] + " (chunked 1-7, plain 0 and 8-63)");
            if (!partNumbers.insert(number).second)
                fail("part " + w[1] + " listed twice");
            manifest.parts.push_back({number, chunked, {}});
            next = 0;
        } else if (w[0] == "entry") {
            if (w.size() < 4)
                fail("expected: entry <identifier> <type> <source> [key=value ...]");
            if (manifest.parts.empty())
                fail("entry before the first part line");
            if (!isIdentifier(w[1]))
                fail("not an identifier: " + w[1]);
            if (!names.insert(w[1]).second)
                fail("identifier listed twice: " + w[1]);
            const EntryType* type = findEntryType(w[2]);
            if (!type)
                fail("unknown entry type: " + w[2]);
            ManifestEntry entry{w[1], type, file.parent_path() / w[3], {}, line};
            for (size_t i = 4; i < w.size(); i++) {
                size_t eq = w[i].find('=');
                if (eq == std::string::npos || eq == 0)
                    fail("expected key=value: " + w[i]);
                entry.options[w[i].substr(0, eq)] = w[i].substr(eq + 1);
            }
            ManifestPart& part = manifest.parts.back();
            if (placeAt != -1) {
                next = size_t(placeAt);
                placeAt = -1;
            }
            if (next == MAX_ENTRIES)
                fail("part " + std::to_string(part.number) + " has more than 1024 entries");
            if (next < part.entries.size()) {
                if (!part.entries[next].isEmpty())
                    fail(w[1] + ": place " + std::to_string(next) + " holds " + part.entries[next].name);
                part.entries[next] = std::move(entry);
            } else {
                while (part.entries.size() < next)
                    part.entries.push_back({"", &emptyPlace, {}, {}, placeAtLine});
                part.entries.push_back(std::move(entry));
            }
            next++;
        } else {
            fail("unknown line: " + w[0]);
        }
    }
    checkNoPlaceAt();
    return manifest;
}

} // namespace packbuilder
