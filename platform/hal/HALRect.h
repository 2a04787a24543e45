#pragma once
// HALRect: a clip rectangle of the graphics contexts.

#include <cstdint>

struct HALRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    // This rectangle cut to r; empty (width and height 0) when they do not
    // meet. Computed in 64 bits, so no size overflows.
    void intersect(int32_t rx, int32_t ry, int32_t rw, int32_t rh);
    bool contains(int32_t px, int32_t py) const
    {
        return px >= x && static_cast<int64_t>(px) < static_cast<int64_t>(x) + width && py >= y &&
               static_cast<int64_t>(py) < static_cast<int64_t>(y) + height;
    }
    bool isEmpty() const { return width <= 0 || height <= 0; }
};
