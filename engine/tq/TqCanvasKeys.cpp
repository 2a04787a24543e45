// Game keys: platform key codes folded and bound to numbered game keys,
// collected on the UI thread and latched once a frame for the game.

#include "tq/TqCanvas.h"
#include "vm/VMSynchronized.h"

namespace tq {

namespace {

// Groups of a length character, the canonical keypad key and its QWERTY
// alias.
constexpr char16_t kKeyFolding[] = u"\u0003" u"0."
                                   u"\u0003" u"1u"
                                   u"\u0003" u"2i"
                                   u"\u0003" u"3o"
                                   u"\u0003" u"4j"
                                   u"\u0003" u"5k"
                                   u"\u0003" u"6l"
                                   u"\u0003" u"7m"
                                   u"\u0003" u"8\u00F6"
                                   u"\u0003" u"9\u00E4"
                                   u"\u0003" u"#\u00E5"
                                   u"\u0003" u"*,";
constexpr int32_t kKeyFoldingLength = int32_t(sizeof(kKeyFolding) / sizeof(char16_t)) - 1;

constexpr int32_t kKeySlots = 128;
constexpr int32_t kGameKeys = 64;

} // namespace

int32_t TqCanvas::keyCodeToIndex(int32_t code)
{
    if (code == 0 || code < -64 || code > 63)
        return -1;
    return code > 0 ? code : 63 - code;
}

// ---- Input side (UI thread) ----

void TqCanvas::keyPressed(int32_t keyCode)
{
    handleKey(keyCode, 1);
}

void TqCanvas::keyReleased(int32_t keyCode)
{
    handleKey(keyCode, 2);
}

void TqCanvas::keyRepeated(int32_t) {}

void TqCanvas::pressAndReleaseKey(int32_t keyCode)
{
    keyPressed(keyCode);
    keyReleased(keyCode);
}

void TqCanvas::handleKey(int32_t code, int32_t type)
{
    if (type != 1 && type != 2)
        return;
    bool pressed = type == 1;
    for (int32_t p = 0; p < kKeyFoldingLength; p += kKeyFolding[p]) {
        for (int32_t i = p + 1; i < p + kKeyFolding[p]; i++) {
            if (code == kKeyFolding[i]) {
                setKeyState(kKeyFolding[p + 1], pressed);
                return;
            }
        }
    }
    setKeyState(code, pressed);
}

void TqCanvas::setKeyState(int32_t code, bool pressed)
{
    if (code == 0)
        return;
    VMSynchronized guard(keyLock);
    if (pressed)
        anyKeyPressed = true;
    VMPtr<IntArray> codes = keyCodes;
    VMPtr<ByteArray> collecting = collectingKeys;
    for (int32_t i = 1; i < kGameKeys; i++) {
        if ((*codes)[i] != code)
            continue;
        if (!pressed || ((*collecting)[i] & KEY_HELD) == 0)
            setGameKey(i, pressed);
    }
}

void TqCanvas::setGameKey(int32_t index, bool pressed)
{
    VMSynchronized guard(keyLock);
    VMPtr<ByteArray> collecting = collectingKeys;
    int32_t state = uint8_t((*collecting)[index]);
    int32_t count = state & KEY_COUNT_MASK;
    if (pressed) {
        if (count < KEY_COUNT_MASK)
            count++;
        (*collecting)[index] = int8_t(count | KEY_HELD);
        anyKeyPressed = true;
    } else if (state & KEY_HELD) {
        (*collecting)[index] = int8_t(count | KEY_RELEASED);
    }
}

void TqCanvas::pressKey(int32_t key)
{
    int32_t index = keyCodeToIndex(key);
    if (index > 0)
        setGameKey(index, true);
}

void TqCanvas::releaseKey(int32_t key)
{
    int32_t index = keyCodeToIndex(key);
    if (index > 0)
        setGameKey(index, false);
}

// ---- Latch and reset (canvas thread) ----

void TqCanvas::latchKeys()
{
    {
        VMSynchronized guard(keyLock);
        VMPtr<ByteArray> frame = collectingKeys;
        VMPtr<ByteArray> collecting = frameKeys;
        collectingKeys = collecting;
        frameKeys = frame;
        int8_t* f = frame->elements();
        int8_t* c = collecting->elements();
        for (int32_t i = 0; i < kKeySlots; i++) {
            c[i] = int8_t(f[i] & KEY_HELD);
            if ((f[i] & KEY_COUNT_MASK) != 0)
                f[i] = int8_t(f[i] | KEY_HELD);
        }
        anyKeyPressedFrame = anyKeyPressed;
        anyKeyPressed = false;
        pressedMask = heldMask = releasedMask = MASK_UNKNOWN;
    }
    latchKeyRegions();
}

void TqCanvas::resetKeys()
{
    {
        VMSynchronized guard(keyLock);
        int8_t* f = VMPtr<ByteArray>(frameKeys)->elements();
        int8_t* c = VMPtr<ByteArray>(collectingKeys)->elements();
        for (int32_t i = 1; i < kKeySlots; i++) {
            c[i] = (f[i] & KEY_HELD) ? int8_t(KEY_RELEASED) : int8_t(0);
            f[i] = 0;
        }
        anyKeyPressed = false;
        anyKeyPressedFrame = false;
        pressedMask = heldMask = releasedMask = MASK_UNKNOWN;
    }
    resetKeyRegions();
}

void TqCanvas::syncKeys()
{
    VMSynchronized guard(keyLock);
}

// ---- Queries on the frame buffer ----

int32_t TqCanvas::getKeyState(int32_t key)
{
    int32_t index = keyCodeToIndex(key);
    if (index < 0)
        index = 0;
    return (*VMPtr<ByteArray>(frameKeys))[index];
}

int32_t TqCanvas::getPressCount(int32_t key)
{
    return getKeyState(key) & KEY_COUNT_MASK;
}

bool TqCanvas::wasPressed(int32_t key)
{
    return getPressCount(key) != 0;
}

bool TqCanvas::isHeld(int32_t key)
{
    return (getKeyState(key) & KEY_HELD) != 0;
}

bool TqCanvas::wasReleased(int32_t key)
{
    return (getKeyState(key) & KEY_RELEASED) != 0;
}

int32_t TqCanvas::computeMask(int32_t bits)
{
    const int8_t* f = VMPtr<ByteArray>(frameKeys)->elements();
    int32_t mask = 0;
    for (int32_t i = 1; i < 32; i++) {
        if (f[i] & bits)
            mask |= int32_t(1u << i);
    }
    return mask;
}

int32_t TqCanvas::getPressedMask()
{
    if (pressedMask == MASK_UNKNOWN)
        pressedMask = computeMask(KEY_COUNT_MASK);
    return pressedMask;
}

int32_t TqCanvas::getHeldMask()
{
    if (heldMask == MASK_UNKNOWN)
        heldMask = computeMask(KEY_HELD);
    return heldMask;
}

int32_t TqCanvas::getReleasedMask()
{
    if (releasedMask == MASK_UNKNOWN)
        releasedMask = computeMask(KEY_RELEASED);
    return releasedMask;
}

int32_t TqCanvas::firstKey(int32_t bits)
{
    const int8_t* f = VMPtr<ByteArray>(frameKeys)->elements();
    for (int32_t i = 1; i < 32; i++) {
        if (f[i] & bits)
            return i;
    }
    return 0;
}

int32_t TqCanvas::getFirstPressedKey()
{
    return firstKey(KEY_COUNT_MASK);
}

int32_t TqCanvas::getFirstHeldKey()
{
    return firstKey(KEY_HELD);
}

int32_t TqCanvas::getFirstReleasedKey()
{
    return firstKey(KEY_RELEASED);
}

bool TqCanvas::getStatusByte()
{
    return anyKeyPressedFrame;
}

bool TqCanvas::getStatusByteAlias()
{
    return getStatusByte();
}

int32_t TqCanvas::getInitByte()
{
    return initByte;
}

int32_t TqCanvas::getInitByteAlias()
{
    return getInitByte();
}

} // namespace tq
