// HALRect: intersection.

#include "hal/HALRect.h"

#include <algorithm>

void HALRect::intersect(int32_t rx, int32_t ry, int32_t rw, int32_t rh)
{
    auto axis = [](int32_t& start, int32_t& size, int64_t otherStart, int64_t otherSize) {
        int64_t from = std::max<int64_t>(start, otherStart);
        int64_t to = std::min<int64_t>(static_cast<int64_t>(start) + size, otherStart + otherSize);
        if (to <= from) {
            return false;
        }
        start = static_cast<int32_t>(from);
        size = static_cast<int32_t>(to - from);
        return true;
    };
    int32_t nx = x, ny = y, nw = width, nh = height;
    if (!axis(nx, nw, rx, rw) || !axis(ny, nh, ry, rh)) {
        width = 0;
        height = 0;
        return;
    }
    x = nx;
    y = ny;
    width = nw;
    height = nh;
}
