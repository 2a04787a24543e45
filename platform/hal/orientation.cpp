// Display orientation. The application names four orientations (0, 90, 180
// and 270 degrees); a table from the application properties maps each to the
// device orientation that shows it. The desktop's display does not turn: it
// always shows device orientation 0.

#include <array>
#include <string>

#include "hal/device.h"
#include "hal/properties.h"
#include "hal/status.h"

namespace {

constexpr int32_t kNone = 4;  // no fixed orientation
constexpr int32_t kDeviceOrientation = 0;

std::array<int32_t, 4> g_table = {0, 1, 2, 3};
int32_t g_requested = kNone;

// The device orientation a property value names, or -1.
int32_t deviceOrientationNamed(const std::u16string& value)
{
    static const char16_t* const kNames[] = {u"normal", u"rotate90ccw", u"rotate180", u"rotate90cw"};
    for (int32_t i = 0; i < 4; ++i) {
        if (value == kNames[i]) {
            return i;
        }
    }
    return -1;
}

std::u16string applicationProperty(const std::u16string& key)
{
    auto keyLength = static_cast<int32_t>(key.size());
    int32_t length = HAL_getApplicationPropertyLength(key.data(), keyLength);
    if (length <= 0) {
        return {};
    }
    std::u16string value(static_cast<size_t>(length), u'\0');
    if (HAL_getApplicationProperty(key.data(), keyLength, value.data(), &length) != HAL_OK) {
        return {};
    }
    value.resize(static_cast<size_t>(length));
    return value;
}

}  // namespace

void HAL_loadOrientationTable()
{
    static const char16_t* const kKeys[] = {u"WinceDisplayOrientation0", u"WinceDisplayOrientation90",
                                            u"WinceDisplayOrientation180",
                                            u"WinceDisplayOrientation270"};
    for (int32_t i = 0; i < 4; ++i) {
        int32_t device = deviceOrientationNamed(applicationProperty(kKeys[i]));
        g_table[static_cast<size_t>(i)] = device >= 0 ? device : i;
    }
    g_requested = kNone;
}

int32_t HAL_getOrientation(int32_t* orientation)
{
    if (!orientation) {
        return HAL_BAD_ARGUMENT;
    }
    // The table's entry for the device orientation, reported one higher.
    *orientation = g_table[kDeviceOrientation] + 1;
    return HAL_OK;
}

int32_t HAL_setOrientation(int32_t orientation)
{
    if (orientation < 0 || orientation > 4) {
        return HAL_OUT_OF_RANGE;
    }
    if (orientation == 0) {
        g_requested = kNone;
        return HAL_OK;
    }
    int32_t application = orientation - 1;
    if (g_table[static_cast<size_t>(application)] != kDeviceOrientation) {
        return HAL_OUT_OF_RANGE;  // the display cannot turn
    }
    g_requested = application;
    return HAL_OK;
}
