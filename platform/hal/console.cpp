// Console output, and the platform's name and version.

#include <cstdio>

#include "hal/device.h"

const char* HAL_getPlatformName()
{
    return "WindowsMobile";
}

const char* HAL_getPlatformVersion()
{
    return "1";
}

int32_t HAL_writeConsole(int32_t character)
{
    if (std::fputc(character & 0xFF, stdout) == EOF) {
        return 3;
    }
    if (character == 10 && std::fflush(stdout) != 0) {
        return 3;
    }
    return 0;
}
