#pragma once
// VM event listeners: the platform delivers numbered events (1 inactive,
// 2 active, 3 exit, 4 time zone, 5 and up display, key and pointer events)
// through HAL_dispatchEvent, which hands each to the listeners of three
// priority lists, 0 first, each in order of registration. A listener gets an
// event when bit `event` of its mask is set.

#include <cstdint>

typedef void (*VMEventListener)(int32_t event, int32_t count, const intptr_t* words);

// Result of a dispatch that a listener's exception ended.
constexpr int32_t VM_EVENT_UNCAUGHT_EXCEPTION = 2;

// Creates the three empty lists once (VM start); a second call does nothing.
void _VM_createEventRegistry();
// Frees every listener and the lists (VM shutdown); later events reach nobody.
void _VM_destroyEventRegistry();

// Appends a listener to list 0 or 2 for those priorities, to list 1 for any
// other; nothing while the registry does not exist. Throws OutOfMemoryError.
void HAL_addEventListener(VMEventListener listener, uint32_t mask, int32_t priority);
// The platform's event callback: 0, or 2 when a listener let an exception
// out (a Throwable's stack trace is printed); that ends the dispatch.
int32_t HAL_dispatchEvent(int32_t event, int32_t count, const intptr_t* words);
