// Platform players: reading WAV and MIDI, the state machine with its events,
// media time across loops, volume, pausing on deactivation, locators. The
// mix is pumped by hand, so every time below is exact.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "hal/HALPlayer.h"
#include "hal/hal.h"
#include "hal/memory.h"
#include "hal/startup.h"
#include "support/AppFolder.h"
#include "support/HalTestSupport.h"
#include "support/SoundImages.h"
#include "wince/clock.h"

namespace {

using vxtest::byteWav;
using vxtest::midiFile;

std::vector<int32_t> g_events;

void recordEvent(intptr_t, HALPlayer*, int32_t event, int64_t, intptr_t)
{
    g_events.push_back(event);
}

class Players : public ::testing::Test {
protected:
    void SetUp() override
    {
        wince::useManualAudio(true);
        g_events.clear();
        HAL_setPlayerListener(recordEvent, 0);
    }
    void TearDown() override { HAL_setPlayerListener(nullptr, 0); }

    static HALPlayer* create(const std::string& image, int32_t type = 2, int32_t loops = 0)
    {
        HALPlayer* player = nullptr;
        EXPECT_EQ(HAL_createPlayerWithData(&player, reinterpret_cast<const int8_t*>(image.data()),
                                           static_cast<int32_t>(image.size()), type, loops),
                  0);
        return player;
    }
    static int32_t status(const std::string& image, int32_t type)
    {
        HALPlayer* player = nullptr;
        int32_t result = HAL_createPlayerWithData(&player, reinterpret_cast<const int8_t*>(image.data()),
                                                  static_cast<int32_t>(image.size()), type, 0);
        if (player) {
            HAL_closePlayer(player);
        }
        return result;
    }
    static int64_t mediaTime(HALPlayer* player)
    {
        int64_t time = -2;
        EXPECT_EQ(HAL_getPlayerMediaTime(&time, player), 0);
        return time;
    }
    static int32_t state(HALPlayer* player)
    {
        int32_t s = -1;
        EXPECT_EQ(HAL_getPlayerState(&s, player), 0);
        return s;
    }
};

TEST_F(Players, AWavPlayerReadsItsHeaderAndGivesEverythingBackWhenClosed)
{
    HAL_closePlayer(create(byteWav(10)));  // the player list now exists
    g_events.clear();
    uint32_t before = HAL_getAllocatedBytes();
    HALPlayer* player = create(byteWav(1500));
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->format.wfx.nAvgBytesPerSec, 8000u);
    EXPECT_EQ(player->templateHeader.dwBufferLength, 12000u);
    EXPECT_EQ(player->templateHeader.dwFlags, 12u);
    int64_t duration = 0;
    ASSERT_EQ(HAL_getPlayerDuration(&duration, player), 0);
    EXPECT_EQ(duration, 1500);  // milliseconds
    int32_t type = 0;
    ASSERT_EQ(HAL_getPlayerContentType(&type, player), 0);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(state(player), 0);
    EXPECT_EQ(HAL_countPlayers(), 1);
    ASSERT_EQ(HAL_closePlayer(player), 0);
    EXPECT_EQ(HAL_countPlayers(), 0);
    EXPECT_EQ(HAL_getAllocatedBytes(), before);
    EXPECT_EQ(g_events, (std::vector<int32_t>{4, 6}));
}

TEST_F(Players, DamagedOrUnsupportedSoundsAreRefusedWithTheirStatus)
{
    std::string wav = byteWav(100);
    std::string noChannels = wav;
    noChannels[22] = 0;
    std::string noRate = wav;
    noRate.replace(24, 4, std::string(4, '\0'));
    std::string longData = wav;
    longData[41] = 0x10;  // declares 4,096 + 800 bytes
    std::string twelveBits = vxtest::wavImage(8000, 12, 1, std::string(300, 'x'));
    std::string note = vxtest::noteMidi(100);
    std::string twoTracks = midiFile({{0, {0x90, 60, 100}}}, 1000, 2, 1);
    std::string smpte = midiFile({{0, {0x90, 60, 100}}}, 0xE728);
    std::string trackPastEnd = note.substr(0, note.size() - 3);
    std::string eventPastEnd = note;
    eventPastEnd.replace(eventPastEnd.size() - 4, 4, std::string("\x00\x90\x3C", 3));
    eventPastEnd[21] = static_cast<char>(eventPastEnd[21] - 1);
    struct Case {
        const char* what;
        std::string image;
        int32_t type;
        int32_t expected;
    };
    const Case cases[] = {
        {"WAV shorter than its header", wav.substr(0, 43), 2, 6},
        {"WAV without channels", noChannels, 2, 6},
        {"WAV without a rate", noRate, 2, 6},
        {"WAV data chunk longer than the file", longData, 2, 6},
        {"12-bit WAV", twelveBits, 2, 6},
        {"WAV at 1 Hz", vxtest::wavImage(1, 8, 1, std::string(256, 'x')), 2, 6},
        {"WAV given no type", wav, 1, 0},
        {"WAV of 44 bytes", wav.substr(0, 44).replace(40, 4, std::string(4, '\0')), 2, 0},
        {"MIDI", note, 6, 0},
        {"MIDI with two tracks", twoTracks, 6, 1},
        {"MIDI with SMPTE timing", smpte, 6, 1},
        {"MIDI shorter than its headers", note.substr(0, 21), 6, 6},
        {"MIDI track running past the end", trackPastEnd, 6, 6},
        {"MIDI event running past the end", eventPastEnd, 6, 6},
        {"AAC", wav, 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(status(c.image, c.type), c.expected);
    }
    EXPECT_EQ(HAL_countPlayers(), 0);
    HALPlayer* out = nullptr;
    EXPECT_EQ(HAL_createPlayerWithData(&out, nullptr, 10, 2, 0), 2);
}

// The reader takes only what the mixer plays; everything else is damaged.
TEST(WavReader, FormatsOutsideTheMixersRangeAreDamaged)
{
    struct Case {
        uint32_t rate;
        uint16_t bits;
        uint16_t channels;
        int32_t expected;
    };
    const Case cases[] = {
        {8000, 8, 1, 0},     {11025, 16, 2, 0}, {22050, 8, 2, 0},   {48000, 16, 1, 0},
        {1, 8, 1, 6},        {7999, 16, 1, 6},  {48001, 16, 1, 6},  {4000000, 16, 2, 6},
        {22050, 0, 1, 6},    {22050, 4, 1, 6},  {22050, 24, 1, 6},  {22050, 32, 2, 6},
        {22050, 16, 0, 6},   {22050, 16, 3, 6}, {22050, 8, 256, 6}, {22050, 8, 65535, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.bits << " bits, " << c.channels << " channels");
        std::string image = vxtest::wavImage(c.rate, c.bits, c.channels, std::string(64, 'x'));
        HALPlayer::WavInfo info{};
        int32_t result = HALPlayer::readWav(reinterpret_cast<const uint8_t*>(image.data()),
                                            static_cast<int32_t>(image.size()), &info);
        EXPECT_EQ(result, c.expected);
        if (result == 0 && c.expected == 0) {
            EXPECT_EQ(info.format.nSamplesPerSec, c.rate);
            EXPECT_EQ(info.format.nBlockAlign, c.bits / 8 * c.channels);
            EXPECT_EQ(info.sampleBytes, 64u);
        }
    }
}

TEST_F(Players, TheMidiReaderKeepsChannelMessagesAndResynchronisesOnTheRest)
{
    std::string file = midiFile({
        {5, {0x90, 60, 100}},
        {7, {0x80, 60, 0}},   // note-off: skipped, its delta dropped
        {3, {0xC1, 9}},       // program change: one data byte
        {2, {0xB0, 7, 90}},
        {0, {0xE0, 0, 64}},   // pitch bend: skipped
        {4, {0xD2, 33}},
    });
    const auto* data = reinterpret_cast<const uint8_t*>(file.data());
    int32_t count = 0;
    uint32_t division = 0;
    ASSERT_EQ(HALPlayer::readMidi(data, static_cast<int32_t>(file.size()), nullptr, &count, &division,
                                  false),
              0);
    ASSERT_EQ(count, 4);
    EXPECT_EQ(division, 1000u);
    std::vector<MIDIWAVEMESSAGE> messages(4);
    ASSERT_EQ(HALPlayer::readMidi(data, static_cast<int32_t>(file.size()), messages.data(), &count,
                                  &division, false),
              0);
    const uint32_t expected[4][2] = {{5, 0x643C90}, {3, 0x09C1}, {2, 0x5A07B0}, {4, 0x21D2}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(messages[i].deltaTicks, expected[i][0]);
        EXPECT_EQ(messages[i].message, expected[i][1]);
    }
}

TEST_F(Players, LoopArgumentsBecomeTheNumberOfPlays)
{
    const int32_t loops[][2] = {{0, 1}, {1, 2}, {4, 5}, {-1, 1000000}};
    for (const auto& l : loops) {
        SCOPED_TRACE(l[0]);
        HALPlayer* player = create(byteWav(100), 2, l[0]);
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(player->templateHeader.dwLoops, static_cast<DWORD>(l[1]));
        ASSERT_EQ(HAL_setPlayerLoopCount(player, l[0]), 0);
        EXPECT_EQ(player->templateHeader.dwLoops, static_cast<DWORD>(l[1]));
        EXPECT_EQ(HAL_closePlayer(player), 0);
    }
    HALPlayer* player = create(byteWav(100));
    EXPECT_EQ(HAL_setPlayerLoopCount(player, -2), 2);
    EXPECT_EQ(HAL_setPlayerLoopCount(nullptr, 1), 2);
    EXPECT_EQ(HAL_closePlayer(player), 0);
}

TEST_F(Players, APlayerGoesThroughItsStatesAndEndsOnTime)
{
    HALPlayer* player = create(byteWav(1000));
    ASSERT_EQ(HAL_prefetchPlayer(player), 0);
    EXPECT_EQ(state(player), 1);
    ASSERT_EQ(HAL_startPlayer(player), 0);
    EXPECT_EQ(state(player), 2);
    EXPECT_EQ(g_events, (std::vector<int32_t>{4, 0}));
    ASSERT_EQ(HAL_prefetchPlayer(player), 0);  // a started player keeps playing
    EXPECT_EQ(state(player), 2);
    wince::pumpAudio(400);
    EXPECT_EQ(mediaTime(player), 400000);
    wince::pumpAudio(599);
    EXPECT_EQ(state(player), 2);
    wince::pumpAudio(20);
    EXPECT_EQ(player->state.load(), HALPlayer::ENDED);
    EXPECT_EQ(state(player), 1);
    EXPECT_EQ(mediaTime(player), 1000000);
    EXPECT_EQ(g_events.back(), 2);

    ASSERT_EQ(HAL_startPlayer(player), 0);  // again from the start
    wince::pumpAudio(300);
    EXPECT_EQ(mediaTime(player), 300000);
    ASSERT_EQ(HAL_stopPlayer(player), 0);
    EXPECT_EQ(g_events.back(), 1);
    wince::pumpAudio(300);
    EXPECT_EQ(mediaTime(player), 300000);
    ASSERT_EQ(HAL_deallocatePlayer(player), 0);
    EXPECT_EQ(state(player), 0);
    EXPECT_EQ(mediaTime(player), 0);
    EXPECT_EQ(HAL_closePlayer(player), 0);
}

TEST_F(Players, MediaTimeFoldsBackIntoTheSoundOnEveryLoop)
{
    struct Case {
        int32_t loops;
        uint32_t playedMs;
        int64_t expectedTime;
        int32_t expectedState;
    };
    const Case cases[] = {
        {0, 1500, 1000000, 1}, {1, 1500, 500000, 2}, {1, 2100, 1000000, 1},
        {-1, 5500, 500000, 2}, {-1, 7000, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.loops << " loops, " << c.playedMs << " ms");
        HALPlayer* player = create(byteWav(1000), 2, c.loops);
        ASSERT_EQ(HAL_startPlayer(player), 0);
        wince::pumpAudio(c.playedMs);
        EXPECT_EQ(mediaTime(player), c.expectedTime);
        EXPECT_EQ(state(player), c.expectedState);
        EXPECT_EQ(HAL_closePlayer(player), 0);
    }
}

TEST_F(Players, StartPlaysFromTheStoredMediaTimeInWholeSeconds)
{
    HALPlayer* player = create(byteWav(3000));
    EXPECT_EQ(HAL_setPlayerMediaTime(player, 3000001), 2);
    EXPECT_EQ(HAL_setPlayerMediaTime(player, -1), 2);
    EXPECT_EQ(HAL_setPlayerMediaTime(player, 3000000), 0);
    ASSERT_EQ(HAL_setPlayerMediaTime(player, 1000000), 0);
    EXPECT_EQ(g_events.back(), 7);
    ASSERT_EQ(HAL_startPlayer(player), 0);
    wince::pumpAudio(500);
    EXPECT_EQ(mediaTime(player), 1500000);
    wince::pumpAudio(1510);
    EXPECT_EQ(state(player), 1);
    EXPECT_EQ(HAL_closePlayer(player), 0);

    // Started at its very end: nothing left to play, and no division by zero.
    player = create(byteWav(1000));
    ASSERT_EQ(HAL_setPlayerMediaTime(player, 1000000), 0);
    ASSERT_EQ(HAL_startPlayer(player), 0);
    wince::pumpAudio(20);
    EXPECT_EQ(mediaTime(player), 1000000);
    EXPECT_EQ(state(player), 1);
    EXPECT_EQ(HAL_closePlayer(player), 0);
}

TEST_F(Players, VolumeIsClampedAndReadBackOnTheSameScale)
{
    HALPlayer* player = create(byteWav(100));
    const int32_t levels[][3] = {{150, 100, 0xFFFF}, {-5, 0, 0}, {50, 50, 32767}, {1, 1, 655}};
    for (const auto& l : levels) {
        SCOPED_TRACE(l[0]);
        ASSERT_EQ(HAL_setPlayerVolume(player, l[0]), 0);
        DWORD device = 0;
        ASSERT_EQ(waveOutGetVolume(player->device, &device), MMSYSERR_NOERROR);
        EXPECT_EQ(device, static_cast<DWORD>(l[2]) * 0x10001);
        int32_t level = -2;
        ASSERT_EQ(HAL_getPlayerVolume(&level, player), 0);
        EXPECT_EQ(level, l[1]);
        EXPECT_EQ(g_events.back(), 5);
    }
    EXPECT_EQ(HAL_setPlayerVolume(nullptr, 10), 2);
    EXPECT_EQ(HAL_closePlayer(player), 0);
}

TEST_F(Players, DeactivationPausesEveryPlayerBeforeItsEventAndStartResumes)
{
    static std::vector<int32_t> statesAtEvent;
    static std::vector<HALPlayer*> players;
    players.clear();
    for (int i = 0; i < 3; ++i) {
        players.push_back(create(byteWav(2000)));
        ASSERT_EQ(HAL_startPlayer(players.back()), 0);
    }
    HALCallbacks callbacks{};
    callbacks.event = [](int32_t type, int32_t, const intptr_t*) -> int32_t {
        if (type == HAL_EVENT_INACTIVE) {
            for (HALPlayer* p : players) {
                statesAtEvent.push_back(p->state.load());
            }
        }
        return 0;
    };
    HAL_setCallbacks(&callbacks);
    wince::pumpAudio(500);
    HAL_resetActivity();
    HAL_setWindowActive(false);
    EXPECT_EQ(statesAtEvent, (std::vector<int32_t>(3, HALPlayer::STOPPED)));
    wince::pumpAudio(500);
    for (HALPlayer* p : players) {
        EXPECT_EQ(mediaTime(p), 500000);
        EXPECT_EQ(state(p), 1);
    }
    HAL_setWindowActive(true);
    for (HALPlayer* p : players) {
        ASSERT_EQ(HAL_startPlayer(p), 0);
    }
    wince::pumpAudio(250);
    for (HALPlayer* p : players) {
        EXPECT_EQ(mediaTime(p), 250000);  // from the stored media time
        EXPECT_EQ(state(p), 2);
        EXPECT_EQ(HAL_closePlayer(p), 0);
    }
    HAL_setCallbacks(nullptr);
}

TEST_F(Players, ASingleTrackMidiFilePlaysAndEnds)
{
    HALPlayer* player = create(vxtest::noteMidi(400), 6, 0);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->format.wfx.wFormatTag, WAVE_FORMAT_MIDI);
    EXPECT_EQ(player->format.usPerQuarterNote, 1000000u);
    EXPECT_EQ(player->format.ticksPerQuarterNote, 1000u);
    EXPECT_EQ(player->templateHeader.dwBufferLength, 3u * 8);
    int64_t duration = -1;
    ASSERT_EQ(HAL_getPlayerDuration(&duration, player), 0);
    EXPECT_EQ(duration, 0);
    EXPECT_EQ(HAL_setPlayerMediaTime(player, 1), 2);
    ASSERT_EQ(HAL_startPlayer(player), 0);
    std::vector<float> out;
    wince::pumpAudio(250, &out);
    EXPECT_EQ(mediaTime(player), 250000);
    EXPECT_EQ(state(player), 2);
    double energy = 0;
    for (float s : out) {
        energy += s * s;
    }
    EXPECT_GT(energy, 1.0);
    wince::pumpAudio(200);
    EXPECT_EQ(player->state.load(), HALPlayer::ENDED);
    EXPECT_EQ(g_events.back(), 2);
    EXPECT_EQ(HAL_closePlayer(player), 0);
}

TEST_F(Players, LocatorsOpenFilesAndResources)
{
    vxtest::AppFolder app;
    app.write("rsc/shot.wav", byteWav(250));
    app.write("sounds/boom.wav", byteWav(500));
    std::u16string file = u"//" + std::u16string(app.path().begin(), app.path().end()) + u"/sounds/boom.wav";
    HALPlayer* player = nullptr;
    ASSERT_EQ(HAL_createPlayerWithLocator(&player, 4, file.data(), static_cast<int32_t>(file.size()), 1, 0), 0);
    int64_t duration = 0;
    HAL_getPlayerDuration(&duration, player);
    EXPECT_EQ(duration, 500);
    EXPECT_EQ(HAL_closePlayer(player), 0);

    ASSERT_EQ(HAL_createPlayerWithLocator(&player, 5, u"shot.wav", 8, 1, 0), 0);
    HAL_getPlayerDuration(&duration, player);
    EXPECT_EQ(duration, 250);
    EXPECT_EQ(HAL_closePlayer(player), 0);

    EXPECT_EQ(HAL_createPlayerWithLocator(&player, 5, u"none.wav", 8, 1, 0), 4);
    EXPECT_EQ(HAL_createPlayerWithLocator(&player, 3, u"//a.wav", 7, 1, 0), 2);
    EXPECT_EQ(HAL_createPlayerWithLocator(&player, 5, u"shot.wav", 8, 6, 0), 1);
    app.write("rsc/bad.wav", "RIFF");
    EXPECT_EQ(HAL_createPlayerWithLocator(&player, 5, u"bad.wav", 7, 1, 0), 6);
    EXPECT_EQ(HAL_countPlayers(), 0);
    EXPECT_EQ(HAL_isProtocolSupported(4) + HAL_isProtocolSupported(5), 2);
    EXPECT_EQ(HAL_isProtocolSupported(2) + HAL_isProtocolSupported(3), 0);
    EXPECT_EQ(HAL_isContentTypeSupported(2), 1);
    EXPECT_EQ(HAL_isContentTypeSupported(6), 0);
}

TEST_F(Players, OnTheVirtualClockSleepingPlaysTheSound)
{
    wince::useVirtualClock(1000, nullptr);
    wince::setVirtualSleepObserver([](DWORD ms) { wince::pumpAudio(ms); });
    HALPlayer* player = create(byteWav(1000));
    ASSERT_EQ(HAL_startPlayer(player), 0);
    Sleep(600);
    EXPECT_EQ(mediaTime(player), 600000);
    Sleep(600);
    EXPECT_EQ(state(player), 1);
    EXPECT_EQ(HAL_closePlayer(player), 0);
    wince::setVirtualSleepObserver(nullptr);
    wince::useRealClock();
}

TEST_F(Players, AWavFileAndAMidiFileRenderTogetherForTheirLengths)
{
    HALPlayer* wav = create(vxtest::toneWav(22050, 300, 440, 0.4), 2);
    HALPlayer* midi = create(vxtest::noteMidi(600, 72), 6);
    ASSERT_EQ(HAL_startPlayer(wav), 0);
    ASSERT_EQ(HAL_startPlayer(midi), 0);
    std::vector<float> out;
    wince::pumpAudio(1000, &out);
    ASSERT_EQ(out.size(), 2u * 44100);
    auto energy = [&](int fromMs, int toMs) {
        double e = 0;
        for (size_t i = 2 * 441 * fromMs / 10; i < 2 * 441 * static_cast<size_t>(toMs) / 10; ++i) {
            e += out[i] * out[i];
        }
        return e;
    };
    // Both sound at first; the tone stops at 300 ms, the note is released at
    // 600 ms and dies away.
    EXPECT_GT(energy(0, 300), 2 * energy(320, 600));
    EXPECT_GT(energy(320, 600), 0.1);
    EXPECT_LT(energy(900, 1000), energy(320, 600) / 20);
    EXPECT_EQ(wav->state.load(), HALPlayer::ENDED);
    EXPECT_EQ(midi->state.load(), HALPlayer::ENDED);
    EXPECT_EQ(HAL_closePlayer(wav), 0);
    EXPECT_EQ(HAL_closePlayer(midi), 0);
}

// Not part of the run: plays a tune and a tone aloud on the machine's own
// sound device, or the .wav or .mid file named by VEXALON_PLAY.
TEST(Listen, DISABLED_PlaysATuneAndAToneAloud)
{
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    if (driver && std::string(driver) == "dummy") {
        unsetenv("SDL_AUDIODRIVER");
    }
    std::vector<std::pair<std::string, int32_t>> sounds;
    if (const char* path = std::getenv("VEXALON_PLAY")) {
        std::ifstream file(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        bool midi = bytes.compare(0, 4, "MThd") == 0;
        sounds.emplace_back(bytes, midi ? 6 : 2);
    } else {
        sounds.emplace_back(midiFile({{0, {0xC0, 0}},      {0, {0x90, 60, 100}},  {250, {0x90, 60, 0}},
                                      {0, {0x90, 64, 100}}, {250, {0x90, 64, 0}},  {0, {0x90, 67, 100}},
                                      {250, {0x90, 67, 0}}, {0, {0x90, 72, 100}},  {600, {0x90, 72, 0}}}),
                            6);
        sounds.emplace_back(vxtest::toneWav(22050, 800, 440, 0.3), 2);
    }
    for (const auto& [image, type] : sounds) {
        HALPlayer* player = nullptr;
        ASSERT_EQ(HAL_createPlayerWithData(&player, reinterpret_cast<const int8_t*>(image.data()),
                                           static_cast<int32_t>(image.size()), type, 0),
                  0);
        ASSERT_EQ(HAL_startPlayer(player), 0);
        EXPECT_TRUE(vxtest::waitUntil([&] { return player->state.load() == HALPlayer::ENDED; },
                                      std::chrono::minutes(10)));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        EXPECT_EQ(HAL_closePlayer(player), 0);
    }
}

}  // namespace
