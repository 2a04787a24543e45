// Writing a 240 x 320 paletted PNG: the canvas's stored-block writer beside
// libpng at its fastest setting (no compression, no filtering) on the same
// picture. Both report bytes of pixels per second.

#include <png.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "InVM.h"
#include "Ratios.h"
#include "tq/TqCanvas.h"

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 320;
constexpr int kColours = 16;

std::vector<uint8_t> picture()
{
    std::vector<uint8_t> pixels(size_t(kWidth) * kHeight);
    for (size_t i = 0; i < pixels.size(); i++)
        pixels[i] = uint8_t((i * 7 + i / kWidth) % kColours);
    return pixels;
}

void BM_PngPalettedCanvas(benchmark::State& state)
{
    InVM vm;
    std::vector<uint8_t> pixels = picture();
    VMPtr<tq::TqCanvas::ByteArray> a = tq::TqCanvas::ByteArray::newArray(int32_t(pixels.size()));
    std::memcpy(a->elements(), pixels.data(), pixels.size());
    VMPtr<tq::TqCanvas::ByteArray> palette = tq::TqCanvas::ByteArray::newArray(kColours * 3 + 4);
    for (auto _ : state) {
        VMPtr<tq::TqCanvas::ByteArray> png =
            tq::TqCanvas::createPalettedPng(a, 0, kWidth, kWidth, kHeight, palette, 0);
        benchmark::DoNotOptimize(png->elements());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight);
}
BENCHMARK(BM_PngPalettedCanvas)->Unit(benchmark::kMicrosecond);

void appendToVector(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void BM_PngPalettedLibpng(benchmark::State& state)
{
    std::vector<uint8_t> pixels = picture();
    std::vector<png_color> palette(kColours);
    png_byte alpha = 0;
    std::vector<png_bytep> rows(kHeight);
    for (int y = 0; y < kHeight; y++)
        rows[size_t(y)] = pixels.data() + size_t(y) * kWidth;
    for (auto _ : state) {
        // A new buffer each time, as the canvas writes a new array.
        std::vector<uint8_t> out;
        out.reserve(size_t(kWidth + 1) * kHeight + 1024);
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_set_write_fn(png, &out, appendToVector, nullptr);
        png_set_compression_level(png, 0);
        png_set_filter(png, 0, PNG_FILTER_NONE);
        png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_PLTE(png, info, palette.data(), kColours);
        png_set_tRNS(png, info, &alpha, 1, nullptr);
        png_set_rows(png, info, rows.data());
        png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
        png_destroy_write_struct(&png, &info);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight);
}
BENCHMARK(BM_PngPalettedLibpng)->Unit(benchmark::kMicrosecond);

const vxbench::Ratio pngRatio("PNG write 240x320 vs libpng level 0", "BM_PngPalettedCanvas",
                              "BM_PngPalettedLibpng", 1.0);

} // namespace
