#pragma once
// Test seam: a virtual clock behind GetTickCount, GetLocalTime and Sleep, so
// that frame pacing, timers and whole runs can be replayed exactly.
//
// While the virtual clock is on, GetTickCount and GetLocalTime read virtual
// time, and Sleep(ms) yields the processor once and then advances virtual time
// by ms instead of blocking. Every thread shares the one virtual clock; the
// switch is meant for tests and is made while no other thread sleeps.

#include "wince/kernel.h"

namespace wince {

// Turns the virtual clock on: the tick count starts at `ticks` and the local
// time at `localTime` (the real local time when null).
void useVirtualClock(DWORD ticks, const SYSTEMTIME* localTime);
// Back to the real clock.
void useRealClock();
bool isVirtualClock();
// Moves virtual time forward as a Sleep would (without yielding).
void advanceVirtualClock(DWORD milliseconds);
// Called with the length of every Sleep made on the virtual clock, before the
// clock advances, on the sleeping thread; null removes it.
void setVirtualSleepObserver(void (*observer)(DWORD milliseconds));

}  // namespace wince
