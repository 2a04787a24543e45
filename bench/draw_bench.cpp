// The rasteriser into a 240 x 320 RGB565 buffer, beside the same work done
// by pixman: fills, blended fills, copies, copies under each transform,
// alpha-plane blits; lines, ellipses and text on their own. Each pair
// reports pixels per second, so the ratio reads off directly.

#include <pixman.h>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "hal/HALGraphics.h"
#include "hal/HALImage.h"
#include "hal/HALImageRef.h"
#include "hal/hal.h"

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 320;

// Our target and context, and a pixman image over the same pixels.
struct Screen {
    HALImageRef* ref = nullptr;
    HALGraphics* g = nullptr;
    pixman_image_t* pix = nullptr;
    Screen()
    {
        HAL_createMutableImage(&ref, kWidth, kHeight);
        HAL_createGraphicsWithImage(&g, ref);
        pix = pixman_image_create_bits(PIXMAN_r5g6b5, kWidth, kHeight,
                                       reinterpret_cast<uint32_t*>(ref->image->pixels), kWidth * 2);
    }
    ~Screen()
    {
        pixman_image_unref(pix);
        HAL_deleteGraphics(g);
        HAL_deleteImage(ref);
    }
};

// A 64 x 64 picture: opaque (ours RGB565, pixman's the same bits) or with
// per-pixel alpha (ours format 3, pixman's a8r8g8b8 premultiplied).
struct Sprite {
    static constexpr int kSide = 64;
    HALImageRef* ref = nullptr;
    pixman_image_t* pix = nullptr;
    std::vector<uint32_t> argb;
    Sprite(bool alpha)
    {
        std::mt19937 random(7);
        argb.resize(kSide * kSide);
        for (uint32_t& p : argb) {
            uint32_t a = alpha ? random() & 0xFF : 0xFF;
            p = (a << 24) | (random() & 0xFFFFFF);
        }
        HAL_createImageWithRGB(&ref, reinterpret_cast<const int32_t*>(argb.data()), kSide * kSide, kSide, kSide,
                               alpha);
        if (alpha) {
            for (uint32_t& p : argb) {  // pixman wants premultiplied colour
                uint32_t a = p >> 24;
                auto c = [&](int shift) { return (((p >> shift) & 0xFF) * a / 255) << shift; };
                p = (a << 24) | c(16) | c(8) | c(0);
            }
            pix = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSide, kSide, argb.data(), kSide * 4);
        } else {
            pix = pixman_image_create_bits(PIXMAN_r5g6b5, kSide, kSide,
                                           reinterpret_cast<uint32_t*>(ref->image->pixels), kSide * 2);
        }
    }
    ~Sprite()
    {
        pixman_image_unref(pix);
        HAL_deleteImage(ref);
    }
};

void pixels(benchmark::State& state, int64_t perIteration)
{
    state.SetItemsProcessed(state.iterations() * perIteration);
}

// ---- fills ----------------------------------------------------------------

void BM_Fill_Ours(benchmark::State& state)
{
    Screen s;
    HAL_setColor(s.g, static_cast<int32_t>(0xFF3366CCu));
    for (auto _ : state) {
        HAL_fillRect(s.g, 0, 0, kWidth, kHeight);
        benchmark::ClobberMemory();
    }
    pixels(state, kWidth * kHeight);
}
BENCHMARK(BM_Fill_Ours);

void BM_Fill_Pixman(benchmark::State& state)
{
    Screen s;
    pixman_color_t colour{0x3333, 0x6666, 0xCCCC, 0xFFFF};
    pixman_rectangle16_t box{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        pixman_image_fill_rectangles(PIXMAN_OP_SRC, s.pix, &colour, 1, &box);
        benchmark::ClobberMemory();
    }
    pixels(state, kWidth * kHeight);
}
BENCHMARK(BM_Fill_Pixman);

void BM_BlendFill_Ours(benchmark::State& state)
{
    Screen s;
    HAL_setColor(s.g, static_cast<int32_t>(0x803366CCu));
    for (auto _ : state) {
        HAL_fillRect(s.g, 0, 0, kWidth, kHeight);
        benchmark::ClobberMemory();
    }
    pixels(state, kWidth * kHeight);
}
BENCHMARK(BM_BlendFill_Ours);

void BM_BlendFill_Pixman(benchmark::State& state)
{
    Screen s;
    pixman_color_t colour{0x1999, 0x3333, 0x6666, 0x8080};  // premultiplied, alpha 0x80
    pixman_rectangle16_t box{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        pixman_image_fill_rectangles(PIXMAN_OP_OVER, s.pix, &colour, 1, &box);
        benchmark::ClobberMemory();
    }
    pixels(state, kWidth * kHeight);
}
BENCHMARK(BM_BlendFill_Pixman);

// ---- blits ------------------------------------------------------------------

// Tiles the screen with the sprite (each tile a span blit of 64 rows).
template <typename Draw>
void tile(Draw draw)
{
    for (int y = 0; y < kHeight; y += Sprite::kSide) {
        for (int x = 0; x < kWidth; x += Sprite::kSide) {
            draw(x, y);
        }
    }
}

void BM_Blit_Ours(benchmark::State& state)
{
    Screen s;
    Sprite sprite(false);
    int32_t transform = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        tile([&](int x, int y) {
            HAL_drawImmutableRegion(s.g, sprite.ref, 0, 0, Sprite::kSide, Sprite::kSide, transform, x, y);
        });
        benchmark::ClobberMemory();
    }
    pixels(state, kWidth * kHeight);
}
BENCHMARK(BM_Blit_Ours)->DenseRange(0, 7);

// pixman's transforms: the sprite turned and mirrored through a matrix
// (nearest filter), the same eight cases.
void BM_Blit_Pixman(benchmark::State& state)
{
    Screen s;
    Sprite sprite(false);
    int transform = static_cast<int>(state.range(0));
    if (transform != 0) {
        // Destination (x, y) reads source (a x + b y + c, d x + e y + f).
        bool flip = transform & 1, mirror = transform & 2, swap = transform & 4;
        int n = Sprite::kSide - 1;
        pixman_fixed_t one = pixman_fixed_1;
        pixman_fixed_t a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
        if (!swap) {
            a = mirror ? -one : one;
            c = mirror ? n * one : 0;
            e = flip ? -one : one;
            f = flip ? n * one : 0;
        } else {
            b = mirror ? -one : one;  // destination rows follow source columns
            c = mirror ? n * one : 0;
            d = flip ? -one : one;
            f = flip ? n * one : 0;
        }
        pixman_transform_t matrix = {{{a, b, c}, {d, e, f}, {0, 0, one}}};
        pixman_image_set_transform(sprite.pix, &matrix);
        pixman_image_set_filter(sprite.pix, PIXMAN_FILTER_NEAREST, nullptr, 0);
    }
    for (auto _ : state) {
        tile([&](int x, int y) {
            pixman_image_composite32(PIXMAN_OP_SRC, sprite.pix, nullptr, s.pix, 0, 0, 0, 0, x, y, Sprite::kSide,
                                     Sprite::kSide);
        });
        benchmark::ClobberMemory();
    }
    pixels(state, kWidth * kHeight);
}
BENCHMARK(BM_Blit_Pixman)->DenseRange(0, 7);

void BM_AlphaBlit_Ours(benchmark::State& state)
{
    Screen s;
    Sprite sprite(true);
    for (auto _ : state) {
        tile([&](int x, int y) { HAL_drawImage(s.g, sprite.ref, x, y); });
        benchmark::ClobberMemory();
    }
    pixels(state, kWidth * kHeight);
}
BENCHMARK(BM_AlphaBlit_Ours);

void BM_AlphaBlit_Pixman(benchmark::State& state)
{
    Screen s;
    Sprite sprite(true);
    for (auto _ : state) {
        tile([&](int x, int y) {
            pixman_image_composite32(PIXMAN_OP_OVER, sprite.pix, nullptr, s.pix, 0, 0, 0, 0, x, y, Sprite::kSide,
                                     Sprite::kSide);
        });
        benchmark::ClobberMemory();
    }
    pixels(state, kWidth * kHeight);
}
BENCHMARK(BM_AlphaBlit_Pixman);

// An opaque sprite at a context alpha of one half.
void BM_FadedBlit_Ours(benchmark::State& state)
{
    Screen s;
    Sprite sprite(false);
    HAL_setColor(s.g, static_cast<int32_t>(0x80000000u));
    for (auto _ : state) {
        tile([&](int x, int y) { HAL_drawImage(s.g, sprite.ref, x, y); });
        benchmark::ClobberMemory();
    }
    pixels(state, kWidth * kHeight);
}
BENCHMARK(BM_FadedBlit_Ours);

void BM_FadedBlit_Pixman(benchmark::State& state)
{
    Screen s;
    Sprite sprite(false);
    pixman_color_t half{0, 0, 0, 0x8080};
    pixman_image_t* mask = pixman_image_create_solid_fill(&half);
    for (auto _ : state) {
        tile([&](int x, int y) {
            pixman_image_composite32(PIXMAN_OP_OVER, sprite.pix, mask, s.pix, 0, 0, 0, 0, x, y, Sprite::kSide,
                                     Sprite::kSide);
        });
        benchmark::ClobberMemory();
    }
    pixman_image_unref(mask);
    pixels(state, kWidth * kHeight);
}
BENCHMARK(BM_FadedBlit_Pixman);

// ---- shapes and text (no pixman counterpart) -----------------------------------

void BM_Lines_Ours(benchmark::State& state)
{
    Screen s;
    HAL_setColor(s.g, static_cast<int32_t>(0xFFFFFFFFu));
    for (auto _ : state) {
        for (int i = 0; i < 64; ++i) {
            HAL_drawLine(s.g, i * 3, 0, kWidth - 1 - i * 3, kHeight - 1);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_Lines_Ours);

void BM_Ellipses_Ours(benchmark::State& state)
{
    Screen s;
    HAL_setColor(s.g, static_cast<int32_t>(0xFF00FF00u));
    for (auto _ : state) {
        HAL_fillArc(s.g, 10, 10, 200, 280, 0, 360);
        HAL_drawArc(s.g, 10, 10, 200, 280, 0, 360);
        HAL_fillArc(s.g, 20, 20, 150, 150, 30, 200);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 3);
}
BENCHMARK(BM_Ellipses_Ours);

void BM_Text_Ours(benchmark::State& state)
{
    Screen s;
    HAL_setColor(s.g, static_cast<int32_t>(0xFFFFFFFFu));
    const char16_t text[] = u"Score 0012345  Lives 3";
    for (auto _ : state) {
        for (int row = 0; row < 10; ++row) {
            HAL_drawChars(s.g, text, 22, 4, row * 30);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 10);
}
BENCHMARK(BM_Text_Ours);

}  // namespace
