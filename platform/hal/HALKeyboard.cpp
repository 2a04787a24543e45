// HALKeyboard and the key tables: virtual keys to MIDP key codes, key names,
// game actions and the game-key latches.

#include <atomic>

#include "hal/HALKeyboard.h"
#include "hal/callbacks.h"
#include "hal/device.h"
#include "hal/input.h"
#include "hal/status.h"

namespace {

constexpr uint32_t kRepeatHold = 100;  // ms after the first repeat

std::atomic<int32_t> g_pressedBits{0};
std::atomic<int32_t> g_releasedBits{0};

struct KeyCode {
    uint32_t vk;
    int32_t code;
    int32_t wheelCode;  // the code when the key came from the optical wheel
};

// Virtual keys with their own codes; the rest follow by rule.
constexpr KeyCode kKeyCodes[] = {
    {0, 0, 0},       {8, -9, -9},     {27, -9, -9},    {12, -8, -8},    {13, -5, -28},
    {41, -5, -28},   {18, -12, -12},  {36, -12, -12},  {91, -12, -12},  {164, -12, -12},
    {165, -12, -12}, {35, 35, 35},    {120, 35, 35},   {37, -3, -26},   {38, -1, -24},
    {39, -4, -27},   {40, -2, -25},   {42, 42, 42},    {106, 42, 42},   {119, 42, 42},
    {44, -23, -23},  {46, 127, 127},  {186, 59, 59},   {187, 61, 61},   {188, 44, 44},
    {222, 39, 39},   {107, 43, 43},   {108, 124, 124}, {109, 45, 45},   {189, 45, 45},
    {110, 46, 46},   {190, 46, 46},   {111, 47, 47},   {191, 47, 47},   {112, -6, -6},
    {113, -7, -7},   {114, -10, -10}, {115, -11, -11}, {117, -13, -13}, {175, -13, -13},
    {118, -14, -14}, {174, -14, -14}, {127, -21, -21}, {170, -20, -20}, {171, -20, -20},
    {172, -20, -20}, {173, -15, -15}, {179, -22, -22}, {181, -22, -22}, {192, 34, 34},
    {219, 91, 91},   {220, 92, 92},   {221, 93, 93},
};

// Key codes back to the virtual key that names them.
struct CodeKey {
    int32_t code;
    uint32_t vk;
};

constexpr CodeKey kCodeKeys[] = {
    {-5, 13},   {-28, 13},  {-1, 38},   {-24, 38},  {-2, 40},   {-25, 40},  {-3, 37},
    {-26, 37},  {-4, 39},   {-27, 39},  {-6, 112},  {-7, 113},  {-8, 12},   {-9, 27},
    {-10, 114}, {-11, 115}, {-12, 91},  {-13, 117}, {-14, 118}, {-15, 173}, {-16, 0},
    {-17, 0},   {-20, 172}, {-21, 127}, {-22, 181}, {-23, 44},  {35, 120},  {42, 119},
};

struct KeyName {
    uint32_t vk;
    const char16_t* name;
};

constexpr KeyName kKeyNames[] = {
    {0, u"Unknown"},        {13, u"Action"},       {27, u"Back"},
    {37, u"Left"},          {38, u"Up"},           {39, u"Right"},
    {40, u"Down"},          {91, u"Home screen"},  {112, u"Softkey 1"},
    {113, u"Softkey 2"},    {114, u"Talk"},        {115, u"End"},
    {117, u"Volume Up"},    {118, u"Volume Down"}, {119, u"*"},
    {120, u"#"},            {121, u"Record"},      {122, u"Symbol"},
    {127, u"Speakerphone"}, {128, u"Flip"},        {129, u"Power"},
    {130, u"Red"},          {131, u"Arrow Rocker"}, {132, u"Arrow D-Pad"},
    {134, u"Action Rocker"}, {135, u"Voice Dial"},
};

bool keepsItsCode(int64_t key)
{
    return key == 9 || key == 32 || (key >= 65 && key <= 90);
}

uint32_t virtualKeyOf(int32_t code)
{
    for (const CodeKey& k : kCodeKeys) {
        if (k.code == code) {
            return k.vk;
        }
    }
    if (code >= 48 && code <= 57) {
        return static_cast<uint32_t>(code + 48);
    }
    return keepsItsCode(code) ? static_cast<uint32_t>(code) : static_cast<uint32_t>(code + 1500);
}

}  // namespace

int32_t HAL_getKeyCode(int32_t gameAction)
{
    switch (gameAction) {
    case HAL_ACTION_UP:
        return -1;
    case HAL_ACTION_LEFT:
        return -3;
    case HAL_ACTION_RIGHT:
        return -4;
    case HAL_ACTION_DOWN:
        return -2;
    case HAL_ACTION_FIRE:
        return -5;
    default:
        return 0;
    }
}

int32_t HAL_getGameAction(int32_t keyCode)
{
    switch (keyCode) {
    case -1:
        return HAL_ACTION_UP;
    case -2:
        return HAL_ACTION_DOWN;
    case -3:
        return HAL_ACTION_LEFT;
    case -4:
        return HAL_ACTION_RIGHT;
    case -5:
        return HAL_ACTION_FIRE;
    default:
        return HAL_ACTION_NONE;
    }
}

int32_t HAL_keyCodeFromVirtualKey(uint32_t vk, bool wheel)
{
    if (vk >= 48 && vk <= 57) {
        vk += 48;  // digits as the number pad's
    }
    if (vk >= 96 && vk <= 105) {
        return static_cast<int32_t>(vk) - 48;
    }
    for (const KeyCode& k : kKeyCodes) {
        if (k.vk == vk) {
            return wheel ? k.wheelCode : k.code;
        }
    }
    return keepsItsCode(vk) ? static_cast<int32_t>(vk) : static_cast<int32_t>(vk) - 1500;
}

int32_t HAL_getKeyName(int32_t keyCode, char16_t* buffer, int32_t* length)
{
    if (!buffer || !length) {
        return 0;
    }
    uint32_t vk = virtualKeyOf(keyCode);
    std::u16string_view name;
    for (const KeyName& k : kKeyNames) {
        if (k.vk == vk) {
            name = k.name;
            break;
        }
    }
    int32_t n = std::min(static_cast<int32_t>(name.size()), std::max(*length, 0));
    std::copy(name.begin(), name.begin() + n, buffer);
    *length = n;
    return 1;
}

int32_t HAL_getKeyStates()
{
    int32_t released = g_releasedBits.exchange(0);
    int32_t pressed = g_pressedBits.fetch_and(~released);
    return pressed;
}

void HAL_latchGameAction(int32_t gameAction, bool pressed)
{
    int32_t bit = static_cast<int32_t>(1u << (gameAction & 31));
    (pressed ? g_pressedBits : g_releasedBits).fetch_or(bit);
}

void HAL_getCanvasInputCapabilities(uint8_t* pointerEvents, uint8_t* pointerMotionEvents,
                                    uint8_t* repeatEvents)
{
    if (pointerEvents) {
        *pointerEvents = 0;
    }
    if (pointerMotionEvents) {
        *pointerMotionEvents = 0;
    }
    if (repeatEvents) {
        *repeatEvents = 1;
    }
}

// ---- HALKeyboard ------------------------------------------------------------

bool HALKeyboard::wheelKey(UINT vk, LPARAM lParam) const
{
    return wheelCheck_ && (vk == VK_UP || vk == VK_DOWN) &&
           HAL_isKeyFromWheel(vk, (static_cast<uint32_t>(lParam) >> 16) & 0xFF);
}

void HALKeyboard::keyDown(UINT vk, LPARAM lParam)
{
    bool wheel = wheelKey(vk, lParam);
    bool shift = keyStatus_[VK_SHIFT] != 0;
    if (vk < 256) {
        keyStatus_[vk] = shift ? 1 : 2;
    }
    bool previouslyDown = (static_cast<uint32_t>(lParam) >> 30) & 1;
    uint32_t now = HAL_getTickCount();
    if (repeating_) {
        if (!(previouslyDown && vk == lastKey_)) {
            repeating_ = false;
            repeatStart_ = 0;
        }
    } else if (previouslyDown && lastWasRepeat_ && vk == lastKey_) {
        repeating_ = true;
        repeatStart_ = lastKeyTime_;
    }
    lastKey_ = vk;
    lastKeyTime_ = now;
    keyIsDown_ = true;
    lastWasRepeat_ = previouslyDown;
    if (previouslyDown && repeating_ && now - repeatStart_ < kRepeatHold) {
        pendingChar_ = 0;  // the repeat is dropped
        return;
    }
    keyEvent(vk, true, previouslyDown ? HAL_EVENT_KEY_REPEATED : HAL_EVENT_KEY_PRESSED, shift,
             wheel);
}

void HALKeyboard::keyUp(UINT vk, LPARAM lParam)
{
    bool wheel = wheelKey(vk, lParam);
    bool shift = keyStatus_[VK_SHIFT] != 0;
    if (vk < 256) {
        if (keyStatus_[vk] != 0) {
            shift = keyStatus_[vk] == 1;
        } else {
            keyDown(vk, lParam & 0x1FF0000);  // a release without a press
        }
        keyStatus_[vk] = 0;
    }
    lastKeyTime_ = HAL_getTickCount();
    repeating_ = false;
    repeatStart_ = 0;
    lastKey_ = vk;
    keyIsDown_ = false;
    lastWasRepeat_ = false;
    keyEvent(vk, false, HAL_EVENT_KEY_RELEASED, shift, wheel);
}

void HALKeyboard::character(WPARAM character)
{
    if (pendingChar_ == 0) {
        pendingChar_ = static_cast<int32_t>(character & 0xFFFF);
    }
}

void HALKeyboard::keyEvent(UINT vk, bool pressed, int32_t type, bool shift, bool wheel)
{
    int32_t* learned = vk < 256 ? (shift ? &shiftChar_[vk] : &plainChar_[vk]) : nullptr;
    int32_t code;
    if (pendingChar_ != 0) {
        code = pendingChar_;
        pendingChar_ = 0;
        if (learned) {
            *learned = code;  // so the key's later events find it
        }
    } else {
        code = learned ? *learned : 0;
        if (code == 0) {
            code = HAL_keyCodeFromVirtualKey(vk, wheel);
        }
    }
    if (code == 0) {
        return;
    }
    HAL_latchGameAction(HAL_getGameAction(code), pressed);
    intptr_t data = code;
    HAL_postEvent(type, 1, &data, true);
}
