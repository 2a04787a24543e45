#pragma once
// HALCanvas: the platform side of a MIDP canvas: keys, stylus and the
// full-screen switch.

#include "hal/HALDisplayable.h"
#include "hal/HALKeyboard.h"
#include "hal/HALPointer.h"

class HALCanvas final : public HALDisplayable {
public:
    explicit HALCanvas(intptr_t runtimeObject);

    void setFullScreenMode(bool on) override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HALKeyboard keyboard_;
    HALPointer pointer_;
};
