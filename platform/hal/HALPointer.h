#pragma once
// HALPointer: stylus messages into pointer events, with de-duplication and
// the device's points to ignore.

#include <cstdint>

class HALPointer {
public:
    // Reads the ignore points of the device quirk.
    HALPointer();

    void down(int32_t x, int32_t y);
    void up(int32_t x, int32_t y);
    // A move with the button held.
    void drag(int32_t x, int32_t y);

private:
    bool ignored(int32_t x, int32_t y) const;
    void post(int32_t type, int32_t x, int32_t y);

    int16_t lastX_ = 0;
    int16_t lastY_ = 0;
    uint32_t lastTime_ = 0;
    int32_t lastType_ = 0;
    bool ignoreEnabled_ = false;
    int32_t ignoreCount_ = 0;
    int32_t ignorePoints_[8][2] = {};
    bool stylusDown_ = false;
};
