#pragma once
// Writes a manifest's parts into a folder the engine reads them from (the
// application's rsc/ folder) and the identifier header beside the code.
//
// A plain part p is the file RP<p>.rp: the pack's tables and its data block,
// written by the engine's ResourcePackSaver. A chunked part p is the main
// file RP<p>part0.rp (marker, version, the RPHe entry tables and the VFSO
// table) with data files RP<p>part<n>.<ext>: each entry whose type has a file
// of its own gets one, the others share one file per extension.

#include <filesystem>
#include <string>
#include <vector>

#include "Manifest.h"

namespace packbuilder {

// Needs the VM booted and its lock held. Every file read is appended to
// inputs, every constant an entry type adds to constants (when given). A
// failed build throws BuildError and leaves the earlier files.
void writePack(const Manifest& manifest, const std::filesystem::path& outputFolder,
               std::vector<std::filesystem::path>& inputs,
               std::vector<HeaderConstant>* constants = nullptr);

// The header text: one constexpr int32_t per entry, then the added constants,
// then both again as X(name, value) list macros (<NS>_PART<n>_ENTRIES,
// <NS>_<ENTRY>_CONSTANTS with the entry's prefix cut from each name).
std::string identifierHeader(const Manifest& manifest,
                             const std::vector<HeaderConstant>& constants = {});

// Replaces the file's content when it differs (an unchanged header keeps
// its time, so nothing that includes it rebuilds).
void writeFileIfChanged(const std::filesystem::path& file, const std::string& content);

} // namespace packbuilder
