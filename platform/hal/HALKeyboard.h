#pragma once
// HALKeyboard: key messages into MIDP key codes and key events, with the
// characters learned per key, repeat suppression and the game-key latches.

#include <cstdint>

#include "wince/user.h"

class HALKeyboard {
public:
    void keyDown(UINT vk, LPARAM lParam);
    void keyUp(UINT vk, LPARAM lParam);
    // A character message: it becomes the pending character when none is.
    void character(WPARAM character);

private:
    // Posts the event for a key, with its code from the pending character,
    // the learned characters or the key table.
    void keyEvent(UINT vk, bool pressed, int32_t type, bool shift, bool wheel);
    bool wheelKey(UINT vk, LPARAM lParam) const;

    uint8_t keyStatus_[256] = {};  // 0 up, 1 down while shift was down, 2 down
    int32_t plainChar_[256] = {};
    int32_t shiftChar_[256] = {};
    int32_t pendingChar_ = 0;
    bool repeating_ = false;
    uint32_t repeatStart_ = 0;
    UINT lastKey_ = 0;
    uint32_t lastKeyTime_ = 0;
    bool keyIsDown_ = false;
    bool lastWasRepeat_ = false;
    bool wheelCheck_ = false;
};
