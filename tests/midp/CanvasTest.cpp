// The canvas's key table (the platform's game actions and key names), its
// capabilities and the lock order between a display switch and key delivery.

#include <atomic>

#include <gtest/gtest.h>

#include "TestClasses.h"
#include "hal/hal.h"
#include "java/lang/IllegalArgumentException.h"
#include "javax/microedition/lcdui/Display.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMEventRegistry.h"
#include "vm/VMThread.h"

using namespace javax::microedition::lcdui;
using vxtest::TestCanvas;

namespace {

class CanvasTest : public VMFixture {};

TEST_F(CanvasTest, GameActionsKeyCodesAndKeyNamesFollowThePlatformTable)
{
    VMPtr<TestCanvas> canvas = TestCanvas::newInstance()->init();
    struct Key {
        int32_t code;
        int32_t action;
        const char* name;
    };
    const Key keys[] = {
        {-1, Canvas::UP, "Up"},       {-2, Canvas::DOWN, "Down"},  {-3, Canvas::LEFT, "Left"},
        {-4, Canvas::RIGHT, "Right"}, {-5, Canvas::FIRE, "Action"}, {-6, 0, "Softkey 1"},
        {-7, 0, "Softkey 2"},         {-9, 0, "Back"},              {35, 0, "#"},
        {42, 0, "*"},                 {'5', 0, ""},                 {-24, 0, "Up"},
    };
    for (const Key& k : keys) {
        SCOPED_TRACE(k.code);
        EXPECT_EQ(canvas->getGameAction(k.code), k.action);
        EXPECT_EQ(vmText(canvas->getKeyName(k.code)), k.name);
        if (k.action != 0 && k.code > -6) {
            EXPECT_EQ(canvas->getKeyCode(k.action), k.code);
        }
    }
    for (int32_t unknown : {0, 3, 4, 7, 9, 12}) {
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
            [&] { canvas->getKeyCode(unknown); }))
            << unknown;
    }
}

TEST_F(CanvasTest, CapabilitiesAreThePlatformsAnswers)
{
    VMPtr<TestCanvas> canvas = TestCanvas::newInstance()->init();
    EXPECT_FALSE(canvas->hasPointerEvents());
    EXPECT_FALSE(canvas->hasPointerMotionEvents());
    EXPECT_TRUE(canvas->hasRepeatEvents());
    EXPECT_TRUE(canvas->isDoubleBuffered());
    canvas->setFullScreenMode(true);
    canvas->setFullScreenMode(true);
    EXPECT_TRUE(canvas->fullScreenMode);
    EXPECT_TRUE(static_cast<HALDisplayable*>(canvas->platformDisplayable)->isFullScreen());
}

// One thread switches the display back and forth while the UI thread
// delivers keys whose callback switches too; each side gives the VM away
// inside its callbacks so the other runs while it holds a lock. Neither may
// deadlock nor stall.
TEST_F(CanvasTest, SwitchingFromAnotherThreadWhileKeysArriveDoesNotDeadlock)
{
    constexpr int kRounds = 200;
    VMStatic<Display> display;
    display = Display::getDisplay(nullptr);
    VMStatic<TestCanvas> a;
    VMStatic<TestCanvas> b;
    a = TestCanvas::newInstance()->init("a");
    b = TestCanvas::newInstance()->init("b");
    auto yieldVM = [] { VMThread::yield(); };
    a->onShow = yieldVM;
    b->onShow = yieldVM;
    bool toA = false;
    auto switchOnKey = [&] {
        VMThread::yield();
        toA = !toA;
        display->setCurrent(toA ? VMPtr<Displayable>(a) : VMPtr<Displayable>(b));
    };
    a->onKeyPressed = switchOnKey;
    b->onKeyPressed = switchOnKey;
    display->setCurrent(VMPtr<Displayable>(a));

    std::atomic<int> switched{0};
    std::atomic<bool> go{false};
    VMTestThread switcher([&] {
        while (!go)
            VMThread::yield();
        for (int i = 0; i < kRounds; ++i) {
            display->setCurrent(i % 2 ? VMPtr<Displayable>(a) : VMPtr<Displayable>(b));
            VMThread::yield();
            switched++;
        }
    });
    go = true;
    for (int i = 0; i < kRounds; ++i) {
        intptr_t key = -5;
        EXPECT_EQ(HAL_dispatchEvent(HAL_EVENT_KEY_PRESSED, 1, &key), 0);
    }
    EXPECT_TRUE(switcher.join());
    EXPECT_EQ(switched.load(), kRounds);
    VMPtr<Displayable> current = display->getCurrent();
    EXPECT_TRUE(current.get() == a.get() || current.get() == b.get());
}

} // namespace
