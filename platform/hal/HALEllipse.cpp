// HALEllipse: set-up, whole ellipses, arc outlines and arc fills.

#include "hal/HALEllipse.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "hal/HALGraphics.h"

namespace {

constexpr int32_t kInfinite = 0x7FFFFFFF;
// Boxes wider or taller than this draw nothing.
constexpr int32_t kMaxSide = 1 << 20;

// The box as set up for stepping (see the header of the .h for the names).
struct Setup {
    int64_t x, y, w, h;
    int64_t ox, oy, a, b, cx, cy, A, B;
    int kind;  // 1 nothing, 2 regular, 3 one pixel, 4 flat, 6 degenerate

    Setup(int64_t bx, int64_t by, int64_t bw, int64_t bh) : x(bx), y(by), w(bw), h(bh)
    {
        ox = w & 1;
        oy = h & 1;
        a = w >> 1;
        b = h >> 1;
        cx = x + a + ox;
        cy = y + b;
        A = a * a;
        B = b * b;
        if (w < 1 || h < 1) {
            kind = 1;
        } else if (w == 1) {
            kind = h == 1 ? 3 : 6;
        } else {
            kind = h == 1 ? 4 : 2;
        }
    }

    // The quadrant's point for offsets (xi, yi): 0 top-right, 1 top-left,
    // 2 bottom-left, 3 bottom-right.
    int64_t px(int q, int64_t xi) const { return q == 0 || q == 3 ? cx + xi : cx - xi - ox; }
    int64_t py(int q, int64_t yi) const { return q < 2 ? cy - yi : cy + yi + oy; }
    // The centre row a quadrant's columns run to.
    int64_t centreRow(int q) const { return q < 2 ? cy : cy + oy; }
};

// A point's slope: 1000 x yi / xi, infinite on the vertical axis.
int64_t pointSlope(int64_t xi, int64_t yi)
{
    return xi == 0 ? kInfinite : 1000 * yi / xi;
}

// The arc's ends and each quadrant's classes.
struct Arc {
    bool whole = true;
    int qs = 0, qe = 0;
    int64_t ss = 0, se = 0;
    int arcClass[4] = {3, 3, 3, 3};  // 3 inside, 2 partly, 1 outside
    int clipClass[4] = {3, 3, 3, 3};  // 1 inside the clip, 2 outside, 3 both

    Arc(const Setup& s, const HALRect& clip, int32_t start, int32_t end)
    {
        whole = start == end;
        qs = start / 90;
        qe = end / 90;
        ss = HALEllipse::slopeOf(start, static_cast<int32_t>(std::min<int64_t>(s.w, INT32_MAX)),
                                 static_cast<int32_t>(std::min<int64_t>(s.h, INT32_MAX)));
        se = HALEllipse::slopeOf(end, static_cast<int32_t>(std::min<int64_t>(s.w, INT32_MAX)),
                                 static_cast<int32_t>(std::min<int64_t>(s.h, INT32_MAX)));
        for (int q = 0; q < 4; ++q) {
            arcClass[q] = classify(q);
            int64_t left = q == 0 || q == 3 ? s.cx : s.x;
            int64_t right = q == 0 || q == 3 ? s.x + s.w : s.cx - s.ox;
            int64_t top = q < 2 ? s.y : s.cy + s.oy;
            int64_t bottom = q < 2 ? s.cy : s.y + s.h;
            int64_t cl = clip.x, ct = clip.y;
            int64_t cr = cl + clip.width - 1, cb = ct + clip.height - 1;
            if (left >= cl && right <= cr && top >= ct && bottom <= cb) {
                clipClass[q] = 1;
            } else if (right < cl || left > cr || bottom < ct || top > cb || clip.isEmpty()) {
                clipClass[q] = 2;
            }
        }
    }

    int classify(int q) const
    {
        bool partialStart = ss >= 1 && ss < kInfinite;
        bool partialEnd = se >= 1 && se < kInfinite;
        if (whole) {
            return 3;
        }
        if (q == qs && partialStart) {
            return 2;
        }
        if (q == qe && partialEnd) {
            return 2;
        }
        if (q == qs && q != qe) {
            return 3;
        }
        if (qs < qe && qs < q && q < qe) {
            return 3;
        }
        if (qs > qe && (q > qs || q < qe)) {
            return 3;
        }
        if (qs == qe && q != qs) {
            bool even = qs == 0 || qs == 2;
            return (even && ss > se) || (!even && ss < se) ? 3 : 1;
        }
        return 1;
    }

    // Whether a point of slope s in a partly covered quadrant is inside.
    bool inside(int q, int64_t s) const
    {
        bool even = q == 0 || q == 2;
        if (q == qs && q != qe) {
            return even ? s >= ss : s <= ss;
        }
        if (q == qe && q != qs) {
            return even ? s <= se : s >= se;
        }
        if (even) {
            return ss < se ? (ss <= s && s <= se) : (s >= ss || s <= se);
        }
        return ss > se ? (se <= s && s <= ss) : (s <= ss || s >= se);
    }

    bool drawn(int q) const { return arcClass[q] != 1 && clipClass[q] != 2; }
};

// Clamps a 64-bit coordinate into the 32-bit range the context takes.
int32_t c32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Plots outline points with a dotted phase per quadrant.
struct Outline {
    HALGraphics& g;
    const Setup& s;
    const Arc* arc;  // null for a whole ellipse
    bool dotted;
    int32_t phase[4] = {0, 0, 0, 0};

    Outline(HALGraphics& graphics, const Setup& setup, const Arc* a, int64_t steps)
        : g(graphics), s(setup), arc(a), dotted(graphics.strokeStyle != 0)
    {
        for (int q = 0; q < 4; ++q) {
            int32_t r = static_cast<int32_t>((steps * q) % 8);
            phase[q] = r >= 4 ? r - 8 : r;
        }
    }

    void point(int64_t xi, int64_t yi)
    {
        for (int q = 0; q < 4; ++q) {
            bool on = !dotted || phase[q] >= 0;
            phase[q] = phase[q] + 1 >= 4 ? phase[q] - 7 : phase[q] + 1;
            if (!on) {
                continue;
            }
            if (arc) {
                if (!arc->drawn(q) || (arc->arcClass[q] == 2 && !arc->inside(q, pointSlope(xi, yi)))) {
                    continue;
                }
            }
            int64_t x = s.px(q, xi), y = s.py(q, yi);
            if (x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX) {
                g.plot(static_cast<int32_t>(x), static_cast<int32_t>(y));
            }
        }
    }
};

// Midpoint stepping of a whole ellipse: visit(xi, yi, spanRow) is called for
// every outline point; spanRow marks the steps where the fill draws its
// spans.
template <typename Visit>
void stepWhole(const Setup& s, Visit visit)
{
    int64_t A = s.A, B = s.B;
    int64_t xi = 0, yi = s.b;
    int64_t ddx = 4 * B;
    int64_t ddy = (s.b - 1) * 4 * A;
    int64_t d = 2 * B - (ddy >> 1) - (A >> 1) - A;
    while (ddy >= d) {
        bool span = d > 0;
        visit(xi, yi, span, true);
        if (span) {
            int64_t old = ddy;
            ddy -= 4 * A;
            d -= old;
            --yi;
        }
        d += ddx + 2 * B;
        ddx += 4 * B;
        ++xi;
    }
    int64_t d2 = d + ((B - (B >> 1) - ddx - ddy - A + (A >> 1)) >> 1);
    for (; yi >= 0; --yi) {
        visit(xi, yi, true, false);
        if (d2 <= 0) {
            d2 += ddx;
            ddx += 4 * B;
            ++xi;
        }
        d2 += 2 * A - ddy;
        ddy -= 4 * A;
    }
}

// The arc stepper over one quarter, from (0, b) until yi falls below 0.
template <typename Visit>
void stepArc(const Setup& s, Visit visit)
{
    int64_t A = s.A, B = s.B;
    int64_t xi = 0, yi = s.b;
    int64_t e1 = (1 - 2 * s.b) * A + 2 * B;
    int64_t e2 = B - (2 * s.b - 1) * 2 * A;
    while (yi >= 0 && xi <= s.a + 1) {
        visit(xi, yi);
        if (e1 < 0) {
            e1 += (2 * xi + 3) * 2 * B;
            e2 += (xi + 1) * 4 * B;
            ++xi;
        } else if (e2 < 0) {
            e1 += (2 * xi + 3) * 2 * B - (yi - 1) * 4 * A;
            e2 += (xi + 1) * 4 * B - (2 * yi - 3) * 2 * A;
            ++xi;
            --yi;
        } else {
            e1 -= (yi - 1) * 4 * A;
            e2 -= (2 * yi - 3) * 2 * A;
            --yi;
        }
    }
}

void wholeEllipse(HALGraphics& g, const Setup& s, bool fill)
{
    switch (s.kind) {
    case 1:
        return;
    case 3:
        g.plot(c32(s.x), c32(s.y));
        return;
    case 6:
        if (fill) {
            g.fillRect(c32(s.x), c32(s.y), c32(s.w + 1), c32(s.h + 1), false);
        } else {
            g.drawRect(c32(s.x), c32(s.y), c32(s.w), c32(s.h));
        }
        return;
    default:
        break;
    }
    if (fill) {
        stepWhole(s, [&](int64_t xi, int64_t yi, bool span, bool) {
            if (span) {
                g.solidSpan(c32(s.cx - xi - s.ox), c32(s.cx + xi), c32(s.cy - yi));
                g.solidSpan(c32(s.cx - xi - s.ox), c32(s.cx + xi), c32(s.cy + yi + s.oy));
            }
        });
        return;
    }
    int64_t steps = 0;
    if (g.strokeStyle != 0) {
        stepWhole(s, [&](int64_t, int64_t, bool, bool) { ++steps; });
    }
    Outline outline(g, s, nullptr, steps);
    stepWhole(s, [&](int64_t xi, int64_t yi, bool, bool) { outline.point(xi, yi); });
}

void arcOutline(HALGraphics& g, const Setup& s, const Arc& arc)
{
    int64_t steps = 0;
    if (g.strokeStyle != 0) {
        stepArc(s, [&](int64_t, int64_t) { ++steps; });
    }
    Outline outline(g, s, &arc, steps);
    stepArc(s, [&](int64_t xi, int64_t yi) { outline.point(xi, yi); });
}

// The offsets of the arc's ends on the quarter ellipse, in one walk: in
// quadrants 0 and 2 the first point (from the vertical axis) whose slope is
// at most the end's, in quadrants 1 and 3 the last point whose slope is at
// least the end's.
struct EndPoint {
    int64_t x = 0, y = 0;
    bool found = false;

    void offer(int q, int64_t slope, int64_t xi, int64_t yi, int64_t pointSlope)
    {
        bool even = q == 0 || q == 2;
        if (even ? (!found && pointSlope <= slope) : pointSlope >= slope) {
            x = xi;
            y = yi;
            found = true;
        }
    }
};

// The sector between the two ends, bounded by the ellipse: in a partly
// covered quadrant a triangle at the alpha level from the centre to the
// end points, then opaque columns from each ellipse point toward the centre
// over what the triangles leave open.
void arcFill(HALGraphics& g, const Setup& s, const Arc& arc)
{
    EndPoint startOff{0, s.b}, endOff{0, s.b};
    bool partly = false;
    for (int q = 0; q < 4; ++q) {
        partly = partly || (arc.drawn(q) && arc.arcClass[q] == 2);
    }
    if (partly) {
        stepArc(s, [&](int64_t xi, int64_t yi) {
            int64_t slope = pointSlope(xi, yi);
            startOff.offer(arc.qs, arc.ss, xi, yi, slope);
            endOff.offer(arc.qe, arc.se, xi, yi, slope);
        });
    }
    // Per quadrant: the column range [from, to] of offsets and the row
    // offset each column stops at (-1: the centre row). A quadrant may hold
    // two ranges when the arc leaves it and comes back.
    struct Columns {
        int64_t from, to, stopRow;
    };
    std::array<std::array<Columns, 2>, 4> ranges{};
    std::array<int, 4> rangeCount{};
    for (int q = 0; q < 4; ++q) {
        if (!arc.drawn(q)) {
            continue;
        }
        if (arc.arcClass[q] == 3) {
            ranges[q][rangeCount[q]++] = {0, INT64_MAX, -1};
            continue;
        }
        bool even = q == 0 || q == 2;
        bool holdsStart = q == arc.qs, holdsEnd = q == arc.qe;
        int64_t cx = s.cx, cy = s.cy, ox = s.ox, oy = s.oy;
        int64_t sX = s.px(q, startOff.x), sY = s.py(q, startOff.y);
        int64_t eX = s.px(q, endOff.x), eY = s.py(q, endOff.y);
        bool inside = holdsStart && holdsEnd && (even ? arc.ss <= arc.se : arc.ss >= arc.se);
        if (inside) {
            g.fillTriangle(c32(sX), c32(sY), c32(eX), c32(eY), c32(cx), c32(cy));
            // Between the two points, down to the lower one's row.
            ranges[q][rangeCount[q]++] = {std::min(startOff.x, endOff.x), std::max(startOff.x, endOff.x),
                                          std::min(startOff.y, endOff.y)};
            continue;
        }
        if (holdsStart) {
            switch (q) {
            case 0:
                g.fillTriangle(c32(sX), c32(sY), c32(cx), c32(sY), c32(cx), c32(cy));
                break;
            case 1:
                g.fillTriangle(c32(cx - ox), c32(cy), c32(sX), c32(cy), c32(sX), c32(sY));
                break;
            case 2:
                g.fillTriangle(c32(sX), c32(sY), c32(cx - ox), c32(sY), c32(cx - ox), c32(cy + oy));
                break;
            default:
                g.fillTriangle(c32(cx), c32(cy + oy), c32(sX), c32(cy + oy), c32(sX), c32(sY));
                break;
            }
            // On the vertical axis (0, 2): the columns between the axis and
            // the point, to its row; on the centre row (1, 3): the columns
            // beyond the point.
            ranges[q][rangeCount[q]++] =
                even ? Columns{0, startOff.x, startOff.y} : Columns{startOff.x, INT64_MAX, -1};
        }
        if (holdsEnd) {
            switch (q) {
            case 0:
                g.fillTriangle(c32(cx), c32(cy), c32(eX), c32(cy), c32(eX), c32(eY));
                break;
            case 1:
                g.fillTriangle(c32(eX), c32(eY), c32(cx - ox), c32(eY), c32(cx - ox), c32(cy));
                break;
            case 2:
                g.fillTriangle(c32(cx - ox), c32(cy + oy), c32(eX), c32(cy + oy), c32(eX), c32(eY));
                break;
            default:
                g.fillTriangle(c32(eX), c32(eY), c32(cx), c32(eY), c32(cx), c32(cy + oy));
                break;
            }
            ranges[q][rangeCount[q]++] = even ? Columns{endOff.x, INT64_MAX, -1} : Columns{0, endOff.x, endOff.y};
        }
    }
    int64_t lastXi = -1;
    const HALRect& clip = g.clip;
    stepArc(s, [&](int64_t xi, int64_t yi) {
        if (xi == lastXi) {
            return;  // the first point of a column is its highest
        }
        lastXi = xi;
        for (int q = 0; q < 4; ++q) {
            int64_t x = s.px(q, xi);
            if (x < clip.x || x >= static_cast<int64_t>(clip.x) + clip.width) {
                continue;
            }
            for (int r = 0; r < rangeCount[q]; ++r) {
                const Columns& c = ranges[q][r];
                if (xi < c.from || xi > c.to) {
                    continue;
                }
                int64_t stop = c.stopRow < 0 ? s.centreRow(q) : s.py(q, std::min(c.stopRow, yi));
                g.drawLine(c32(x), c32(s.py(q, yi)), c32(x), c32(stop), false);
            }
        }
    });
}

}  // namespace

int32_t HALEllipse::tangent(int32_t degrees)
{
    static const std::array<int32_t, 91> table = [] {
        std::array<int32_t, 91> t{};
        for (int d = 0; d < 90; ++d) {
            t[d] = static_cast<int32_t>(std::lround(1000.0 * std::tan(d * 3.14159265358979323846 / 180.0)));
        }
        t[90] = kInfinite;
        return t;
    }();
    return table[std::clamp(degrees, 0, 90)];
}

int32_t HALEllipse::slopeOf(int32_t angle, int32_t w, int32_t h)
{
    int32_t folded = angle > 180 ? angle - 180 : angle;
    if (folded > 90) {
        folded = 180 - folded;
    }
    int32_t t = tangent(folded);
    if (t >= kInfinite || w < 1) {
        return kInfinite;
    }
    return static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(t) * h / w, kInfinite - 1));
}

void HALEllipse::arc(HALGraphics& g, int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle,
                     int32_t arcAngle, bool fill)
{
    bool dotted = !fill && g.strokeStyle != 0;
    if (width < 2 || height < 2) {
        int32_t len = width < 2 ? 0 : width - 1;
        if (len != 0) {
            g.drawLine(x, y, x + len, y, dotted);
        } else {
            g.drawLine(x, y, x, y + std::max(height - 1, 0), dotted);
        }
        return;
    }
    if (arcAngle <= 0) {
        return;
    }
    int64_t start = startAngle;
    int64_t end;
    if (arcAngle > 360) {
        start = 0;
        end = 0;
    } else {
        end = start + arcAngle;
        if (end < start) {
            std::swap(start, end);
        }
        auto normal = [](int64_t v) {
            v %= 360;
            return v < 0 ? v + 360 : v;
        };
        start = normal(start);
        end = normal(end);
    }
    if (width > kMaxSide || height > kMaxSide) {
        return;  // far beyond any target: stepping it would take seconds
    }
    int64_t w = fill ? static_cast<int64_t>(width) - 1 : width;
    int64_t h = fill ? static_cast<int64_t>(height) - 1 : height;
    Setup s(x, y, w, h);
    // A thin box (kind 6) still takes the arc path: only its sector is drawn.
    if (start == end || s.kind == 1 || s.kind == 3) {
        wholeEllipse(g, s, fill);
        return;
    }
    Arc arc(s, g.clip, static_cast<int32_t>(start), static_cast<int32_t>(end));
    if (fill) {
        arcFill(g, s, arc);
    } else {
        arcOutline(g, s, arc);
    }
}
