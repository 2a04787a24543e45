// vx_testpicture: writes a small paletted PNG for the tests' packs.
//
//   vx_testpicture <out.png> <width> <height> <0xAARRGGBB>...
//
// Pixel i (row after row) takes colour i mod n of the n colours given.

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "support/PngWriter.h"

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s <out.png> <width> <height> <0xAARRGGBB>...\n", argv[0]);
        return 2;
    }
    int width = std::atoi(argv[2]);
    int height = std::atoi(argv[3]);
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
        std::fprintf(stderr, "vx_testpicture: bad size %s x %s\n", argv[2], argv[3]);
        return 2;
    }
    std::vector<uint32_t> palette;
    for (int i = 4; i < argc && palette.size() < 256; i++)
        palette.push_back(uint32_t(std::strtoul(argv[i], nullptr, 0)));
    std::vector<uint8_t> indices(size_t(width) * size_t(height));
    for (size_t i = 0; i < indices.size(); i++)
        indices[i] = uint8_t(i % palette.size());
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    std::string png = vxtest::pngPalette(width, height, palette, indices);
    out.write(png.data(), std::streamsize(png.size()));
    return out.flush() ? 0 : 1;
}
