#pragma once
// Key codes, game actions, key names and the game-key latches.

#include <cstdint>

// MIDP game actions.
enum HALGameAction : int32_t {
    HAL_ACTION_NONE = 0,
    HAL_ACTION_UP = 1,
    HAL_ACTION_LEFT = 2,
    HAL_ACTION_RIGHT = 5,
    HAL_ACTION_DOWN = 6,
    HAL_ACTION_FIRE = 8,
};

int32_t HAL_getKeyCode(int32_t gameAction);
int32_t HAL_getGameAction(int32_t keyCode);
// The MIDP key code of a virtual key (wheel: the optical wheel's code).
int32_t HAL_keyCodeFromVirtualKey(uint32_t vk, bool wheel);
// Writes the key's name (at most *length characters) and sets *length to the
// characters written; 1, or 0 when the buffer or the length is null.
int32_t HAL_getKeyName(int32_t keyCode, char16_t* buffer, int32_t* length);
// Returns the pressed bits, then clears the released-since bits out of them.
int32_t HAL_getKeyStates();
// Records a press or release of a key with this game action.
void HAL_latchGameAction(int32_t gameAction, bool pressed);
void HAL_getCanvasInputCapabilities(uint8_t* pointerEvents, uint8_t* pointerMotionEvents,
                                    uint8_t* repeatEvents);
