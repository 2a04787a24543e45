#include "hal/fatal.h"

#include <cstdio>
#include <cstdlib>

void HAL_fatalError(const char* message)
{
    std::fputs(message, stderr);
    std::fflush(stderr);
    std::exit(1);
}
