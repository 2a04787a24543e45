#pragma once
// main.CommonCanvas: the game's canvas. The engine canvas with its three
// game hooks handed to the hub: the frame step (keys latched first), the
// drawing, and the application-state notices. After the exit notice it
// neither updates nor paints until the loop starts again.

#include <cstdint>

#include "tq/TqCanvas.h"

namespace main {

class CommonCanvas : public tq::TqCanvas {
    VM_CLASS(CommonCanvas, tq::TqCanvas)

    // The game's bounds on the frame time: 40 ms to 100 ms.
    static constexpr int32_t FRAME_TIME_MIN = 40;

    // The engine canvas's constructor body: starts the canvas thread.
    VMPtr<CommonCanvas> init(VMPtr<MIDlet> owner);

    void update() override;
    void paint(VMPtr<Graphics> g) override;
    // The hub's share of each notice, then the engine's.
    void applicationStateChanged(int32_t notice) override;

    // Set by the exit notice, cleared when the loop starts.
    bool exiting = false;
};

} // namespace main
