#pragma once
// Contact sheets of a pack's pictures for review: every Gob of a Gob set and
// every frame of an animation set in a grid, each with its collision boxes
// outlined and its number written beside it, saved as an RGBA PNG. Needs the
// VM booted and its lock held; the resources are read from the current
// application folder's packs.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace contactsheet {

struct SheetError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws SheetError when the set does not load or the file cannot be written.
void writeGobSetSheet(int32_t gobSetId, const std::string& title, const std::filesystem::path& png);

// gobSetId -1 draws the frames' collision boxes and placement outlines only.
void writeAnimSetSheet(int32_t animSetId, int32_t gobSetId, const std::string& title,
                       const std::filesystem::path& png);

} // namespace contactsheet
