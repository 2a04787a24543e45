#pragma once
// HALDisplayable: the platform side of the runtime's current displayable.
// The main window keeps it as its user data and hands it every message.

#include <cstdint>

#include "wince/user.h"

struct HALScreenBuffer;

// The window message that carries a serial call: the runner in the word
// parameter, its argument in the long parameter.
constexpr UINT HAL_SERIAL_CALL_MESSAGE = WM_USER + 6;  // 1030

class HALDisplayable {
public:
    explicit HALDisplayable(intptr_t runtimeObject);
    virtual ~HALDisplayable() = default;
    HALDisplayable(const HALDisplayable&) = delete;
    HALDisplayable& operator=(const HALDisplayable&) = delete;

    virtual int32_t getWidth() const { return width_; }
    virtual int32_t getHeight() const { return height_; }
    // Whether the main window is visible.
    virtual bool isShown() const;
    virtual void setFullScreenMode(bool on) { fullScreen_ = on; }
    virtual void setTitle(const char16_t*, int32_t) {}
    virtual void setTicker(const char16_t*, int32_t) {}
    virtual void addCommand(void*) {}
    virtual void removeCommand(void*) {}
    // The window procedure for this displayable's messages.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Follows the client area: stores a new size and posts event 6.
    virtual void checkSize();

    intptr_t runtimeObject() const { return runtimeObject_; }
    bool isFullScreen() const { return fullScreen_; }
    HALScreenBuffer* screenBuffer() const { return screenBuffer_; }
    void setScreenBuffer(HALScreenBuffer* buffer) { screenBuffer_ = buffer; }

    // The messages every window gets, with or without a displayable (null).
    static LRESULT handleWindowMessage(HALDisplayable* displayable, HWND window, UINT message,
                                       WPARAM wParam, LPARAM lParam);

protected:
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool fullScreen_ = false;

private:
    intptr_t runtimeObject_;
    HALScreenBuffer* screenBuffer_ = nullptr;
};
