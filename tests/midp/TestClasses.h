#pragma once
// Classes of the MIDP tests: a log of callbacks that any thread may read, a
// canvas and a MIDlet that write every callback into it. They register only
// in the test executable.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "java/lang/Runnable.h"
#include "javax/microedition/lcdui/game/GameCanvas.h"
#include "javax/microedition/lcdui/CommandListener.h"
#include "javax/microedition/midlet/MIDlet.h"

namespace vxtest {

// The callbacks seen so far, in order; safe from any thread.
class CallLog {
public:
    static void add(const std::string& entry);
    static std::vector<std::string> all();
    static void clear();
    // Waits (generously) until the entry has been logged `times` times.
    static bool waitFor(const std::string& entry, int times = 1,
                        std::chrono::milliseconds limit = std::chrono::seconds(20));
};

// A game canvas that logs "<name>.<callback> <arguments>"; hooks run extra
// work inside a callback.
class TestCanvas : public javax::microedition::lcdui::game::GameCanvas {
    VM_CLASS(TestCanvas, javax::microedition::lcdui::game::GameCanvas)

    VMPtr<TestCanvas> init();
    VMPtr<TestCanvas> init(const std::string& canvasName, bool suppressKeyEvents = false);
    // Counts the canvases a sweep has freed.
    ~TestCanvas() override;
    static inline int32_t freed = 0;

    void paint(VMPtr<javax::microedition::lcdui::Graphics> g) override;
    void keyPressed(int32_t keyCode) override;
    void keyRepeated(int32_t keyCode) override;
    void keyReleased(int32_t keyCode) override;
    void pointerPressed(int32_t x, int32_t y) override;
    void pointerReleased(int32_t x, int32_t y) override;
    void pointerDragged(int32_t x, int32_t y) override;
    void showNotify() override;
    void hideNotify() override;
    void sizeChanged(int32_t w, int32_t h) override;

    std::string name = "canvas";
    std::function<void()> onKeyPressed;
    std::function<void()> onKeyReleased;
    std::function<void()> onShow;
};

// Logs every command action as "command <label> <displayable name>".
class TestCommandListener : public virtual javax::microedition::lcdui::CommandListener {
    VM_CLASS(TestCommandListener, java::lang::Object)

    void commandAction(VMPtr<javax::microedition::lcdui::Command> c,
                       VMPtr<javax::microedition::lcdui::Displayable> d) override;
};

// Logs "run <label>".
class TestRunnable : public virtual java::lang::Runnable {
    VM_CLASS(TestRunnable, java::lang::Object)

    VMPtr<TestRunnable> init(const std::string& runLabel);
    void run() override;

    std::string label;
};

// The MIDlet the tests launch as "tests.TestMIDlet". Its first startApp makes
// a TestCanvas current; the behaviour switches make a callback fail.
class TestMIDlet : public javax::microedition::midlet::MIDlet {
    VM_CLASS(TestMIDlet, javax::microedition::midlet::MIDlet)

    VMPtr<TestMIDlet> init();

    void startApp() override;
    void pauseApp() override;
    void destroyApp(bool unconditional) override;
    static inline bool startThrows = false;
    static inline bool destroyRefuses = false;
    // Work done in startApp before anything else (e.g. taking a monitor).
    static inline std::function<void()> onStart;
    // Work done on the canvas the first startApp made, before it is shown.
    static inline std::function<void(const VMPtr<TestCanvas>&)> onCanvasMade;

    VMField<TestCanvas> canvas;

    VM_FIELDS(canvas)
};


}  // namespace vxtest
