#pragma once
// Entry types of the pack builder. Each type turns the source of one
// manifest entry into the entry's bytes. A type lives in a source file of its
// own and registers itself with a static EntryTypeRegistrar:
//
//   static std::vector<uint8_t> encodeFoo(EntryContext& entry) { ... }
//   static EntryTypeRegistrar foo("foo", -1, &encodeFoo);
//
// The code is the entry's type byte in the pack's tables and, in chunked
// parts, its type in the VFSO table, which picks the data file's extension.
// Encoders run with the VM booted and its lock held, so they may use the
// engine's own writers. They report bad input by throwing BuildError.

#include <cstdint>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace packbuilder {

struct BuildError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A source's number: decimal, or hexadecimal after 0x, with an optional '-',
// the whole text read (a leading 0 is still decimal). Anything else, or a
// value outside low..high, throws BuildError "<what> must be from <low> to
// <high>: <text>"; what names the source line and the value.
int64_t parseNumber(const std::string& text, int64_t low, int64_t high, const std::string& what);

// A constant an entry type adds to the identifier header.
struct HeaderConstant {
    std::string entry; // the entry that added it
    std::string name;
    int32_t value;
};

// A line of a source, its # comment cut off, with "file:line: " for messages.
struct SourceLine {
    std::string where;
    std::string text;
};

struct EntryContext {
    std::string name;                          // the identifier
    std::filesystem::path source;              // resolved against the manifest's folder
    std::map<std::string, std::string> options; // key=value words after the source
    std::vector<std::filesystem::path>* inputs; // every file read, for the build's dependencies
    int32_t id;                                // this entry's resource identifier
    const std::map<std::string, int32_t>* identifiers; // every entry of the manifest
    std::vector<HeaderConstant>* constants = nullptr; // the header's added constants

    // The source's bytes (recorded as an input).
    std::vector<uint8_t> readSource() const;
    // The source's lines, comments cut off; blank ones are kept.
    std::vector<SourceLine> readSourceLines() const;
    // Another file's bytes, resolved against the source's folder.
    std::vector<uint8_t> readFile(const std::filesystem::path& path) const;
    // An option's value, or fallback when absent.
    std::string option(const std::string& key, const std::string& fallback = "") const;
    // The resource identifier of another entry of the manifest; an unknown
    // name throws BuildError.
    int32_t identifier(const std::string& name) const;
    // An integer option; a value that is not one throws BuildError.
    int32_t intOption(const std::string& key, int32_t fallback) const;
    // Adds `constexpr int32_t name = value;` to the identifier header. A name
    // that is not a C++ identifier or is already taken (by an entry or another
    // constant) throws BuildError.
    void addConstant(const std::string& name, int32_t value);
};

using Encoder = std::vector<uint8_t> (*)(EntryContext& entry);

struct EntryType {
    std::string name;
    int8_t code;
    Encoder encode;
    // Chunked parts give an entry of a type with its own file (pictures the
    // engine decodes by file name) a data file to itself.
    bool ownFile;
};

// The registered type with the name, or null.
const EntryType* findEntryType(const std::string& name);
// Every registered type, by name.
std::vector<const EntryType*> entryTypes();

struct EntryTypeRegistrar {
    EntryTypeRegistrar(const char* name, int8_t code, Encoder encode, bool ownFile = false);
};

} // namespace packbuilder
