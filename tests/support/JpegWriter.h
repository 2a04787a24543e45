#pragma once
// Builds small JPEG files in memory for image tests and fuzz seeds.

#include <cstdint>
#include <string>
#include <vector>

namespace vxtest {

// width x height pixels as 0xRRGGBB, row after row; baseline or progressive.
std::string jpegRgb(int width, int height, const std::vector<uint32_t>& rgb, int quality = 90,
                    bool progressive = false);

}  // namespace vxtest
