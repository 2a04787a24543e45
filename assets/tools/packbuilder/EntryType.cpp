#include "EntryType.h"

#include <cctype>
#include <fstream>
#include <iterator>

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
    try {
        size_t used = 0;
        long value = std::stol(it->second, &used, 0);
        if (used == it->second.size() && value >= INT32_MIN && value <= INT32_MAX)
            return int32_t(value);
    } catch (const std::exception&) {
    }
    throw BuildError("option " + key + " is not an integer: " + it->second);
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

} // namespace packbuilder
