// HALGraphics: spans, lines, rectangles, gradients, triangles, blits and
// text into an RGB565 target.

#include "hal/HALGraphics.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "hal/HALDibImage.h"
#include "hal/HALEllipse.h"
#include "hal/HALFont.h"
#include "hal/HALImage.h"
#include "hal/HALImageRef.h"
#include "hal/font.h"
#include "hal/pixels.h"

namespace {

// Phase of a dotted pattern in -4..3: pixels are written at 0 and above.
int32_t dotPhase(int64_t start)
{
    int32_t r = static_cast<int32_t>(start % 8);
    return r >= 4 ? r - 8 : r;
}

int32_t nextPhase(int32_t p)
{
    ++p;
    return p >= 4 ? p - 8 : p;
}

int32_t previousPhase(int32_t p)
{
    --p;
    return p < -4 ? p + 8 : p;
}

// Steps of a gradient before the clip that are added one by one.
constexpr int64_t kLongGradientRun = 1 << 16;

// The scratch surface for text, shared by every context.
HALDibImage* g_textImage = nullptr;
HALGraphics* g_textGraphics = nullptr;

// A 16.16 edge slope; 0 for an edge without height (never used then), and
// limited to what 32 bits hold.
int64_t edgeSlope(int32_t px, int32_t py, int32_t qx, int32_t qy)
{
    if (qy == py) {
        return 0;
    }
    float slope = static_cast<float>(static_cast<int64_t>(qx) - px) / static_cast<float>(static_cast<int64_t>(qy) - py) *
                  65536.0f;
    if (!(slope > -2147483648.0f)) {
        return INT32_MIN;
    }
    if (!(slope < 2147483648.0f)) {
        return INT32_MAX;
    }
    return static_cast<int32_t>(slope);
}

}  // namespace

HALGraphics* HALGraphics::create(HALImage* target, HALImageRef* imageRef)
{
    auto* g = new (std::nothrow) HALGraphics;
    if (!g) {
        return nullptr;
    }
    g->target = target;
    g->imageRef = imageRef;
    if (imageRef) {
        imageRef->addRef();
    }
    g->reset();
    HALFont* font = nullptr;
    if (HAL_getFont(&font, 0, 0, 0) == 0) {
        g->font = font;
    }
    return g;
}

HALGraphics::~HALGraphics()
{
    if (imageRef) {
        imageRef->release();
    }
}

void HALGraphics::reset()
{
    clip = HALRect{0, 0, target ? target->width : 0, target ? target->height : 0};
}

void HALGraphics::setColor(uint32_t argb)
{
    alpha = argb >> 24;
    colour565 = HAL_rgb565(argb);
    colour = argb;
}

// ---- spans and points ---------------------------------------------------------

void HALGraphics::plotUnclipped(int32_t x, int32_t y)
{
    *target->pixelAt(x, y) = colour565;
}

namespace {

// The span's range cut to the clip; false when nothing is left.
bool cutSpan(const HALRect& clip, int32_t xa, int32_t xb, int32_t y, int32_t& from, int32_t& to)
{
    if (y < clip.y || static_cast<int64_t>(y) >= static_cast<int64_t>(clip.y) + clip.height) {
        return false;
    }
    int64_t left = std::max<int64_t>(std::min(xa, xb), clip.x);
    int64_t right = std::min<int64_t>(std::max(xa, xb), static_cast<int64_t>(clip.x) + clip.width - 1);
    if (left > right) {
        return false;
    }
    from = static_cast<int32_t>(left);
    to = static_cast<int32_t>(right);
    return true;
}

}  // namespace

void HALGraphics::solidSpan(int32_t xa, int32_t xb, int32_t y)
{
    int32_t from, to;
    if (cutSpan(clip, xa, xb, y, from, to)) {
        HAL_fillSpan565(target->pixelAt(from, y), to - from + 1, colour565);
    }
}

void HALGraphics::blendSpan(int32_t xa, int32_t xb, int32_t y)
{
    int32_t from, to;
    if (cutSpan(clip, xa, xb, y, from, to)) {
        HAL_blendSpan565(target->pixelAt(from, y), to - from + 1, colour565, HAL_blendWeight(alpha));
    }
}

void HALGraphics::alphaSpan(int32_t xa, int32_t xb, int32_t y)
{
    if (alpha >= 248) {
        solidSpan(xa, xb, y);
    } else if (alpha >= 8) {
        blendSpan(xa, xb, y);
    }
}

void HALGraphics::dottedSpan(int32_t xa, int32_t xb, int32_t y)
{
    int32_t from, to;
    if (!cutSpan(clip, xa, xb, y, from, to)) {
        return;
    }
    int32_t left = std::min(xa, xb);
    int32_t phase = dotPhase(from > left ? static_cast<int64_t>(from) - left : left);
    uint16_t* p = target->pixelAt(from, y);
    for (int32_t x = from; x <= to; ++x, ++p) {
        if (phase >= 0) {
            *p = colour565;
        }
        phase = nextPhase(phase);
    }
}

// ---- lines and rectangles --------------------------------------------------------

void HALGraphics::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool dotted)
{
    // The line's box against the clip in 64 bits: a line may span more than
    // an int holds.
    if (clip.isEmpty() || std::max(x1, x2) < clip.x || std::max(y1, y2) < clip.y ||
        std::min(x1, x2) > static_cast<int64_t>(clip.x) + clip.width - 1 ||
        std::min(y1, y2) > static_cast<int64_t>(clip.y) + clip.height - 1) {
        return;
    }
    if (y1 == y2) {
        if (dotted) {
            dottedSpan(x1, x2, y1);
        } else {
            solidSpan(x1, x2, y1);
        }
        return;
    }
    int64_t dx = std::abs(static_cast<int64_t>(x2) - x1);
    int64_t dy = std::abs(static_cast<int64_t>(y2) - y1);
    int64_t n = std::max(dx, dy);
    int64_t m = std::min(dx, dy);
    bool xMajor = dx >= dy;
    int32_t sx = x2 > x1 ? 1 : (x2 < x1 ? -1 : 0);
    int32_t sy = y2 > y1 ? 1 : -1;
    int64_t fx = x1, fy = y1, bx = x2, by = y2;
    int32_t frontPhase = 0;
    int32_t backPhase = dotPhase(n);
    auto put = [this, dotted](int64_t x, int64_t y, int32_t phase) {
        if ((!dotted || phase >= 0) && x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX) {
            plot(static_cast<int32_t>(x), static_cast<int32_t>(y));
        }
    };
    if (HAL_usesReferencePixelPaths()) {
        int64_t e = -n;
        for (int64_t i = 0; i < (n >> 1); ++i) {
            put(fx, fy, frontPhase);
            put(bx, by, backPhase);
            frontPhase = nextPhase(frontPhase);
            backPhase = previousPhase(backPhase);
            e += 2 * m;
            if (e < 1) {
                if (xMajor) {
                    fx += sx;
                    bx -= sx;
                } else {
                    fy += sy;
                    by -= sy;
                }
            } else {
                fx += sx;
                bx -= sx;
                fy += sy;
                by -= sy;
                e -= 2 * n;
            }
        }
        put(fx, fy, frontPhase);
        if (n & 1) {
            put(bx, by, backPhase);
        }
        return;
    }
    // The same points in closed form, visiting only the steps whose major
    // coordinate lies in the clip: after k steps both ends have made
    // D(k) = floor((2mk + n - 1) / 2n) diagonal moves.
    // (2mk reaches 2^64 for the longest lines: 128-bit.)
    auto diagonals = [n, m](int64_t k) {
        return static_cast<int64_t>((static_cast<__int128>(2 * m) * k + n - 1) / (2 * n));
    };
    int64_t majorStep = xMajor ? sx : sy;
    int64_t minorStep = xMajor ? sy : sx;
    int64_t clipLow = xMajor ? clip.x : clip.y;
    int64_t clipHigh = clipLow + (xMajor ? clip.width : clip.height) - 1;
    int64_t half = n >> 1;
    // Steps k in 0..last whose major coordinate start + k x step is visible.
    auto visible = [&](int64_t start, int64_t step, int64_t last, int64_t& from, int64_t& to) {
        int64_t a = step > 0 ? clipLow - start : start - clipHigh;
        int64_t b = step > 0 ? clipHigh - start : start - clipLow;
        from = std::max<int64_t>(a, 0);
        to = std::min<int64_t>(b, last);
    };
    auto point = [&](int64_t startX, int64_t startY, int64_t direction, int64_t k, int32_t phase) {
        int64_t major = k * majorStep * direction;
        int64_t minor = diagonals(k) * minorStep * direction;
        put(startX + (xMajor ? major : minor), startY + (xMajor ? minor : major), phase);
    };
    int64_t from, to;
    visible(xMajor ? x1 : y1, majorStep, half, from, to);
    for (int64_t k = from; k <= to; ++k) {
        point(x1, y1, 1, k, dotPhase(k));
    }
    visible(xMajor ? x2 : y2, -majorStep, (n & 1) ? half : half - 1, from, to);
    for (int64_t k = from; k <= to; ++k) {
        point(x2, y2, -1, k, dotPhase(n - k));
    }
}

void HALGraphics::fillRect(int32_t x, int32_t y, int32_t width, int32_t height, bool opaque)
{
    if (!opaque && alpha < 8) {
        return;
    }
    HALRect r = clip;
    r.intersect(x, y, width, height);
    if (r.isEmpty()) {
        return;
    }
    bool copy = opaque || alpha >= 248;
    uint32_t weight = HAL_blendWeight(alpha);
    if (r.width == target->rowLength) {
        // Whole rows lie back to back: one span covers them all.
        int64_t count = static_cast<int64_t>(r.width) * r.height;
        if (count <= INT32_MAX) {
            uint16_t* p = target->pixelAt(0, r.y);
            if (copy) {
                HAL_fillSpan565(p, static_cast<int32_t>(count), colour565);
            } else {
                HAL_blendSpan565(p, static_cast<int32_t>(count), colour565, weight);
            }
            return;
        }
    }
    for (int32_t row = r.y + r.height - 1; row >= r.y; --row) {
        uint16_t* p = target->pixelAt(r.x, row);
        if (copy) {
            HAL_fillSpan565(p, r.width, colour565);
        } else {
            HAL_blendSpan565(p, r.width, colour565, weight);
        }
    }
}

void HALGraphics::drawRect(int32_t x, int32_t y, int32_t width, int32_t height)
{
    bool dotted = strokeStyle != 0;
    int32_t right = x + width;
    int32_t bottom = y + height;
    drawLine(x, y, right, y, dotted);
    drawLine(x, bottom, right, bottom, dotted);
    drawLine(x, y, x, bottom, dotted);
    drawLine(right, y, right, bottom, dotted);
}

void HALGraphics::drawRoundRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t a, int32_t b)
{
    if (width < 0 || height < 0) {
        return;
    }
    bool dotted = strokeStyle != 0;
    int32_t ha = a >> 1, hb = b >> 1;
    bool arcs = a >= 4 && b >= 4;
    // Quarter q (0 top-right, 1 top-left, 2 bottom-left, 3 bottom-right) in
    // the box (qx, qy, a, b): an arc, or a straight line across it.
    auto quarter = [&](int32_t q, int32_t qx, int32_t qy) {
        if (arcs) {
            HALEllipse::arc(*this, qx, qy, a, b, q * 90, 90, false);
            return;
        }
        switch (q) {
        case 0:
            drawLine(qx + ha, qy, qx + a, qy + hb, dotted);
            break;
        case 1:
            drawLine(qx, qy + hb, qx + ha, qy, dotted);
            break;
        case 2:
            drawLine(qx, qy + hb, qx + ha, qy + b, dotted);
            break;
        default:
            drawLine(qx + ha, qy + b, qx + a, qy + hb, dotted);
            break;
        }
    };
    drawLine(x, y + hb, x, y + height - hb, dotted);
    quarter(1, x, y);
    drawLine(x + ha, y, x + width - ha, y, dotted);
    quarter(0, x + width - a, y);
    drawLine(x + width, y + hb, x + width, y + height - hb, dotted);
    quarter(2, x, y + height - b);
    drawLine(x + ha, y + height, x + width - ha, y + height, dotted);
    quarter(3, x + width - a, y + height - b);
}

void HALGraphics::fillRoundRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t a, int32_t b)
{
    if (width <= 0 || height <= 0) {
        return;
    }
    int32_t ha = a >> 1, hb = b >> 1;
    HALEllipse::arc(*this, x, y, a, b, 90, 90, true);
    fillRect(x + ha, y, width - a, hb, true);
    HALEllipse::arc(*this, x + width - a, y, a, b, 0, 90, true);
    fillRect(x, y + hb, width, height - b + 1, true);
    HALEllipse::arc(*this, x, y + height - b, a, b - 1, 180, 90, true);
    fillRect(x + ha, y + height - hb, width - a, hb, true);
    HALEllipse::arc(*this, x + width - a, y + height - b, a, b - 1, 270, 90, true);
}

void HALGraphics::fillGradient(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t from, uint32_t to,
                               bool horizontal)
{
    int32_t steps = horizontal ? width : height;
    if (steps <= 0) {
        return;
    }
    uint16_t savedColour565 = colour565;
    uint32_t savedAlpha = alpha;
    uint32_t savedColour = colour;
    float channel[3];
    float step[3];
    float inverse = 1.0f / static_cast<float>(steps);
    for (int i = 0; i < 3; ++i) {
        int shift = 16 - 8 * i;
        int32_t start = static_cast<int32_t>((from >> shift) & 0xFF);
        int32_t end = static_cast<int32_t>((to >> shift) & 0xFF);
        channel[i] = static_cast<float>(start);
        step[i] = static_cast<float>(end - start) * inverse;
    }
    // Only the steps that can reach the clip are drawn. The colour advances
    // by repeated addition; a very long run of steps before the clip is
    // stepped over by one multiplication instead, so nothing hangs.
    int64_t origin = horizontal ? x : y;
    int64_t clipStart = horizontal ? clip.x : clip.y;
    int64_t clipEnd = clipStart + (horizontal ? clip.width : clip.height);
    int32_t first = 0;
    int32_t last = static_cast<int32_t>(std::clamp<int64_t>(clipEnd - origin, 0, steps));
    if (clipStart - origin > kLongGradientRun) {
        first = static_cast<int32_t>(std::min<int64_t>(clipStart - origin, steps));
        for (int c = 0; c < 3; ++c) {
            channel[c] += step[c] * static_cast<float>(first);
        }
    }
    for (int32_t i = first; i < last; ++i) {
        uint32_t rgb = (static_cast<uint32_t>(static_cast<int32_t>(channel[0])) << 16) |
                       (static_cast<uint32_t>(static_cast<int32_t>(channel[1])) << 8) |
                       static_cast<uint32_t>(static_cast<int32_t>(channel[2]));
        setColor(rgb);
        if (horizontal) {
            int64_t column = static_cast<int64_t>(x) + i;
            if (column >= clip.x && column < static_cast<int64_t>(clip.x) + clip.width) {
                drawLine(static_cast<int32_t>(column), y, static_cast<int32_t>(column), y + height - 1, false);
            }
        } else {
            solidSpan(x, x + width - 1, y + i);
        }
        for (int c = 0; c < 3; ++c) {
            channel[c] += step[c];
        }
    }
    colour565 = savedColour565;
    alpha = savedAlpha;
    colour = savedColour;
}

// ---- triangles ------------------------------------------------------------------

void HALGraphics::fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3)
{
    if (alpha < 8 || clip.isEmpty()) {
        return;
    }
    struct Point {
        int32_t x, y;
    } p[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
    std::stable_sort(p, p + 3, [](const Point& a, const Point& b) { return a.y < b.y; });
    int64_t clipTop = clip.y;
    int64_t clipBottom = static_cast<int64_t>(clip.y) + clip.height;  // exclusive
    if (p[0].y >= clipBottom || p[2].y < clipTop) {
        return;
    }
    int64_t longSlope = edgeSlope(p[0].x, p[0].y, p[2].x, p[2].y);
    // Walks rows from `from` up to `until` (inclusive), both edges moving by
    // their slopes; rows below the clip are stepped over arithmetically and
    // the walk ends above it.
    auto walk = [&](int64_t from, int64_t until, int64_t& a, int64_t slopeA, int64_t& b, int64_t slopeB) {
        int64_t rows = from - until + 1;
        if (rows <= 0) {
            return;
        }
        int64_t below = std::clamp<int64_t>(from - (clipBottom - 1), 0, rows);
        a -= slopeA * below;
        b -= slopeB * below;
        for (int64_t y = from - below; y >= until; --y) {
            if (y < clipTop) {
                int64_t above = y - until + 1;
                a -= slopeA * above;
                b -= slopeB * above;
                return;
            }
            int64_t xa = std::clamp<int64_t>(a >> 16, INT32_MIN, INT32_MAX);
            int64_t xb = std::clamp<int64_t>(b >> 16, INT32_MIN, INT32_MAX);
            alphaSpan(static_cast<int32_t>(xa), static_cast<int32_t>(xb), static_cast<int32_t>(y));
            a -= slopeA;
            b -= slopeB;
        }
    };
    int64_t longEdge = static_cast<int64_t>(p[2].x) << 16;
    int64_t shortEdge = longEdge;
    walk(p[2].y, static_cast<int64_t>(p[1].y) + 1, longEdge, longSlope, shortEdge,
         edgeSlope(p[1].x, p[1].y, p[2].x, p[2].y));
    shortEdge = static_cast<int64_t>(p[1].x) << 16;
    walk(p[1].y, p[0].y, longEdge, longSlope, shortEdge, edgeSlope(p[0].x, p[0].y, p[1].x, p[1].y));
}

// ---- blits ------------------------------------------------------------------------

void HALGraphics::blit(const HALImage* source, int32_t xDest, int32_t yDest, int32_t w, int32_t h, int32_t xSrc,
                       int32_t ySrc, uint32_t transform)
{
    if (!source || w < 1 || h < 1 || xSrc < 0 || ySrc < 0 || static_cast<int64_t>(xSrc) + w > source->width ||
        static_cast<int64_t>(ySrc) + h > source->height) {
        return;
    }
    int32_t format = static_cast<int32_t>((transform >> 8) & 0xFF);
    if (format < HALImage::kOpaque || format > HALImage::kAlpha) {
        format = source->format;  // 0, or no format there is
    }
    if (alpha < 8) {
        return;
    }
    bool flip = transform & 1;
    bool mirror = transform & 2;
    bool swap = transform & 4;
    // Source axes: sx/sw follow destination columns without swap, rows with.
    int64_t sx = xSrc, sw = w, sy = ySrc, sh = h;
    int64_t dw = swap ? h : w;
    int64_t dh = swap ? w : h;
    int64_t dx = xDest, dy = yDest;
    // Cuts k destination units at the near and far sides of one axis whose
    // source axis (start s, length n) is read backward or forward.
    auto cut = [](int64_t& d, int64_t& dn, int64_t clipStart, int64_t clipSize, int64_t& s, int64_t& n,
                  bool backward) {
        int64_t nearCut = std::max<int64_t>(0, clipStart - d);
        int64_t farCut = std::max<int64_t>(0, (d + dn) - (clipStart + clipSize));
        if (nearCut + farCut >= dn) {
            dn = 0;
            return;
        }
        s += backward ? farCut : nearCut;
        n -= nearCut + farCut;
        d += nearCut;
        dn -= nearCut + farCut;
    };
    if (swap) {
        cut(dx, dw, clip.x, clip.width, sy, sh, flip);
        cut(dy, dh, clip.y, clip.height, sx, sw, mirror);
    } else {
        cut(dx, dw, clip.x, clip.width, sx, sw, mirror);
        cut(dy, dh, clip.y, clip.height, sy, sh, flip);
    }
    if (dw < 1 || dh < 1) {
        return;
    }
    const HALImage* s = source;
    bool plane = format == HALImage::kAlpha && source->format == HALImage::kAlpha;
    if (format == HALImage::kAlpha && !plane) {
        format = source->format;  // no alpha plane to read
    }
    // Row 0's first source pixel, the step along a destination row and the
    // step from one destination row to the next, in source elements.
    int64_t x0, y0;
    intptr_t step, rowStep;
    intptr_t stride = s->rowLength;
    if (swap) {
        x0 = mirror ? sx + sw - 1 : sx;
        y0 = flip ? sy + sh - 1 : sy;
        step = flip ? -stride : stride;
        rowStep = mirror ? -1 : 1;
    } else {
        x0 = mirror ? sx + sw - 1 : sx;
        y0 = flip ? sy + sh - 1 : sy;
        step = mirror ? -1 : 1;
        rowStep = flip ? -stride : stride;
    }
    const uint16_t* from = s->pixelAt(static_cast<int32_t>(x0), static_cast<int32_t>(y0));
    const uint8_t* alphaFrom = plane ? s->alphaAt(static_cast<int32_t>(x0), static_cast<int32_t>(y0)) : nullptr;
    HAL_blit565(target->pixelAt(static_cast<int32_t>(dx), static_cast<int32_t>(dy)), target->rowLength,
                static_cast<int32_t>(dw), static_cast<int32_t>(dh), from, alphaFrom, step, rowStep, format, alpha);
}

// ---- text ---------------------------------------------------------------------------

void HALGraphics::drawChars(const char16_t* characters, int32_t count, int32_t x, int32_t y)
{
    if (!characters || count < 1 || !font || alpha < 8) {
        return;
    }
    int32_t width = HAL_getStringWidth(font, characters, count);
    int32_t height = HAL_getFontHeight(font);
    HALRect r = clip;
    r.intersect(x, y, width, height);
    if (r.isEmpty()) {
        return;
    }
    // The scratch surface grows to hold the visible part (never shrinks).
    int32_t needWidth = (r.width + 3) & ~3;
    int32_t needHeight = r.height;
    if (!g_textImage || g_textImage->width < needWidth || g_textImage->height < needHeight) {
        int32_t newWidth = std::max<int32_t>(needWidth, g_textImage ? g_textImage->width : 0);
        int32_t newHeight = std::max<int32_t>(needHeight, g_textImage ? g_textImage->height : 0);
        HALDibImage* image = HALDibImage::create(newWidth, newHeight);
        HALGraphics* context = image ? HALGraphics::create(image, nullptr) : nullptr;
        if (!context) {
            delete image;
            return;
        }
        HAL_releaseTextSurface();
        g_textImage = image;
        g_textGraphics = context;
    }
    // The surface is bottom-up: its image row H - 1 is GDI's row 0, so the
    // visible part sits in the last h rows, flipped, and GDI row k is target
    // row r.y + k.
    int32_t base = g_textImage->height - r.height;
    g_textGraphics->reset();
    g_textGraphics->blit(target, 0, base, r.width, r.height, r.x, r.y, 1);
    HDC dc = g_textImage->dc;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, font->handle);
    SetTextColor(dc, RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF));
    // The text keeps its place: a clipped-off start stays off.
    RECT box{x - r.x, y - r.y, x - r.x + width, y - r.y + height};
    DrawTextW(dc, characters, count, &box, DT_NOPREFIX);
    SelectObject(dc, old);
    blit(g_textImage, r.x, r.y, r.width, r.height, 0, base, 1);
}

void HAL_releaseTextSurface()
{
    delete g_textGraphics;
    delete g_textImage;
    g_textGraphics = nullptr;
    g_textImage = nullptr;
}
