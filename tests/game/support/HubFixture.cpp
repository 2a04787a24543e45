#include "game/support/HubFixture.h"

#include "engine/support/TestGameCanvas.h"
#include "hal/hal.h"
#include "hal/properties.h"
#include "tq/Resources.h"
#include "wince/clock.h"
#include "wince/loader.h"
#include "wince/testing.h"

namespace vxtest {

void HubFixture::SetUp()
{
    PackFolderTest::SetUp();
    copyPack(VX_HUB_PACK);
    HAL_loadProperties();
    wince::useVirtualClock(1000000, nullptr);
}

void HubFixture::TearDown()
{
    EXPECT_TRUE(stopGame());
    tq::Resources::closePack();
    if (windowOpen)
        HAL_destroyMainWindow();
    wince::resetDevice();
    wince::useRealClock();
    HAL_freeProperties();
}

void HubFixture::openWindow(int32_t width, int32_t height)
{
    wince::setScreenSize(width, height);
    ASSERT_TRUE(HAL_createMainWindow(GetModuleHandleW(nullptr), u"HubTest"));
    windowOpen = true;
}

void HubFixture::makeGame()
{
    if (!windowOpen)
        openWindow(main::Main::WIDTH, main::Main::HEIGHT);
    midlet = main::CommonMIDlet::newInstance()->init();
    canvas = main::CommonCanvas::newInstance()->init(VMPtr<main::CommonMIDlet>(midlet));
    thread = tq::TqCanvas::canvasThread;
    midlet->canvas = VMPtr<main::CommonCanvas>(canvas);
    midlet->main = main::Main::newInstance()->init(VMPtr<tq::TqCanvas>(canvas));
}

void HubFixture::startGame()
{
    if (!windowOpen)
        openWindow(main::Main::WIDTH, main::Main::HEIGHT);
    midlet = main::CommonMIDlet::newInstance()->init();
    midlet->startApp();
    canvas = vm_cast<main::CommonCanvas>(VMPtr<tq::TqCanvas>(midlet->canvas));
    thread = tq::TqCanvas::canvasThread;
}

VMPtr<RecordingMediaManager> HubFixture::plantSound()
{
    VMPtr<RecordingMediaManager> sound = RecordingMediaManager::newInstance()->init(
        VMPtr<tq::TqCanvas>(canvas), main::Main::SOUND_SLOTS);
    main::Main::instance->mediaManager = sound;
    return sound;
}

VMPtr<RecordingMediaManager> HubFixture::soundOnLogged(int32_t id)
{
    VMPtr<RecordingMediaManager> sound = plantSound();
    main::Main::instance->soundOn(id);
    sound->calls.clear();
    return sound;
}

bool HubFixture::stopGame()
{
    if (!canvas)
        return true;
    if (tq::TqCanvas::applicationState != tq::TqCanvas::STATE_STOPPING)
        canvas->requestActivityState(tq::TqCanvas::ACTIVITY_EXIT);
    return !thread || VMFixture_sleepUntil([&] { return !thread->isAlive(); });
}

bool HubFixture::runUntil(const std::function<bool()>& done)
{
    struct Frames : GameCanvasFixture {
        using GameCanvasFixture::runUntil;
    };
    return Frames::runUntil(done);
}

} // namespace vxtest
