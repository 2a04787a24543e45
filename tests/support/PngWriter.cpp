// PNG files for tests: chunks with their CRCs, rows unfiltered, zlib data.

#include "support/PngWriter.h"

#include <zlib.h>

namespace vxtest {
namespace {

void put32(std::string& out, uint32_t v)
{
    out += static_cast<char>(v >> 24);
    out += static_cast<char>(v >> 16);
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v);
}

void chunk(std::string& out, const char* type, const std::string& data)
{
    put32(out, static_cast<uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    put32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

std::string png(int width, int height, int colourType, const std::string& rows, const std::string& plte,
                const std::string& trns)
{
    std::string out("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    put32(header, static_cast<uint32_t>(width));
    put32(header, static_cast<uint32_t>(height));
    header += static_cast<char>(8);
    header += static_cast<char>(colourType);
    header += std::string(3, '\0');
    chunk(out, "IHDR", header);
    if (!plte.empty()) {
        chunk(out, "PLTE", plte);
    }
    if (!trns.empty()) {
        chunk(out, "tRNS", trns);
    }
    uLongf size = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(rows.data()),
             static_cast<uLong>(rows.size()));
    packed.resize(size);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", "");
    return out;
}

}  // namespace

std::string pngRgba(int width, int height, const std::vector<uint32_t>& argb)
{
    std::string rows;
    for (int y = 0; y < height; ++y) {
        rows += '\0';
        for (int x = 0; x < width; ++x) {
            uint32_t p = argb[static_cast<size_t>(y) * width + x];
            rows += static_cast<char>(p >> 16);
            rows += static_cast<char>(p >> 8);
            rows += static_cast<char>(p);
            rows += static_cast<char>(p >> 24);
        }
    }
    return png(width, height, 6, rows, "", "");
}

std::string pngPalette(int width, int height, const std::vector<uint32_t>& palette,
                       const std::vector<uint8_t>& indices)
{
    std::string plte, trns;
    bool transparent = false;
    for (uint32_t p : palette) {
        plte += static_cast<char>(p >> 16);
        plte += static_cast<char>(p >> 8);
        plte += static_cast<char>(p);
        trns += static_cast<char>(p >> 24);
        transparent |= (p >> 24) != 0xFF;
    }
    std::string rows;
    for (int y = 0; y < height; ++y) {
        rows += '\0';
        for (int x = 0; x < width; ++x) {
            rows += static_cast<char>(indices[static_cast<size_t>(y) * width + x]);
        }
    }
    return png(width, height, 3, rows, plte, transparent ? trns : "");
}

size_t pngChunk(const std::string& png, const char* type)
{
    size_t at = 8;
    while (at + 12 <= png.size()) {
        uint32_t length = (static_cast<uint8_t>(png[at]) << 24) | (static_cast<uint8_t>(png[at + 1]) << 16) |
                          (static_cast<uint8_t>(png[at + 2]) << 8) | static_cast<uint8_t>(png[at + 3]);
        if (png.compare(at + 4, 4, type) == 0) {
            return at;
        }
        at += 12 + length;
    }
    return std::string::npos;
}

}  // namespace vxtest
