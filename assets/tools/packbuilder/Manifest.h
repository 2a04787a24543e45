#pragma once
// A pack manifest: one text file per pack.
//
//   # comment                      (to the end of the line)
//   namespace ids                  C++ namespace of the identifier header
//   part 1 chunked                 following entries go to part 1 (parts 1-7
//   part 8 plain                   are chunked, 0 and 8-63 plain)
//   entry LOGO png art/logo.png    identifier, entry type, source, then
//   entry HIT wav hit.wav loop=1   key=value options for the type
//   at 6                           the next entry goes to index 6 of its
//                                  part; the places skipped stay empty
//
// An entry's identifier is (part << 10) | its index in the part, in the
// order the entries are listed. An `at` may go back into places an earlier
// one skipped; the entries after it fill them in order. Sources are
// relative to the manifest.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "EntryType.h"

namespace packbuilder {

// An empty place (skipped by `at`) has no name and no bytes.
struct ManifestEntry {
    std::string name;
    const EntryType* type;
    std::filesystem::path source;
    std::map<std::string, std::string> options;
    int line;

    bool isEmpty() const { return name.empty(); }
};

struct ManifestPart {
    int number;
    bool chunked;
    std::vector<ManifestEntry> entries;
};

struct Manifest {
    std::filesystem::path file;
    std::string identifierNamespace = "res";
    std::vector<ManifestPart> parts;
};

// The blank-separated words of a line, from a # to its end cut off.
std::vector<std::string> lineWords(std::string text);

// Throws BuildError "file:line: what" for a malformed line, an unknown type,
// a repeated identifier or part, a part with more than 1024 entries, an
// entry put on a place another holds, or an `at` that goes back to a place
// another entry holds, past 1023 or has no entry after it.
Manifest readManifest(const std::filesystem::path& file);

} // namespace packbuilder
