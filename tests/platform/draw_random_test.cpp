// Seeded random drawing: the fast pixel paths against the reference paths,
// and a checksum of the result against a recorded value. One seed is one
// test case (run it alone with --gtest_filter='*Random*/7').

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <random>
#include <vector>

#include "hal/HALGraphics.h"
#include "hal/HALImage.h"
#include "hal/HALImageRef.h"
#include "hal/hal.h"
#include "hal/pixels.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// Three sources: opaque, colour-keyed, alpha plane.
struct Sources {
    HALImageRef* image[3] = {};
    Sources()
    {
        std::mt19937 random(99);
        for (int kind = 0; kind < 3; ++kind) {
            std::vector<int32_t> argb(13 * 9);
            for (int32_t& p : argb) {
                uint32_t colour = random() & 0xFFFFFF;
                uint32_t alpha = kind == 0 ? 0xFF : kind == 1 ? ((random() & 3) ? 0xFF : 0) : random() & 0xFF;
                p = static_cast<int32_t>((alpha << 24) | colour);
            }
            HAL_createImageWithRGB(&image[kind], argb.data(), 13 * 9, 13, 9, kind != 0);
        }
    }
    ~Sources()
    {
        for (HALImageRef* i : image) {
            HAL_deleteImage(i);
        }
    }
};

// Runs `count` random operations from the seed into a fresh target; returns
// its pixels.
std::vector<uint16_t> draw(uint32_t seed, int count, bool withText)
{
    Sources sources;
    HALImageRef* target = nullptr;
    HAL_createMutableImage(&target, kWidth, kHeight);
    HALGraphics* g = nullptr;
    HAL_createGraphicsWithImage(&g, target);
    std::mt19937 random(seed);
    auto any = [&](int from, int to) { return from + static_cast<int>(random() % static_cast<uint32_t>(to - from + 1)); };
    auto x = [&] { return any(-20, kWidth + 20); };
    auto y = [&] { return any(-20, kHeight + 20); };
    auto range = [&](int from, int to) { return [&any, from, to] { return any(from, to); }; };
    // The numbers of one call, drawn last argument first (the order the
    // checksum was recorded in): an argument list's own order of evaluation
    // is the compiler's.
    auto args = [](std::initializer_list<std::function<int()>> makers) {
        std::vector<int> a(makers.size());
        for (size_t k = a.size(); k-- > 0;) {
            a[k] = makers.begin()[k]();
        }
        return a;
    };
    std::vector<int32_t> pixels(40 * 40);
    for (int32_t& p : pixels) {
        p = static_cast<int32_t>(random());
    }
    for (int i = 0; i < count; ++i) {
        uint32_t alphas[] = {0, 5, 8, 100, 128, 247, 248, 255};
        uint32_t alpha = alphas[random() % 8];
        HAL_setColor(g, static_cast<int32_t>((alpha << 24) | (random() & 0xFFFFFF)));
        HAL_setStrokeStyle(g, static_cast<int32_t>(random() % 2));
        std::vector<int> a;
        switch (random() % 16) {
        case 0:
            a = args({x, y, range(-5, 70), range(-5, 50)});
            HAL_fillRect(g, a[0], a[1], a[2], a[3]);
            break;
        case 1:
            a = args({x, y, x, y});
            HAL_drawLine(g, a[0], a[1], a[2], a[3]);
            break;
        case 2:
            a = args({x, y, range(-5, 40), range(-5, 40)});
            HAL_drawRect(g, a[0], a[1], a[2], a[3]);
            break;
        case 3:
            a = args({x, y, range(0, 40), range(0, 40), range(0, 20), range(0, 20)});
            HAL_drawRoundRect(g, a[0], a[1], a[2], a[3], a[4], a[5]);
            break;
        case 4:
            a = args({x, y, range(0, 40), range(0, 40), range(0, 20), range(0, 20)});
            HAL_fillRoundRect(g, a[0], a[1], a[2], a[3], a[4], a[5]);
            break;
        case 5:
            a = args({x, y, range(-2, 50), range(-2, 50), range(-400, 400), range(-10, 400)});
            HAL_drawArc(g, a[0], a[1], a[2], a[3], a[4], a[5]);
            break;
        case 6:
            a = args({x, y, range(-2, 50), range(-2, 50), range(-400, 400), range(-10, 400)});
            HAL_fillArc(g, a[0], a[1], a[2], a[3], a[4], a[5]);
            break;
        case 7:
            a = args({x, y, x, y, x, y});
            HAL_fillTriangle(g, a[0], a[1], a[2], a[3], a[4], a[5]);
            break;
        case 8: {
            auto word = [&] { return static_cast<int>(random()); };
            a = args({x, y, range(-2, 40), range(-2, 40), word, word, range(0, 1)});
            HAL_fillGradientRect(g, a[0], a[1], a[2], a[3], a[4], a[5], a[6] != 0);
            break;
        }
        case 9:
        case 10:
        case 11: {
            HALImageRef* source = sources.image[random() % 3];
            int sx = any(0, 12), sy = any(0, 8);
            a = args({range(0, 13 - sx), range(0, 9 - sy), range(0, 7), x, y});
            HAL_drawImmutableRegion(g, source, sx, sy, a[0], a[1], a[2], a[3], a[4]);
            break;
        }
        case 12: {
            a = args({x, y});
            HAL_drawImage(g, sources.image[random() % 3], a[0], a[1]);
            break;
        }
        case 13:
            a = args({x, y, range(1, 40), range(1, 40), range(0, 1)});
            HAL_drawRGB(g, pixels.data(), 40 * 40, 40, a[0], a[1], a[2], a[3], a[4] != 0);
            break;
        case 14:
            a = args({range(0, 30), range(0, 20), range(1, 30), range(1, 20), x, y});
            HAL_copyArea(g, a[0], a[1], a[2], a[3], a[4], a[5]);
            break;
        default:
            if (random() % 2) {
                a = args({x, y, range(-5, 70), range(-5, 50)});
                HAL_setClip(g, a[0], a[1], a[2], a[3]);
            } else {
                a = args({x, y, range(0, 70), range(0, 50)});
                HAL_clipRect(g, a[0], a[1], a[2], a[3]);
            }
            if (withText) {
                a = args({x, y});
                HAL_drawChars(g, u"Vx&9", 4, a[0], a[1]);
            }
            break;
        }
    }
    std::vector<uint16_t> out(target->image->pixels, target->image->pixels + kWidth * kHeight);
    HAL_deleteGraphics(g);
    HAL_deleteImage(target);
    return out;
}

class RandomDrawing : public ::testing::TestWithParam<uint32_t> {};

TEST_P(RandomDrawing, FastPathsMatchTheReferencePaths)
{
    std::vector<uint16_t> fast = draw(GetParam(), 300, true);
    bool was = HAL_setReferencePixelPaths(true);
    std::vector<uint16_t> reference = draw(GetParam(), 300, true);
    HAL_setReferencePixelPaths(was);
    ASSERT_EQ(fast.size(), reference.size());
    for (size_t i = 0; i < fast.size(); ++i) {
        ASSERT_EQ(fast[i], reference[i]) << "seed " << GetParam() << " pixel " << i % kWidth << "," << i / kWidth;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomDrawing, ::testing::Range(0u, 24u));

TEST(RandomDrawingChecksum, MatchesTheRecordedValue)
{
    uint32_t hash = 2166136261u;
    for (uint32_t seed = 1000; seed < 1008; ++seed) {
        for (uint16_t p : draw(seed, 400, false)) {
            hash = (hash ^ (p & 0xFF)) * 16777619u;
            hash = (hash ^ (p >> 8)) * 16777619u;
        }
    }
    EXPECT_EQ(hash, 1168012332u);
}

}  // namespace

namespace {

// Lines reaching far past the target: the closed-form stepping visits only
// the visible steps and gives the reference stepping's pixels.
std::vector<uint16_t> farLines(uint32_t seed)
{
    HALImageRef* target = nullptr;
    HAL_createMutableImage(&target, kWidth, kHeight);
    HALGraphics* g = nullptr;
    HAL_createGraphicsWithImage(&g, target);
    std::mt19937 random(seed);
    auto far = [&] { return static_cast<int32_t>(random() % 8001) - 4000; };
    for (int i = 0; i < 200; ++i) {
        HAL_setColor(g, static_cast<int32_t>(random()));
        HAL_setStrokeStyle(g, static_cast<int32_t>(random() % 2));
        if (i % 3 == 0) {
            HAL_setClip(g, static_cast<int32_t>(random() % kWidth), static_cast<int32_t>(random() % kHeight), 30, 20);
        }
        HAL_drawLine(g, far(), far(), far(), far());
        HAL_drawLine(g, far(), static_cast<int32_t>(random() % kHeight), far(), static_cast<int32_t>(random() % kHeight));
    }
    std::vector<uint16_t> out(target->image->pixels, target->image->pixels + kWidth * kHeight);
    HAL_deleteGraphics(g);
    HAL_deleteImage(target);
    return out;
}

TEST(FarLines, ClosedFormStepsMatchTheReferenceAndHugeLinesEnd)
{
    for (uint32_t seed = 0; seed < 4; ++seed) {
        std::vector<uint16_t> fast = farLines(seed);
        bool was = HAL_setReferencePixelPaths(true);
        std::vector<uint16_t> reference = farLines(seed);
        HAL_setReferencePixelPaths(was);
        EXPECT_EQ(fast, reference) << "seed " << seed;
    }
    HALImageRef* target = nullptr;
    HAL_createMutableImage(&target, kWidth, kHeight);
    HALGraphics* g = nullptr;
    HAL_createGraphicsWithImage(&g, target);
    HAL_setColor(g, 0);
    HAL_drawLine(g, -2000000000, -2000000000, 2000000000, 2000000000);
    EXPECT_EQ(*target->image->pixelAt(5, 5), 0);
    EXPECT_EQ(*target->image->pixelAt(6, 5), 0xFFFF);
    HAL_deleteGraphics(g);
    HAL_deleteImage(target);
}

}  // namespace
