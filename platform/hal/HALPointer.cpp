// HALPointer: stylus messages into pointer events 11 to 13.

#include <cstdlib>

#include "hal/HALPointer.h"
#include "hal/callbacks.h"
#include "hal/device.h"
#include "hal/properties.h"
#include "hal/status.h"

namespace {

constexpr uint32_t kSameEventTime = 30;  // ms
constexpr int32_t kSameEventDistance = 5;

}  // namespace

HALPointer::HALPointer()
{
    if (!HAL_isQuirkOn(HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS)) {
        return;
    }
    int32_t values[16];
    int32_t count = 16;
    HAL_getQuirkInts(HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS, "WHERE", values, &count);
    if (count < 2) {
        return;
    }
    ignoreEnabled_ = true;
    ignoreCount_ = count / 2;
    for (int32_t i = 0; i < ignoreCount_; ++i) {
        ignorePoints_[i][0] = values[2 * i];
        ignorePoints_[i][1] = values[2 * i + 1];
    }
}

bool HALPointer::ignored(int32_t x, int32_t y) const
{
    if (!ignoreEnabled_) {
        return false;
    }
    for (int32_t i = 0; i < ignoreCount_; ++i) {
        if (ignorePoints_[i][0] == x && ignorePoints_[i][1] == y) {
            return true;
        }
    }
    return false;
}

void HALPointer::down(int32_t x, int32_t y)
{
    if (ignored(x, y)) {
        return;
    }
    stylusDown_ = true;
    post(HAL_EVENT_POINTER_PRESSED, x, y);
}

void HALPointer::up(int32_t x, int32_t y)
{
    if (ignored(x, y)) {
        return;
    }
    if (!stylusDown_) {
        post(HAL_EVENT_POINTER_PRESSED, x, y);
    }
    stylusDown_ = false;
    post(HAL_EVENT_POINTER_RELEASED, x, y);
}

void HALPointer::drag(int32_t x, int32_t y)
{
    if (!stylusDown_) {
        post(HAL_EVENT_POINTER_PRESSED, x, y);
    }
    stylusDown_ = true;
    post(HAL_EVENT_POINTER_DRAGGED, x, y);
}

// Drops an event of the same type close in time and place to the last one.
void HALPointer::post(int32_t type, int32_t x, int32_t y)
{
    uint32_t now = HAL_getTickCount();
    if (now - lastTime_ < kSameEventTime && type == lastType_ &&
        std::abs(x - lastX_) < kSameEventDistance && std::abs(y - lastY_) < kSameEventDistance) {
        return;
    }
    lastX_ = static_cast<int16_t>(x);
    lastY_ = static_cast<int16_t>(y);
    lastTime_ = now;
    lastType_ = type;
    intptr_t data[2] = {x, y};
    HAL_postEvent(type, 2, data, true);
}
