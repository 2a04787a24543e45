// The MIDP side's display orientation: its numbers are the platform's
// orientation codes moved up by one, with 0 for "none" (code 4).

#include "hal/font.h"
#include "hal/status.h"

namespace {

constexpr int32_t kNoOrientation = 4;  // the platform's code for none

}  // namespace

int32_t HAL_getOrientation(int32_t* orientation)
{
    if (!orientation) {
        return HAL_BAD_ARGUMENT;
    }
    int32_t code = kNoOrientation;
    HAL_readDeviceOrientation(&code);
    if (code >= 0 && code <= kNoOrientation) {
        *orientation = code == kNoOrientation ? 0 : code + 1;
    }
    return HAL_OK;
}

int32_t HAL_setOrientation(int32_t orientation)
{
    if (orientation < 0 || orientation > 4) {
        return HAL_OUT_OF_RANGE;
    }
    int32_t code = orientation == 0 ? kNoOrientation : orientation - 1;
    return HAL_applyOrientation(code) == HAL_OK ? HAL_OK : HAL_OUT_OF_RANGE;
}
