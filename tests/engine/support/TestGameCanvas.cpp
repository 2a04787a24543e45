#include "engine/support/TestGameCanvas.h"

#include <chrono>

#include "hal/hal.h"
#include "javax/microedition/lcdui/Display.h"
#include "vm/VMThread.h"
#include "wince/clock.h"
#include "wince/loader.h"
#include "wince/testing.h"

namespace vxtest {

VMPtr<TestGameMIDlet> TestGameMIDlet::init()
{
    MIDlet::init();
    return VMPtr<TestGameMIDlet>(this);
}

VMPtr<TestGameCanvas> TestGameCanvas::init(VMPtr<MIDlet> owner)
{
    TqCanvas::init(owner);
    return VMPtr<TestGameCanvas>(this);
}

void TestGameCanvas::update()
{
    updates++;
    if (onUpdate)
        onUpdate();
}

void TestGameCanvas::paint(VMPtr<Graphics> g)
{
    paints++;
    if (onPaint)
        onPaint(g);
}

void TestGameCanvas::applicationStateChanged(int32_t state)
{
    notices.emplace_back(state, currentTimeMillis());
    TqCanvas::applicationStateChanged(state);
}

std::vector<int32_t> TestGameCanvas::noticeNumbers() const
{
    std::vector<int32_t> numbers;
    for (auto [notice, time] : notices)
        numbers.push_back(notice);
    return numbers;
}

void GameCanvasFixture::SetUpTestSuite()
{
    VMFixture::SetUpTestSuite();
    wince::setScreenSize(kScreenWidth, kScreenHeight);
    ASSERT_TRUE(HAL_createMainWindow(GetModuleHandleW(nullptr), u"TqCanvasTest"));
}

void GameCanvasFixture::TearDownTestSuite()
{
    HAL_destroyMainWindow();
    wince::resetDevice();
}

void GameCanvasFixture::SetUp()
{
    wince::useVirtualClock(1000000, nullptr);
    midlet = TestGameMIDlet::newInstance()->init();
    canvas = TestGameCanvas::newInstance()->init(VMPtr<TestGameMIDlet>(midlet));
    thread = tq::TqCanvas::canvasThread;
}

void GameCanvasFixture::TearDown()
{
    EXPECT_TRUE(stop());
    wince::useRealClock();
}

void GameCanvasFixture::show()
{
    javax::microedition::lcdui::Display::getDisplay(nullptr)->setCurrent(
        VMPtr<javax::microedition::lcdui::Displayable>(canvas));
}

bool GameCanvasFixture::stop()
{
    if (tq::TqCanvas::applicationState != tq::TqCanvas::STATE_STOPPING)
        canvas->requestActivityState(tq::TqCanvas::ACTIVITY_EXIT);
    return runUntil([&] { return !thread->isAlive(); });
}

bool GameCanvasFixture::runUntil(const std::function<bool()>& done)
{
    auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        VMThread::yield();
    }
    return true;
}

} // namespace vxtest

VM_REGISTER_CLASS_NO_CREATOR(vxtest::TestGameMIDlet, "tests.TestGameMIDlet",
                             "javax.microedition.midlet.MIDlet", "tests", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(vxtest::TestGameCanvas, "tests.TestGameCanvas", "tq.TqCanvas",
                             "tests", nullptr);
