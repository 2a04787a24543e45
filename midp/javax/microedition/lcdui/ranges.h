#pragma once
// The range rule of the text and width operations: offset and length select
// a range of n characters when each of them and their sum lies in 0..n.

#include <cstdint>

namespace javax::microedition::lcdui {

inline bool isRangeOf(int32_t offset, int32_t length, int32_t n)
{
    int64_t end = static_cast<int64_t>(offset) + length;
    return offset >= 0 && offset <= n && length >= 0 && length <= n && end >= 0 && end <= n;
}

} // namespace javax::microedition::lcdui
