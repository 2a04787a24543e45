// The software rasteriser: pixel tables for spans, lines, blends,
// transforms, ellipses, arcs, gradients and triangles.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "hal/HALEllipse.h"
#include "hal/HALGraphics.h"
#include "hal/HALImage.h"
#include "hal/HALImageRef.h"
#include "hal/graphics.h"
#include "hal/image.h"
#include "hal/pixels.h"

namespace {

// A w x h opaque target cleared to 0 and a context on it.
struct Target {
    HALImageRef* ref = nullptr;
    HALGraphics* g = nullptr;

    Target(int w, int h)
    {
        EXPECT_EQ(HAL_createMutableImage(&ref, w, h), 0);
        EXPECT_EQ(HAL_createGraphicsWithImage(&g, ref), 0);
        clear(0);
        HAL_setColor(g, static_cast<int32_t>(0xFFFFFFFFu));
    }
    ~Target()
    {
        HAL_deleteGraphics(g);
        HAL_deleteImage(ref);
    }
    HALImage* image() const { return ref->image; }
    uint16_t at(int x, int y) const { return *image()->pixelAt(x, y); }
    void clear(uint16_t v)
    {
        for (int y = 0; y < image()->height; ++y) {
            for (int x = 0; x < image()->width; ++x) {
                *image()->pixelAt(x, y) = v;
            }
        }
    }
    // Rows of '#' (pixel not 0) and '.'.
    std::vector<std::string> mask() const
    {
        std::vector<std::string> rows;
        for (int y = 0; y < image()->height; ++y) {
            std::string row;
            for (int x = 0; x < image()->width; ++x) {
                row += at(x, y) ? '#' : '.';
            }
            rows.push_back(row);
        }
        return rows;
    }
};

TEST(Colour565, ConvertsByDroppingLowBitsAndReadsBackUnreplicated)
{
    struct Case {
        uint32_t argb;
        uint16_t rgb565;
        uint32_t readBack;
    } cases[] = {
        {0xFFFFFFFFu, 0xFFFF, 0xFFF8FCF8u}, {0xFF000000u, 0x0000, 0xFF000000u},
        {0xFF123456u, 0x11AA, 0xFF103450u}, {0xFF070307u, 0x0000, 0xFF000000u},
        {0xFFF80000u, 0xF800, 0xFFF80000u}, {0xFF00FC00u, 0x07E0, 0xFF00FC00u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HAL_rgb565(c.argb), c.rgb565) << std::hex << c.argb;
        HALImageRef* ref = nullptr;
        int32_t pixel = static_cast<int32_t>(c.argb);
        ASSERT_EQ(HAL_createImageWithRGB(&ref, &pixel, 1, 1, 1, true), 0);
        int32_t out = 0;
        HAL_getImmutableRGB(ref, &out, 1, 1, 0, 0, 1, 1);
        EXPECT_EQ(static_cast<uint32_t>(out), c.readBack) << std::hex << c.argb;
        HAL_deleteImage(ref);
    }
}

TEST(Blend, FillRectSkipsBlendsOrCopiesByAlpha)
{
    struct Case {
        uint32_t alpha;
        uint16_t overBlack;
        uint16_t overWhite;  // a black source over white: the wrap-around path
    } cases[] = {{5, 0x0000, 0xFFFF}, {7, 0x0000, 0xFFFF}, {8, 0x0020, 0xF7BE},
                 {128, 0x7BEF, 0x7BEF}, {247, 0xF7BE, 0x0020}, {250, 0xFFFF, 0x0000}};
    for (const Case& c : cases) {
        Target t(3, 1);
        HAL_setColor(t.g, static_cast<int32_t>((c.alpha << 24) | 0xFFFFFFu));
        HAL_fillRect(t.g, 0, 0, 3, 1);
        EXPECT_EQ(t.at(1, 0), c.overBlack) << "alpha " << c.alpha;
        t.clear(0xFFFF);
        HAL_setColor(t.g, static_cast<int32_t>(c.alpha << 24));
        HAL_fillRect(t.g, 0, 0, 3, 1);
        EXPECT_EQ(t.at(1, 0), c.overWhite) << "alpha " << c.alpha;
    }
}

TEST(Lines, OutlinesAreOpaqueAtAnyAlpha)
{
    Target t(6, 4);
    HAL_setColor(t.g, 0x00FFFFFF);
    HAL_drawRect(t.g, 0, 0, 4, 2);
    HAL_drawLine(t.g, 5, 0, 5, 3);
    EXPECT_EQ(t.mask(), (std::vector<std::string>{"######", "#...##", "######", ".....#"}));
}

TEST(Lines, DottedPhasesRunFromBothEnds)
{
    Target t(16, 16);
    HAL_setStrokeStyle(t.g, 1);
    HAL_drawLine(t.g, 0, 0, 15, 0);
    HAL_drawLine(t.g, 0, 1, 0, 15);
    std::string row, column;
    for (int i = 0; i < 16; ++i) {
        row += t.at(i, 0) ? '#' : '.';
        column += t.at(0, i) ? '#' : '.';
    }
    EXPECT_EQ(row, "####....####....");
    // The column starts at y = 1: 15 pixels, the pattern counted from its top.
    EXPECT_EQ(column, "#####....####...");
}

TEST(Lines, ClippedLineDrawsOnlyInsideAndOutsideDrawsNothing)
{
    Target t(8, 8);
    HAL_setClip(t.g, 2, 2, 4, 4);
    HAL_drawLine(t.g, 0, 0, 7, 7);
    HAL_drawLine(t.g, 0, 7, 1, 0);  // its box misses the clip
    EXPECT_EQ(t.mask(), (std::vector<std::string>{"........", "........", "..#.....", "...#....", "....#...",
                                                  ".....#..", "........", "........"}));
}

// Lines whose ends lie beyond the int range apart still draw where they
// cross the clip.
TEST(Lines, LinesSpanningMoreThanAnIntDrawWhereTheyCrossTheClip)
{
    struct Case {
        int32_t x1, y1, x2, y2;
        int32_t onX, onY, dx, dy;  // the first visible pixel and the step along the line
    } cases[] = {
        {INT32_MIN, 10, INT32_MAX, 10, 0, 10, 1, 0},
        {INT32_MAX, 10, INT32_MIN, 10, 0, 10, 1, 0},
        {5, INT32_MIN, 5, INT32_MAX, 5, 0, 0, 1},
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 0, 1, 1},
        {INT32_MAX, 63 - INT32_MAX, 63 - INT32_MAX, INT32_MAX, 63, 0, -1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x1) + "," + std::to_string(c.y1) + " to " + std::to_string(c.x2) +
                     "," + std::to_string(c.y2));
        Target t(64, 64);
        HAL_drawLine(t.g, c.x1, c.y1, c.x2, c.y2);
        int drawn = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                drawn += t.at(x, y) != 0;
            }
        }
        EXPECT_EQ(drawn, 64);
        for (int i = 0; i < 64; ++i) {
            ASSERT_NE(t.at(c.onX + i * c.dx, c.onY + i * c.dy), 0) << i;
        }
    }
}

// Source pixels 1..6 in a 2 x 3 region; the eight transforms.
TEST(Blit, EightTransformsOfATwoByThreeRegion)
{
    struct Case {
        int transform;
        int w, h;
        std::vector<uint16_t> expected;
    } cases[] = {
        {0, 2, 3, {1, 2, 3, 4, 5, 6}}, {1, 2, 3, {5, 6, 3, 4, 1, 2}}, {2, 2, 3, {2, 1, 4, 3, 6, 5}},
        {3, 2, 3, {6, 5, 4, 3, 2, 1}}, {4, 3, 2, {1, 3, 5, 2, 4, 6}}, {5, 3, 2, {5, 3, 1, 6, 4, 2}},
        {6, 3, 2, {2, 4, 6, 1, 3, 5}}, {7, 3, 2, {6, 4, 2, 5, 3, 1}},
    };
    HALImage* source = HALImage::create(4, 4, HALImage::kOpaque);
    for (int i = 0; i < 16; ++i) {
        source->pixels[i] = 0x7777;
    }
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 2; ++x) {
            *source->pixelAt(x + 1, y + 1) = static_cast<uint16_t>(1 + x + 2 * y);
        }
    }
    HALImageRef* ref = HALImageRef::create(source);
    for (const Case& c : cases) {
        Target t(5, 5);
        HAL_drawImmutableRegion(t.g, ref, 1, 1, 2, 3, c.transform, 1, 1);
        std::vector<uint16_t> got;
        for (int y = 0; y < c.h; ++y) {
            for (int x = 0; x < c.w; ++x) {
                got.push_back(t.at(1 + x, 1 + y));
            }
        }
        EXPECT_EQ(got, c.expected) << "transform " << c.transform;
        EXPECT_EQ(t.at(1 + c.w, 1), 0) << "transform " << c.transform;
        EXPECT_EQ(t.at(1, 1 + c.h), 0) << "transform " << c.transform;
        // Every clip gives the unclipped result cut to the clip.
        for (int cx = 0; cx < 5; ++cx) {
            for (int cw = 1; cx + cw <= 5; ++cw) {
                for (int cy = 0; cy < 5; cy += 2) {
                    Target clipped(5, 5);
                    HAL_setClip(clipped.g, cx, cy, cw, 2);
                    HAL_drawImmutableRegion(clipped.g, ref, 1, 1, 2, 3, c.transform, 1, 1);
                    for (int y = 0; y < 5; ++y) {
                        for (int x = 0; x < 5; ++x) {
                            bool inside = x >= cx && x < cx + cw && y >= cy && y < cy + 2;
                            ASSERT_EQ(clipped.at(x, y), inside ? t.at(x, y) : 0)
                                << "transform " << c.transform << " clip " << cx << "," << cy << "," << cw
                                << " at " << x << "," << y;
                        }
                    }
                }
            }
        }
    }
    ref->release();
}

TEST(Blit, ColourKeyIsNeverWrittenAndAlphaPlaneBlends)
{
    int32_t argb[4] = {0x00FF00FF, static_cast<int32_t>(0xFFFF00FFu), static_cast<int32_t>(0x80FFFFFFu),
                       static_cast<int32_t>(0xFFFFFFFFu)};
    HALImageRef* keyed = nullptr;
    ASSERT_EQ(HAL_createImageWithRGB(&keyed, argb, 2, 2, 1, true), 0);
    EXPECT_EQ(keyed->image->format, HALImage::kColourKey);
    HALImageRef* plane = nullptr;
    ASSERT_EQ(HAL_createImageWithRGB(&plane, argb + 2, 2, 2, 1, true), 0);
    EXPECT_EQ(plane->image->format, HALImage::kAlpha);
    Target t(2, 2);
    HAL_drawImage(t.g, keyed, 0, 0);
    HAL_drawImage(t.g, plane, 0, 1);
    // An opaque 0xF81F source pixel became the key too.
    EXPECT_EQ(t.at(0, 0), 0);
    EXPECT_EQ(t.at(1, 0), 0);
    EXPECT_EQ(t.at(0, 1), 0x7BEF);  // alpha 0x80: weight 16
    EXPECT_EQ(t.at(1, 1), 0xFFFF);
    HAL_deleteImage(keyed);
    HAL_deleteImage(plane);
}

// Format bits naming no format draw the image by its own format.
TEST(Blit, FormatBitsBeyondTheFormatsDrawByTheImagesOwn)
{
    int32_t argb[4] = {static_cast<int32_t>(0xFFFF0000u), static_cast<int32_t>(0x80FFFFFFu),
                       static_cast<int32_t>(0xFF00FF00u), 0x00FFFFFF};
    for (bool alpha : {false, true}) {
        SCOPED_TRACE(alpha ? "alpha plane" : "opaque");
        HALImageRef* image = nullptr;
        ASSERT_EQ(HAL_createImageWithRGB(&image, argb, 4, 2, 2, alpha), 0);
        Target own(2, 2);
        HAL_drawImmutableRegion(own.g, image, 0, 0, 2, 2, 0, 0, 0);
        for (int32_t format : {4, 5, 0x7F, 0xFF}) {
            SCOPED_TRACE(format);
            Target t(2, 2);
            HAL_drawImmutableRegion(t.g, image, 0, 0, 2, 2, format << 8, 0, 0);
            EXPECT_EQ(t.mask(), own.mask());
            EXPECT_EQ(t.at(0, 1), own.at(0, 1));
        }
        HAL_deleteImage(image);
    }
}

TEST(Ellipse, FilledAndOutlinedCoverTheirBoxes)
{
    Target fill(12, 8);
    HAL_fillArc(fill.g, 0, 0, 10, 6, 0, 360);
    Target outline(12, 8);
    HAL_drawArc(outline.g, 0, 0, 10, 6, 0, 360);
    auto extent = [](const Target& t) {
        int minX = 99, maxX = -1, minY = 99, maxY = -1;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 12; ++x) {
                if (t.at(x, y)) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                    minY = std::min(minY, y);
                    maxY = std::max(maxY, y);
                }
            }
        }
        return std::vector<int>{minX, maxX, minY, maxY};
    };
    EXPECT_EQ(extent(fill), (std::vector<int>{0, 9, 0, 5}));
    EXPECT_EQ(extent(outline), (std::vector<int>{0, 10, 0, 6}));
    EXPECT_EQ(fill.mask(), (std::vector<std::string>{"..######....", ".########...", "##########..",
                                                     "##########..", ".########...", "..######....",
                                                     "............", "............"}));
}

TEST(Ellipse, DegenerateBoxesDrawLinesAndAngleRules)
{
    Target line(3, 6);
    HAL_fillArc(line.g, 1, 0, 1, 5, 0, 90);
    EXPECT_EQ(line.mask(), (std::vector<std::string>{".#.", ".#.", ".#.", ".#.", ".#.", "..."}));
    // A box two wide: a quarter fills its quarter, not the box.
    Target thin(4, 12);
    HAL_fillArc(thin.g, 1, 0, 2, 10, 0, 90);
    EXPECT_EQ(thin.mask(), (std::vector<std::string>{"..#.", "..#.", "..#.", "..#.", "..#.", "....", "....",
                                                     "....", "....", "....", "....", "...."}));
    Target thinWhole(4, 12);
    HAL_fillArc(thinWhole.g, 1, 0, 2, 10, 0, 360);
    EXPECT_EQ(thinWhole.mask()[8], ".##.");
    Target whole(12, 8), over(12, 8), none(12, 8);
    HAL_fillArc(whole.g, 0, 0, 10, 6, 0, 360);
    HAL_fillArc(over.g, 0, 0, 10, 6, 30, 400);
    HAL_fillArc(none.g, 0, 0, 10, 6, 30, 0);
    EXPECT_EQ(over.mask(), whole.mask());
    EXPECT_EQ(none.mask(), Target(12, 8).mask());
}

TEST(Arc, TangentTableAndBoxRelativeSlopes)
{
    EXPECT_EQ(HALEllipse::tangent(0), 0);
    EXPECT_EQ(HALEllipse::tangent(1), 17);
    EXPECT_EQ(HALEllipse::tangent(2), 35);
    EXPECT_EQ(HALEllipse::tangent(3), 52);
    EXPECT_EQ(HALEllipse::tangent(45), 1000);
    EXPECT_EQ(HALEllipse::tangent(89), 57290);
    EXPECT_EQ(HALEllipse::tangent(90), 0x7FFFFFFF);
    EXPECT_EQ(HALEllipse::slopeOf(45, 20, 10), 500);
    EXPECT_EQ(HALEllipse::slopeOf(135, 20, 10), 500);
    EXPECT_EQ(HALEllipse::slopeOf(90, 20, 10), 0x7FFFFFFF);
}

// Each quarter arc fills only its own quadrant of the box, and the four
// quarters together give the whole ellipse.
TEST(Arc, QuarterFillsCoverTheirQuadrantsAndTogetherTheEllipse)
{
    Target whole(24, 24);
    HAL_fillArc(whole.g, 1, 1, 21, 21, 0, 360);
    Target quarters(24, 24);
    for (int q = 0; q < 4; ++q) {
        Target t(24, 24);
        HAL_fillArc(t.g, 1, 1, 21, 21, q * 90, 90);
        HAL_fillArc(quarters.g, 1, 1, 21, 21, q * 90, 90);
        int cx = 11, cy = 11;
        int set = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                if (!t.at(x, y)) {
                    continue;
                }
                ++set;
                bool right = x >= cx, top = y <= cy, left = x <= cx, bottom = y >= cy;
                bool inQuadrant = (q == 0 && right && top) || (q == 1 && left && top) ||
                                  (q == 2 && left && bottom) || (q == 3 && right && bottom);
                EXPECT_TRUE(inQuadrant) << "quarter " << q << " at " << x << "," << y;
                EXPECT_TRUE(whole.at(x, y)) << "quarter " << q << " at " << x << "," << y;
            }
        }
        EXPECT_GT(set, 60) << "quarter " << q;
    }
    EXPECT_EQ(quarters.mask(), whole.mask());
}

// A filled arc of a circle covers its sector between the two angles, bounded
// by the circle: a pixel more than a pixel and a half inside the sector is
// set, one as far outside it is not.
TEST(Arc, FillCoversTheSectorBetweenTheAngles)
{
    // Boxes of 41 (even half-axes) and 42 (odd: the centre falls between
    // pixels) at (2, 2).
    struct Case {
        int side, start, arc;
    } cases[] = {{41, 20, 50}, {41, 100, 60}, {41, 200, 50}, {41, 280, 55}, {41, 30, 200}, {41, 60, 330},
                 {41, 120, 300}, {41, 0, 90}, {41, 45, 180}, {42, 20, 50}, {42, 100, 60}, {42, 200, 50},
                 {42, 280, 55}, {42, 60, 330}, {42, 170, 120}};
    for (const Case& c : cases) {
        Target t(46, 46);
        HAL_fillArc(t.g, 2, 2, c.side, c.side, c.start, c.arc);
        double centre = 2 + (c.side - 1) / 2.0, radius = (c.side - 1) / 2.0;
        for (int y = 0; y < 46; ++y) {
            for (int x = 0; x < 46; ++x) {
                double dx = x - centre, dy = centre - y;
                double r = std::sqrt(dx * dx + dy * dy);
                double a = std::fmod(std::atan2(dy, dx) * 180 / 3.14159265358979 - c.start + 720, 360);
                // The angle a pixel and a half spans at this radius.
                double slack = std::max(5.0, std::asin(std::min(1.0, 1.5 / r)) * 180 / 3.14159265358979);
                double margin = std::min(a, c.arc - a);
                bool in = a <= c.arc;
                if (in && margin > slack && r < radius - 1.5 && r > 2) {
                    EXPECT_TRUE(t.at(x, y)) << c.side << ": " << c.start << "+" << c.arc << " at " << x << "," << y;
                }
                double outside = std::min(a - c.arc, 360 - a);
                if ((!in && outside > slack && r > 2) || r > radius + 1.5) {
                    EXPECT_FALSE(t.at(x, y)) << c.side << ": " << c.start << "+" << c.arc << " at " << x << "," << y;
                }
            }
        }
    }
}

// A clip cuts a filled or outlined arc without changing what lies inside
// it, whichever quadrants it crosses, misses or holds whole.
TEST(Arc, ClipOnlyCutsTheArc)
{
    struct Clip {
        int x, y, w, h;
    } clips[] = {{0, 0, 23, 23}, {22, 5, 30, 10}, {10, 20, 5, 30}, {30, 30, 20, 20}, {0, 0, 3, 3}};
    const int arcs[][2] = {{20, 50}, {60, 330}, {170, 120}, {0, 360}};
    for (bool fill : {true, false}) {
        for (const auto& a : arcs) {
            Target whole(46, 46);
            HAL_setColor(whole.g, static_cast<int32_t>(0x80FFFFFFu));
            fill ? HAL_fillArc(whole.g, 2, 2, 42, 41, a[0], a[1]) : HAL_drawArc(whole.g, 2, 2, 42, 41, a[0], a[1]);
            for (const Clip& c : clips) {
                Target cut(46, 46);
                HAL_setColor(cut.g, static_cast<int32_t>(0x80FFFFFFu));
                HAL_setClip(cut.g, c.x, c.y, c.w, c.h);
                fill ? HAL_fillArc(cut.g, 2, 2, 42, 41, a[0], a[1]) : HAL_drawArc(cut.g, 2, 2, 42, 41, a[0], a[1]);
                for (int y = 0; y < 46; ++y) {
                    for (int x = 0; x < 46; ++x) {
                        bool inside = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h;
                        EXPECT_EQ(cut.at(x, y), inside ? whole.at(x, y) : 0)
                            << fill << " " << a[0] << "+" << a[1] << " clip " << c.x << "," << c.y << " at " << x
                            << "," << y;
                    }
                }
            }
        }
    }
}

// The inner part of a partly covered quadrant is filled as triangles at the
// alpha level; the columns out to the ellipse stay opaque, and a fully
// covered quadrant is opaque throughout.
TEST(Arc, FillTrianglesBlendWhileColumnsStayOpaque)
{
    Target t(44, 44);
    HAL_setColor(t.g, static_cast<int32_t>(0x80FFFFFFu));
    HAL_fillArc(t.g, 2, 2, 41, 41, 20, 160);
    uint16_t blended = t.at(26, 18);  // 45 degrees, radius 6: in the start triangle
    EXPECT_NE(blended, 0);
    EXPECT_NE(blended, 0xFFFF);
    EXPECT_EQ(t.at(37, 11), 0xFFFF);  // 36 degrees near the rim: a column
    EXPECT_EQ(t.at(16, 16), 0xFFFF);  // 135 degrees: the whole quadrant is columns
    Target faint(44, 44);
    HAL_setColor(faint.g, 0x04FFFFFF);
    HAL_fillArc(faint.g, 2, 2, 41, 41, 20, 50);
    EXPECT_EQ(faint.at(26, 18), 0);  // no triangle below alpha 8
    EXPECT_EQ(faint.at(33, 9), 0xFFFF);
}

TEST(Arc, OutlineSectorFollowsTheAngles)
{
    // 45 to 135 degrees of a circle: only the top points, between the two
    // diagonals.
    Target t(24, 24);
    HAL_drawArc(t.g, 2, 2, 20, 20, 45, 90);
    int points = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            if (t.at(x, y)) {
                ++points;
                EXPECT_LE(y, 12 - std::abs(x - 12) + 1) << x << "," << y;
            }
        }
    }
    EXPECT_GT(points, 10);
    EXPECT_TRUE(t.at(12, 2));
}

TEST(Gradient, StepsAreTruncatedFloats)
{
    Target t(2, 4);
    HAL_setColor(t.g, 0x12345678);
    HAL_fillGradientRect(t.g, 0, 0, 2, 4, 0x000000, 0x0000FF, false);
    const uint16_t blue[4] = {0 >> 3, 63 >> 3, 127 >> 3, 191 >> 3};
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(t.at(0, y), blue[y]) << y;
        EXPECT_EQ(t.at(1, y), blue[y]) << y;
    }
    // The colour before the gradient is current again.
    EXPECT_EQ(t.g->colour, 0x12345678u);
    EXPECT_EQ(t.g->alpha, 0x12u);
}

TEST(Triangle, FlatEdgesAndExtremeCoordinates)
{
    Target top(8, 8);
    HAL_fillTriangle(top.g, 0, 0, 6, 0, 0, 6);
    EXPECT_EQ(top.mask(), (std::vector<std::string>{"#######.", "######..", "#####...", "####....", "###.....",
                                                    "##......", "#.......", "........"}));
    Target bottom(8, 8);
    HAL_fillTriangle(bottom.g, 0, 6, 6, 6, 0, 0);
    EXPECT_EQ(bottom.mask(), (std::vector<std::string>{"#.......", "##......", "###.....", "####....", "#####...",
                                                       "######..", "#######.", "........"}));
    Target flat(8, 8);
    HAL_fillTriangle(flat.g, 1, 3, 6, 3, 3, 3);
    // All three on one row: the span from the lowest-sorted point's x to
    // the middle one's.
    EXPECT_EQ(flat.mask()[3], "...####.");
    // Far outside the 32-bit range of 16.16 positions: no overflow, no hang.
    Target huge(8, 8);
    HAL_fillTriangle(huge.g, -2000000000, -2000000000, 2000000000, -2000000000, 0, 2000000000);
    EXPECT_TRUE(huge.at(4, 4));
    Target alpha(8, 8);
    HAL_setColor(alpha.g, 0x05FFFFFF);
    HAL_fillTriangle(alpha.g, 0, 0, 6, 0, 0, 6);
    EXPECT_EQ(alpha.mask(), Target(8, 8).mask());
}

TEST(Text, ClippedTextLeavesTheTargetOutsideTheClipUntouched)
{
    Target t(120, 30);
    t.clear(0x1234);
    HAL_setColor(t.g, static_cast<int32_t>(0xFFFFFFFFu));
    HAL_setClip(t.g, 20, 5, 30, 10);
    HAL_drawChars(t.g, u"WWWWWWWW&", 9, 4, 2);
    int changed = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 120; ++x) {
            bool inside = x >= 20 && x < 50 && y >= 5 && y < 15;
            if (!inside) {
                ASSERT_EQ(t.at(x, y), 0x1234) << x << "," << y;
            } else if (t.at(x, y) != 0x1234) {
                ++changed;
            }
        }
    }
    EXPECT_GT(changed, 20);
    // Wholly clipped text changes nothing.
    Target none(40, 20);
    HAL_setClip(none.g, 30, 0, 10, 20);
    HAL_drawChars(none.g, u"Hi", 2, 0, 0);
    EXPECT_EQ(none.mask(), Target(40, 20).mask());
}

TEST(Text, DrawsAtItsPlaceUnderAClipThatCutsItsStart)
{
    Target whole(80, 20);
    HAL_drawChars(whole.g, u"Mint", 4, 2, 1);
    Target cut(80, 20);
    HAL_setClip(cut.g, 10, 0, 70, 20);
    HAL_drawChars(cut.g, u"Mint", 4, 2, 1);
    for (int y = 0; y < 20; ++y) {
        for (int x = 10; x < 80; ++x) {
            ASSERT_EQ(cut.at(x, y), whole.at(x, y)) << x << "," << y;
        }
    }
}

}  // namespace
