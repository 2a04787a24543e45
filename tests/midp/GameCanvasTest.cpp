// The game canvas on its screen buffer: the one Graphics, the key-state
// latch, paint events drawing the buffer, and collection in either order of
// a canvas and its Graphics.

#include <algorithm>
#include <atomic>

#include <gtest/gtest.h>

#include "TestClasses.h"
#include "hal/hal.h"
#include "javax/microedition/lcdui/Display.h"
#include "support/VMFixture.h"
#include "vm/VMEventRegistry.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMSynchronized.h"
#include "vm/VMThread.h"
#include "wince/loader.h"
#include "wince/testing.h"

using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Displayable;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::game::GameCanvas;
using vxtest::CallLog;
using vxtest::TestCanvas;

namespace {

class GameCanvasTest : public VMFixture {
protected:
    // The screen buffer takes the size of the main window's client area.
    static void SetUpTestSuite()
    {
        VMFixture::SetUpTestSuite();
        ASSERT_TRUE(HAL_createMainWindow(GetModuleHandleW(nullptr), u"GameCanvasTest"));
    }
    static void TearDownTestSuite() { HAL_destroyMainWindow(); }

    static void collect() { _VM_collectGarbage(_VM_instance); }
};

TEST_F(GameCanvasTest, KeyStateBitsAreOneShiftedByTheGameAction)
{
    const std::pair<int32_t, int32_t> bits[] = {
        {GameCanvas::UP_PRESSED, 2},         {GameCanvas::LEFT_PRESSED, 4},
        {GameCanvas::RIGHT_PRESSED, 32},     {GameCanvas::DOWN_PRESSED, 64},
        {GameCanvas::FIRE_PRESSED, 256},     {GameCanvas::GAME_A_PRESSED, 512},
        {GameCanvas::GAME_B_PRESSED, 1024},  {GameCanvas::GAME_C_PRESSED, 2048},
        {GameCanvas::GAME_D_PRESSED, 4096},
    };
    for (auto [bit, value] : bits)
        EXPECT_EQ(bit, value);
}

TEST_F(GameCanvasTest, KeyStatesReportEachPressOnceAndHeldKeysOnEveryPoll)
{
    VMPtr<TestCanvas> canvas = TestCanvas::newInstance()->init();
    canvas->getKeyStates();
    HAL_latchGameAction(HAL_ACTION_UP, true);
    HAL_latchGameAction(HAL_ACTION_UP, false);
    EXPECT_EQ(canvas->getKeyStates(), GameCanvas::UP_PRESSED);
    EXPECT_EQ(canvas->getKeyStates(), 0);
    HAL_latchGameAction(HAL_ACTION_FIRE, true);
    EXPECT_EQ(canvas->getKeyStates(), GameCanvas::FIRE_PRESSED);
    EXPECT_EQ(canvas->getKeyStates(), GameCanvas::FIRE_PRESSED);
    HAL_latchGameAction(HAL_ACTION_FIRE, false);
    EXPECT_EQ(canvas->getKeyStates(), GameCanvas::FIRE_PRESSED);
    EXPECT_EQ(canvas->getKeyStates(), 0);
}

TEST_F(GameCanvasTest, EveryGetGraphicsResetsTheOneGraphics)
{
    VMPtr<TestCanvas> canvas = TestCanvas::newInstance()->init();
    VMPtr<Graphics> first = canvas->getGraphics();
    first->translate(5, 7);
    first->setColor(0x123456);
    VMPtr<Graphics> second = canvas->getGraphics();
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(first->getTranslateX(), 0);
    EXPECT_EQ(first->getTranslateY(), 0);
    EXPECT_EQ(first->getColor(), 0);
    EXPECT_EQ(first->getClipWidth(), canvas->getWidth());
    EXPECT_EQ(first->getClipHeight(), canvas->getHeight());
}

TEST_F(GameCanvasTest, APaintEventDrawsTheBufferIntoTheGivenContext)
{
    VMPtr<TestCanvas> canvas = TestCanvas::newInstance()->init();
    ASSERT_GE(canvas->getWidth(), 4);
    VMPtr<Graphics> g = canvas->getGraphics();
    g->setColor(0xFF0000);
    g->fillRect(0, 0, 2, 2);
    g->setColor(0x0000FF);
    g->fillRect(2, 0, 2, 2);

    HALImageRef* image = nullptr;
    ASSERT_EQ(HAL_createMutableImage(&image, 4, 2), 0);
    HALGraphics* context = nullptr;
    ASSERT_EQ(HAL_createGraphicsWithImage(&context, image), 0);
    intptr_t words[] = {reinterpret_cast<intptr_t>(context),
                        reinterpret_cast<intptr_t>(static_cast<Displayable*>(canvas.get())), 4, 2};
    EXPECT_EQ(HAL_dispatchEvent(HAL_EVENT_PAINT, 4, words), 0);
    int32_t pixels[8] = {};
    ASSERT_EQ(HAL_getMutableRGB(image, pixels, 8, 4, 0, 0, 4, 2), 0);
    // Red and blue as 16-bit pixels give them back.
    EXPECT_EQ(uint32_t(pixels[0]), 0xFFF80000u);
    EXPECT_EQ(uint32_t(pixels[7]), 0xFF0000F8u);
    EXPECT_EQ(CallLog::all(), (std::vector<std::string>{"canvas.paint"}));
    HAL_deleteImage(image);
}

// A callback holds the event lock and then asks for the display lock while
// another thread switches a canvas to full screen, whose size change is
// told at once: the switch must take the locks in the same order.
TEST_F(GameCanvasTest, FullScreenSwitchKeepsTheLockOrderWithACallback)
{
    VMStatic<TestCanvas> canvas;
    canvas = TestCanvas::newInstance()->init();
    CallLog::clear();
    // A larger screen, so that full screen changes the size.
    wince::setScreenSize(WINCE_DEFAULT_SCREEN_WIDTH + 16, WINCE_DEFAULT_SCREEN_HEIGHT + 16);
    std::atomic<bool> inCallback{false};
    std::atomic<bool> switching{false};
    VMTestThread callback([&] {
        VMSynchronized events(Display::eventLock);
        inCallback = true;
        VMFixture_sleepUntil([&] { return switching.load(); });
        VMThread::sleep(VMThread::current(), 50);  // the switch reaches its locks
        VMSynchronized display(Display::displayLock);
    });
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return inCallback.load(); }));
    VMTestThread switcher([&] {
        switching = true;
        canvas->setFullScreenMode(true);
    });
    EXPECT_TRUE(callback.join());
    EXPECT_TRUE(switcher.join());
    EXPECT_TRUE(canvas->fullScreenMode);
    const std::vector<std::string> told = CallLog::all();
    EXPECT_TRUE(std::any_of(told.begin(), told.end(), [](const std::string& entry) {
        return entry.rfind("canvas.sizeChanged", 0) == 0;
    })) << "the size change was told during the switch";
    wince::resetDevice();
    canvas->setFullScreenMode(false);  // back to the window's own size
}

// A sweep frees a canvas and its Graphics in any order: neither destructor
// may reach the other.
TEST_F(GameCanvasTest, ACanvasAndItsGraphicsAreCollectedInEitherOrder)
{
    // The heap in use after a collection shows what is left of them; one
    // round first, so that what the classes keep for good is counted in.
    auto heapInUse = [] {
        collect();
        return _VM_getTotalMemory() - _VM_getFreeMemory();
    };
    TestCanvas::newInstance()->init()->getGraphics()->fillRect(0, 0, 1, 1);
    uint32_t inUse = heapInUse();
    int32_t freed = TestCanvas::freed;
    VMStatic<Graphics> kept;
    kept = TestCanvas::newInstance()->init()->getGraphics();
    EXPECT_GT(heapInUse(), inUse) << "the Graphics stays";
    EXPECT_EQ(TestCanvas::freed, freed + 1) << "the canvas and its buffer go";
    kept->setColor(0xFFFFFF);
    kept->fillRect(0, 0, 10, 10); // draws nowhere
    kept->setClip(0, 0, 5, 5);
    kept = nullptr;
    EXPECT_EQ(heapInUse(), inUse);
    for (int i = 0; i < 8; ++i)
        TestCanvas::newInstance()->init()->getGraphics()->fillRect(0, 0, 1, 1);
    EXPECT_EQ(heapInUse(), inUse) << "canvases and Graphics in the same sweep";
    EXPECT_EQ(TestCanvas::freed, freed + 9);
}

} // namespace
