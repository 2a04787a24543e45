#pragma once
// A game canvas for the engine canvas's tests: it records its notices (with
// the clock at each), counts its frames and runs optional hooks inside
// update and paint. A fixture gives each test a fresh canvas and MIDlet on a
// main window of 240 x 400, on the virtual clock, and stops the canvas
// thread afterwards.

#include <functional>
#include <utility>
#include <vector>

#include "support/VMFixture.h"
#include "tq/TqCanvas.h"

namespace vxtest {

class TestGameMIDlet : public javax::microedition::midlet::MIDlet {
    VM_CLASS(TestGameMIDlet, javax::microedition::midlet::MIDlet)

    VMPtr<TestGameMIDlet> init();
    void startApp() override {}
    void pauseApp() override {}
    void destroyApp(bool) override {}
};

class TestGameCanvas : public tq::TqCanvas {
    VM_CLASS(TestGameCanvas, tq::TqCanvas)

    VMPtr<TestGameCanvas> init(VMPtr<MIDlet> owner);

    void update() override;
    void paint(VMPtr<Graphics> g) override;
    void applicationStateChanged(int32_t state) override;

    // Notices in order, each with the clock when it arrived.
    std::vector<std::pair<int32_t, int64_t>> notices;
    std::vector<int32_t> noticeNumbers() const;
    int32_t updates = 0;
    int32_t paints = 0;
    std::function<void()> onUpdate;
    std::function<void(VMPtr<Graphics>)> onPaint;
};

class GameCanvasFixture : public VMFixture {
protected:
    static constexpr int32_t kScreenWidth = 240;
    static constexpr int32_t kScreenHeight = 400;

    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Makes the canvas current (its first show).
    void show();
    // Sends exit and waits for the canvas thread to end; false when it
    // did not.
    bool stop();
    // Lets the canvas thread run (yielding the VM, so virtual time moves
    // only by its sleeps) until done holds; false after 20 s of real time.
    static bool runUntil(const std::function<bool()>& done);

    VMStatic<TestGameMIDlet> midlet;
    VMStatic<TestGameCanvas> canvas;
    VMStatic<java::lang::Thread> thread;
};

} // namespace vxtest
