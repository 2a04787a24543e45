#include "EntryType.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>

namespace packbuilder {

namespace {

std::map<std::string, EntryType>& registry()
{
    static std::map<std::string, EntryType> types;
    return types;
}

std::vector<uint8_t> readWhole(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw BuildError("cannot read " + path.string());
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

} // namespace

std::vector<uint8_t> EntryContext::readSource() const
{
    inputs->push_back(source);
    return readWhole(source);
}

std::vector<SourceLine> EntryContext::readSourceLines() const
{
    std::vector<uint8_t> bytes = readSource();
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<SourceLine> lines;
    std::string text;
    for (int line = 1; std::getline(in, text); line++) {
        if (size_t hash = text.find('#'); hash != std::string::npos)
            text.erase(hash);
        lines.push_back({source.filename().string() + ":" + std::to_string(line) + ": ", text});
    }
    return lines;
}

std::vector<uint8_t> EntryContext::readFile(const std::filesystem::path& path) const
{
    std::filesystem::path resolved = source.parent_path() / path;
    inputs->push_back(resolved);
    return readWhole(resolved);
}

std::string EntryContext::option(const std::string& key, const std::string& fallback) const
{
    auto it = options.find(key);
    return it == options.end() ? fallback : it->second;
}

int32_t EntryContext::identifier(const std::string& other) const
{
    auto it = identifiers->find(other);
    if (it == identifiers->end())
        throw BuildError("no entry named " + other);
    return it->second;
}

int32_t EntryContext::intOption(const std::string& key, int32_t fallback) const
{
    auto it = options.find(key);
    if (it == options.end())
        return fallback;
    return int32_t(parseNumber(it->second, INT32_MIN, INT32_MAX, "option " + key));
}

void EntryContext::addConstant(const std::string& constant, int32_t value)
{
    bool valid = !constant.empty() && !std::isdigit(static_cast<unsigned char>(constant[0]));
    for (char c : constant)
        valid = valid && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
    if (!valid)
        throw BuildError("constant name is not an identifier: " + constant);
    if (identifiers->count(constant))
        throw BuildError("constant " + constant + " has the name of an entry");
    if (!constants)
        throw BuildError("no identifier header for constant " + constant);
    for (const HeaderConstant& other : *constants) {
        if (other.name == constant)
            throw BuildError("constant " + constant + " already added by " + other.entry);
    }
    constants->push_back({name, constant, value});
}

const EntryType* findEntryType(const std::string& name)
{
    auto it = registry().find(name);
    return it == registry().end() ? nullptr : &it->second;
}

std::vector<const EntryType*> entryTypes()
{
    std::vector<const EntryType*> all;
    for (const auto& [name, type] : registry())
        all.push_back(&type);
    return all;
}

EntryTypeRegistrar::EntryTypeRegistrar(const char* name, int8_t code, Encoder encode, bool ownFile)
{
    registry().emplace(name, EntryType{name, code, encode, ownFile});
}

int64_t parseNumber(const std::string& text, int64_t low, int64_t high, const std::string& what)
{
    const char* first = text.data();
    const char* last = first + text.size();
    bool negative = first != last && *first == '-';
    if (negative)
        first++;
    int base = 10;
    if (last - first > 2 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X')) {
        first += 2;
        base = 16;
    }
    uint64_t magnitude = 0;
    auto [end, error] = std::from_chars(first, last, magnitude, base);
    bool read = first != last && error == std::errc() && end == last && magnitude <= uint64_t(INT64_MAX);
    int64_t value = negative ? -int64_t(magnitude) : int64_t(magnitude);
    if (!read || value < low || value > high) {
        throw BuildError(what + " must be from " + std::to_string(low) + " to " + std::to_string(high) +
                         ": " + text);
    }
    return value;
}

} // namespace packbuilder
