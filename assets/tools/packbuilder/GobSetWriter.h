#pragma once
// The Gob-set writer shared by the entry types that write Gob sets.

#include <array>
#include <cstdint>
#include <vector>

#include "EntryType.h"

namespace packbuilder {

constexpr int GOB_FIELDS = 10;

// One Gob: its ten-value record (xOffset, yOffset, x, y, width, height,
// collisionX, collisionY, round bit 15 with collisionWidth, collisionHeight)
// and its transparency class 0..3.
struct GobRecord {
    std::array<int32_t, GOB_FIELDS> record{};
    int32_t transparency = 0;
};

// The resource identifier of the entry's image=<picture entry>, which must
// be in the entry's part; throws BuildError otherwise.
int32_t gobSetImage(EntryContext& entry);

// The Gob-set stream of the records, cut from the picture imageId. More
// than 4095 Gobs or columns beyond the length field throw BuildError.
std::vector<uint8_t> writeGobSet(int32_t imageId, const std::vector<GobRecord>& gobs);

} // namespace packbuilder
