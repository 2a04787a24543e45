#pragma once
// main.CommonMIDlet: the game's MIDlet. The first start makes the canvas and
// the hub and shows the canvas; later starts only tell the canvas it is
// shown again. Pausing and destroying go to the canvas and the hub. The
// application manager calls all three on its own thread.

#include "javax/microedition/midlet/MIDlet.h"
#include "main/Main.h"
#include "tq/TqCanvas.h"

namespace main {

class CommonMIDlet : public javax::microedition::midlet::MIDlet {
    VM_CLASS(CommonMIDlet, javax::microedition::midlet::MIDlet)

    VMPtr<CommonMIDlet> init();

    void startApp() override;
    void pauseApp() override;
    // Sound closed and the hub's context dropped before the exit request.
    void destroyApp(bool unconditional) override;

    // The game canvas; null until the first start, never cleared.
    VMField<tq::TqCanvas> canvas;
    // The hub; set by the first start, cleared by destroyApp.
    VMField<Main> main;

    VM_FIELDS(canvas, main)
};

} // namespace main
