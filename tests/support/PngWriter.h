#pragma once
// Builds small PNG files in memory for image tests and fuzz seeds: 8-bit
// RGBA, or palette pictures with an optional transparency chunk.

#include <cstdint>
#include <string>
#include <vector>

namespace vxtest {

// width x height pixels as 0xAARRGGBB, row after row.
std::string pngRgba(int width, int height, const std::vector<uint32_t>& argb);
// Palette entries as 0xAARRGGBB (the alphas go into a tRNS chunk when any
// is below 255) and one palette index per pixel.
std::string pngPalette(int width, int height, const std::vector<uint32_t>& palette,
                       const std::vector<uint8_t>& indices);
// Offset of the first chunk of that type (its length field), or npos.
size_t pngChunk(const std::string& png, const char* type);

}  // namespace vxtest
