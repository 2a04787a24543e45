#pragma once
// The game's frame in a test process: the suite's application folder with
// the hub's test pack (fonts, texts, loading picture, music at the hub's
// identifiers), a main window of the test's size and the virtual clock at a
// fixed local time. The game's MIDlet, canvas and hub are made on request as
// the first start makes them; afterwards the canvas thread is stopped and
// the hub's context dropped. A test may hold the canvas thread in lock-step:
// it then waits at each frame's sleep until the test lets frames run, so the
// test acts only between frames and a run replays exactly.

#include <cstdint>
#include <functional>

#include "engine/support/PackFolderTest.h"
#include "game/support/RecordingMediaManager.h"
#include "java/lang/Thread.h"
#include "main/CommonCanvas.h"
#include "main/CommonMIDlet.h"
#include "main/Main.h"
#include "scene/SceneManager.h"

namespace vxtest {

class HubFixture : public PackFolderTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the main window (the canvas's screen) at this size; the first
    // make without a window opens one of 240 x 320.
    void openWindow(int32_t width, int32_t height);
    // The MIDlet, its canvas (its thread waiting for the first show) and the
    // hub, without showing the canvas.
    void makeGame();
    // The MIDlet's first start: the same, and the canvas shown.
    void startGame();
    // Before startGame: the started canvas thread is held at each frame's
    // sleep; only frames() and runUntil() let frames run.
    void holdFrames() { holding = true; }
    // A logging sound manager in place of the hub's; sound stays as it was.
    VMPtr<RecordingMediaManager> plantSound();
    // Sound on with music id through a logging manager, its log emptied.
    VMPtr<RecordingMediaManager> soundOnLogged(int32_t id);
    // Exit through the canvas, then waits for its thread to end; false when
    // it did not.
    bool stopGame();

    // Held: lets exactly n frames run (a frame's sleep, then its update and
    // paint) and returns with the canvas waiting at the next frame's sleep,
    // or its thread ended; false when the thread ended before the n frames
    // or after 20 s of real time.
    bool frames(int32_t n);
    // Lets the canvas thread run frames (only its sleeps move the clock)
    // until done holds, held: frame by frame, done asked between frames;
    // false after 20 s of real time.
    bool runUntil(const std::function<bool()>& done);
    // The current scene as S, or null.
    template<class S>
    static S* current()
    {
        return dynamic_cast<S*>(scene::SceneManager::currentScene.get());
    }
    // The same once the scene has been entered.
    template<class S>
    static S* running()
    {
        S* scene = current<S>();
        return scene != nullptr && !scene->entering ? scene : nullptr;
    }

    VMStatic<main::CommonMIDlet> midlet;
    VMStatic<main::CommonCanvas> canvas;
    VMStatic<java::lang::Thread> thread;

private:
    // Lets the canvas thread run until done holds; false after 20 s of real
    // time.
    static bool runFree(const std::function<bool()>& done);

    bool windowOpen = false;
    bool holding = false;
};

} // namespace vxtest
