#pragma once
// HALEllipse: the arc, ellipse and rounded-corner rasteriser. Midpoint
// stepping with decision variables scaled by four; arc angles become slopes
// (1000 x tan) measured against the bounding box, so 45 degrees always
// points at a corner.

#include <cstdint>

struct HALGraphics;

struct HALEllipse {
    // The arc of the box (x, y, width, height) from startAngle over arcAngle
    // degrees, filled or outlined (stroke style applies to outlines). A
    // box narrower or lower than 2 draws a line; arcAngle 0 or less draws
    // nothing; a full turn (or more) draws the whole ellipse.
    static void arc(HALGraphics& g, int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle,
                    int32_t arcAngle, bool fill);
    // round(1000 x tan(degrees)) for 0..89, 0x7FFFFFFF for 90.
    static int32_t tangent(int32_t degrees);
    // The slope of an arc end at angle (0..359) in a box w x h.
    static int32_t slopeOf(int32_t angle, int32_t w, int32_t h);
};
