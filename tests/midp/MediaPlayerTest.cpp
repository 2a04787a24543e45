// MIDP media: the Manager's tables and factories, the player's states, loop
// counts, times in microseconds, volume and mute, controls; pumped by hand.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "com/tarquel/velto/media/Player.h"
#include "hal/HALPlayer.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IllegalStateException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/Runtime.h"
#include "javax/microedition/media/Manager.h"
#include "javax/microedition/media/MediaException.h"
#include "support/LangTestSupport.h"
#include "support/SoundImages.h"
#include "support/VMFixture.h"
#include "wince/waveout.h"

namespace {

using javax::microedition::media::Manager;
using javax::microedition::media::MediaException;
using MidpPlayer = javax::microedition::media::Player;
using PlayerImpl = com::tarquel::velto::media::Player;
using ByteArray = java::lang::String::ByteArray;

class MediaPlayerTest : public VMFixture {
protected:
    void SetUp() override { wince::useManualAudio(true); }
};

VMPtr<ByteArray> bytesOf(const std::string& image)
{
    VMPtr<ByteArray> array = ByteArray::newArray(static_cast<int32_t>(image.size()));
    std::memcpy(array->elements(), image.data(), image.size());
    return array;
}

VMPtr<PlayerImpl> implOf(const VMPtr<MidpPlayer>& player)
{
    return VMPtr<PlayerImpl>(dynamic_cast<PlayerImpl*>(player.get()));
}

VMPtr<MidpPlayer> wavPlayer(uint32_t milliseconds, const char* type = "audio/x-wav")
{
    return Manager::createPlayer(bytesOf(vxtest::byteWav(milliseconds)), 0,
                                 static_cast<int32_t>(vxtest::byteWav(milliseconds).size()),
                                 type ? vmString(type) : VMPtr<java::lang::String>());
}

TEST_F(MediaPlayerTest, ContentTypesAndProtocolsHaveTheirCodes)
{
    const std::pair<const char*, int32_t> types[] = {
        {"audio/x-wav", 2}, {"audio/x-caf", 3}, {"audio/mpeg", 4},      {"audio/aac", 5},
        {"audio/midi", 6},  {"audio/mp4", 7},   {"audio/x-ms-wma", 8},  {"audio/vnd.qcelp", 11},
        {"Audio/X-WAV", 0}, {"", 0},
    };
    for (const auto& [text, code] : types) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Manager::contentTypeCode(vmString(text)), code);
        EXPECT_EQ(vmText(Manager::contentTypeOf(code)), code ? text : "<null>");
    }
    EXPECT_EQ(Manager::contentTypeCode(nullptr), 1);
    EXPECT_EQ(vmText(Manager::contentTypeOf(1)), "<null>");
    EXPECT_EQ(vmText(Manager::contentTypeOf(9)), "<null>");
    const std::pair<const char*, int32_t> locators[] = {
        {"device://tone", 2}, {"http://x/a.wav", 3}, {"file://a.wav", 4},
        {"x-jar:a.wav", 5},   {"ftp://a", 0},        {"a.wav", 0},
    };
    for (const auto& [text, code] : locators) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Manager::locatorProtocolCode(vmString(text)), code);
    }
    EXPECT_EQ(vmText(Manager::locatorRemainder(vmString("file://snd.wav"))), "//snd.wav");
    EXPECT_EQ(vmText(Manager::locatorRemainder(vmString("snd.wav"))), "<null>");
    EXPECT_EQ(Manager::protocolCode(nullptr), 1);
    Manager::_VM_clinit();
    EXPECT_EQ(vmText(Manager::MIDI_DEVICE_LOCATOR), "device://midi");
    EXPECT_EQ(vmText(Manager::TONE_DEVICE_LOCATOR), "device://tone");
}

TEST_F(MediaPlayerTest, FactoriesRefuseWhatCannotBePlayed)
{
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [] { Manager::createPlayer(VMPtr<java::lang::String>()); },
        "Manager.createPlayer passed null locator"));
    for (const char* locator : {"device://tone", "device://midi", "http://a/b.wav", "snd.wav"}) {
        SCOPED_TRACE(locator);
        EXPECT_TRUE(vmThrows<MediaException>([&] { Manager::createPlayer(vmString(locator)); }));
    }
    VMPtr<MidpPlayer> located = Manager::createPlayer(vmString("file://snd.wav"));
    EXPECT_EQ(located->getState(), MidpPlayer::UNREALIZED);
    EXPECT_EQ(vmText(implOf(located)->locator), "//snd.wav");

    VMPtr<ByteArray> four = ByteArray::newArray(4);
    VMPtr<java::lang::String> wav = vmString("audio/x-wav");
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>(
        [&] { Manager::createPlayer(VMPtr<ByteArray>(), 0, 0, wav); }));
    const int32_t ranges[][2] = {{-1, 1}, {4, 0}, {0, -1}, {1, 4}};
    for (const auto& r : ranges) {
        SCOPED_TRACE(::testing::Message() << r[0] << ", " << r[1]);
        EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
            [&] { Manager::createPlayer(four, r[0], r[1], wav); }));
    }
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { Manager::createPlayer(ByteArray::newArray(0), 0, 0, wav); }));
    for (const char* type : {"audio/midi", "Audio/X-WAV", "audio/mpeg"}) {
        SCOPED_TRACE(type);
        EXPECT_TRUE(vmThrows<MediaException>([&] { Manager::createPlayer(four, 0, 4, vmString(type)); }));
    }
    EXPECT_EQ(Manager::createPlayer(four, 0, 4, VMPtr<java::lang::String>())->getState(),
              MidpPlayer::UNREALIZED);
}

TEST_F(MediaPlayerTest, APlayerFromBytesGoesThroughItsStates)
{
    VMPtr<MidpPlayer> player = wavPlayer(1000);
    EXPECT_EQ(player->getState(), MidpPlayer::UNREALIZED);
    EXPECT_EQ(player->getMediaTime(), -11);
    EXPECT_EQ(player->getDuration(), -11);
    player->prefetch();  // nothing before realize
    player->start();
    player->close();
    EXPECT_EQ(player->getState(), MidpPlayer::UNREALIZED);
    player->realize();
    EXPECT_EQ(player->getState(), MidpPlayer::REALIZED);
    EXPECT_EQ(implOf(player)->data.get(), nullptr);
    EXPECT_EQ(player->getDuration(), 1000000);  // microseconds
    EXPECT_EQ(vmText(player->getContentType()), "audio/x-wav");
    player->prefetch();
    EXPECT_EQ(player->getState(), MidpPlayer::PREFETCHED);
    player->start();
    EXPECT_EQ(player->getState(), MidpPlayer::STARTED);
    wince::pumpAudio(250);
    EXPECT_EQ(player->getMediaTime(), 250000);
    player->stop();
    EXPECT_EQ(player->getState(), MidpPlayer::PREFETCHED);
    player->start();
    wince::pumpAudio(1010);
    EXPECT_EQ(player->getState(), MidpPlayer::PREFETCHED);  // ended
    player->setMediaTime(-100);
    EXPECT_EQ(implOf(player)->halPlayer->mediaTime.load(), 0);
    EXPECT_TRUE(vmThrows<MediaException>([&] { player->setMediaTime(1000001); },
                                         "Unable to set the media time for the player"));
    player->deallocate();
    EXPECT_EQ(player->getState(), MidpPlayer::REALIZED);
    player->close();
    EXPECT_EQ(player->getState(), MidpPlayer::CLOSED);
    player->close();
    const std::pair<const char*, std::function<void()>> refused[] = {
        {"Attempting to realize closed player", [&] { player->realize(); }},
        {"Attempting to prefetch closed player", [&] { player->prefetch(); }},
        {"Attempting to start closed player", [&] { player->start(); }},
        {"Attempting to deallocate closed player", [&] { player->deallocate(); }},
        {"Attempting to call setMediaTime on a closed player", [&] { player->setMediaTime(0); }},
        {"Player.getContentType called on a closed player", [&] { player->getContentType(); }},
        {"Player.setLoopCount called on a closed player", [&] { player->setLoopCount(2); }},
        {"Attempting to get controls for a closed player",
         [&] { player->getControl(vmString("VolumeControl")); }},
    };
    for (const auto& [message, call] : refused) {
        SCOPED_TRACE(message);
        EXPECT_TRUE(vmThrows<java::lang::IllegalStateException>(call, message));
    }
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { player->setLoopCount(0); }, "Player.setLoopCount with an invalid count."));
}

TEST_F(MediaPlayerTest, LoopCountsReachThePlatformAsExtraPlays)
{
    VMPtr<MidpPlayer> player = wavPlayer(1000);
    player->setLoopCount(2);
    player->realize();
    HALPlayer* hal = implOf(player)->halPlayer;
    EXPECT_EQ(hal->templateHeader.dwLoops, 2u);
    const int32_t counts[][2] = {{3, 3}, {1, 1}, {-5, 1000000}};
    for (const auto& c : counts) {
        player->setLoopCount(c[0]);
        EXPECT_EQ(hal->templateHeader.dwLoops, static_cast<DWORD>(c[1]));
    }
    player->setLoopCount(2);
    player->start();
    wince::pumpAudio(1500);
    EXPECT_EQ(player->getState(), MidpPlayer::STARTED);
    EXPECT_EQ(player->getMediaTime(), 500000);
    wince::pumpAudio(510);
    EXPECT_EQ(player->getState(), MidpPlayer::PREFETCHED);
    player->close();

    VMPtr<MidpPlayer> endless = wavPlayer(100);
    endless->setLoopCount(-1);
    endless->realize();
    endless->start();
    wince::pumpAudio(2050);
    EXPECT_EQ(endless->getState(), MidpPlayer::STARTED);
    EXPECT_EQ(endless->getMediaTime(), 50000);
    endless->close();
}

TEST_F(MediaPlayerTest, VolumeIsClampedAndMuteKeepsThePlatformInStep)
{
    VMPtr<MidpPlayer> player = wavPlayer(500);
    VMPtr<PlayerImpl> impl = implOf(player);
    EXPECT_EQ(impl->getLevel(), -1);
    impl->setLevel(30);  // before realize: applied once realized
    impl->setMute(true);
    player->realize();
    DWORD device = 1;
    ASSERT_EQ(waveOutGetVolume(impl->halPlayer->device, &device), MMSYSERR_NOERROR);
    EXPECT_EQ(device, 0u);
    impl->setMute(false);
    ASSERT_EQ(waveOutGetVolume(impl->halPlayer->device, &device), MMSYSERR_NOERROR);
    EXPECT_EQ(device, 30u * 65535 / 100 * 0x10001);
    EXPECT_EQ(impl->setLevel(150), 100);
    EXPECT_EQ(impl->setLevel(-3), 0);
    EXPECT_EQ(impl->setLevel(50), 50);
    impl->setMute(true);
    EXPECT_TRUE(impl->isMuted());
    EXPECT_EQ(impl->setLevel(80), 50);  // muted: nothing changes
    ASSERT_EQ(waveOutGetVolume(impl->halPlayer->device, &device), MMSYSERR_NOERROR);
    EXPECT_EQ(device, 0u);
    impl->setMute(false);
    EXPECT_EQ(impl->getLevel(), 50);
    player->close();

    VMPtr<MidpPlayer> fresh = wavPlayer(100);
    fresh->realize();
    fresh->prefetch();
    EXPECT_EQ(implOf(fresh)->getLevel(), 100);
    fresh->close();
}

// Unmuting brings back the volume that was in force before the mute, also
// when no level was known yet (muted right after realize, or before it).
TEST_F(MediaPlayerTest, UnmutingBeforeAnyLevelIsKnownRestoresTheVolume)
{
    const std::function<void(MidpPlayer&, PlayerImpl&)> orders[] = {
        [](MidpPlayer& p, PlayerImpl& v) {
            p.realize();
            v.setMute(true);
        },
        [](MidpPlayer& p, PlayerImpl& v) {
            v.setMute(true);
            p.realize();
        },
    };
    for (const auto& muteAndRealize : orders) {
        VMPtr<MidpPlayer> player = wavPlayer(100);
        VMPtr<PlayerImpl> impl = implOf(player);
        muteAndRealize(*player, *impl);
        DWORD device = 1;
        ASSERT_EQ(waveOutGetVolume(impl->halPlayer->device, &device), MMSYSERR_NOERROR);
        EXPECT_EQ(device, 0u);
        impl->setMute(false);
        player->prefetch();
        ASSERT_EQ(waveOutGetVolume(impl->halPlayer->device, &device), MMSYSERR_NOERROR);
        EXPECT_EQ(device, 0xFFFFFFFFu);
        EXPECT_EQ(impl->getLevel(), 100);
        player->close();
    }
}

TEST_F(MediaPlayerTest, ControlsAreThePlayerItself)
{
    VMPtr<MidpPlayer> player = wavPlayer(100, nullptr);
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { player->getControl(VMPtr<java::lang::String>()); },
        "Invalid control type passed to Player.getControl"));
    EXPECT_TRUE(vmThrows<java::lang::IllegalStateException>(
        [&] { player->getControl(vmString("VolumeControl")); },
        "Attempting to get controls for an unrealized player"));
    player->realize();
    VMPtr<javax::microedition::media::Control> self(
        static_cast<javax::microedition::media::Control*>(implOf(player).get()));
    EXPECT_EQ(player->getControl(vmString("VolumeControl")).get(), self.get());
    EXPECT_EQ(player->getControl(vmString("javax.microedition.media.control.VolumeControl")).get(),
              self.get());
    EXPECT_EQ(player->getControl(vmString("ToneControl")).get(), nullptr);
    EXPECT_EQ(player->getControls()->get(0).get(), self.get());
    EXPECT_EQ(vmText(player->getContentType()), "audio/x-wav");  // the platform's code
    player->close();
}

TEST_F(MediaPlayerTest, ARealizedPlayerLeftToTheCollectorClosesItsPlatformPlayer)
{
    int32_t before = HAL_countPlayers();
    {
        VMPtr<MidpPlayer> player = wavPlayer(100);
        player->realize();
        EXPECT_EQ(HAL_countPlayers(), before + 1);
    }
    java::lang::Runtime::getRuntime()->gc();
    EXPECT_EQ(HAL_countPlayers(), before);
}

}  // namespace
