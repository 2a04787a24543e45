#pragma once
// Inside the stand-in: the virtual clock's sleep, shared by Sleep and the
// timed waits.

#include "wince/types.h"

namespace wince_clock {

// While the virtual clock is on: yields once, tells the sleep observer and
// advances virtual time by `milliseconds`, then answers true. False (and
// nothing done) on the real clock.
bool sleepVirtually(DWORD milliseconds);

}  // namespace wince_clock
