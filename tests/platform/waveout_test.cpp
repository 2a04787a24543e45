// The waveOut stand-in: formats, blocks, positions, loops, volume and the
// mix itself, pumped by hand; and one run each on SDL's dummy driver and on
// a machine without a sound device.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "support/HalTestSupport.h"
#include "wince/testing.h"
#include "wince/waveout.h"

namespace {

struct Calls {
    std::vector<UINT> messages;
    std::vector<WAVEHDR*> done;
};

void recordCall(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR)
{
    auto calls = reinterpret_cast<Calls*>(instance);
    calls->messages.push_back(message);
    if (message == WOM_DONE) {
        calls->done.push_back(reinterpret_cast<WAVEHDR*>(param1));
    }
}

WAVEFORMATEX pcm(DWORD rate, WORD bits, WORD channels)
{
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    f.wBitsPerSample = bits;
    return f;
}

MIDIWAVEFORMAT midiFormat()
{
    MIDIWAVEFORMAT f{};
    f.wfx.wFormatTag = WAVE_FORMAT_MIDI;
    f.wfx.nChannels = 1;
    f.wfx.nSamplesPerSec = 32;
    f.wfx.nAvgBytesPerSec = 32;
    f.wfx.nBlockAlign = 8;
    f.wfx.wBitsPerSample = 16;
    f.wfx.cbSize = 10;
    f.usPerQuarterNote = 1000 * 1000;
    f.ticksPerQuarterNote = 1000;
    return f;
}

DWORD positionOf(HWAVEOUT device)
{
    MMTIME time{};
    time.wType = TIME_BYTES;
    EXPECT_EQ(waveOutGetPosition(device, &time, sizeof time), MMSYSERR_NOERROR);
    EXPECT_EQ(time.wType, TIME_BYTES);
    return time.u.cb;
}

void countDone(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR)
{
    if (message == WOM_DONE) {
        reinterpret_cast<std::atomic<int>*>(instance)->fetch_add(1);
    }
}

// Sum of squares of the samples in [from, to) frames.
double energy(const std::vector<float>& s, size_t from, size_t to)
{
    double e = 0;
    for (size_t i = 2 * from; i < 2 * to && i < s.size(); ++i) {
        e += static_cast<double>(s[i]) * s[i];
    }
    return e;
}

// An open device with one block of its own, pumped by hand.
class WaveOut : public ::testing::Test {
protected:
    void SetUp() override { wince::useManualAudio(true); }
    void TearDown() override
    {
        if (device) {
            waveOutReset(device);
            waveOutUnprepareHeader(device, &header, sizeof header);
            EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
        }
    }
    void open(const WAVEFORMATEX* format)
    {
        ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, format, reinterpret_cast<DWORD_PTR>(&recordCall),
                              reinterpret_cast<DWORD_PTR>(&calls), CALLBACK_FUNCTION),
                  MMSYSERR_NOERROR);
    }
    void play(void* data, DWORD length, DWORD loops = 0)
    {
        header = WAVEHDR{};
        header.lpData = static_cast<LPSTR>(data);
        header.dwBufferLength = length;
        if (loops) {
            header.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
            header.dwLoops = loops;
        }
        ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof header), MMSYSERR_NOERROR);
        ASSERT_EQ(waveOutWrite(device, &header, sizeof header), MMSYSERR_NOERROR);
    }

    HWAVEOUT device = nullptr;
    WAVEHDR header{};
    Calls calls;
};

TEST_F(WaveOut, OpensThePcmFormatsItCanPlayAndRefusesTheOthers)
{
    struct Case {
        WAVEFORMATEX format;
        MMRESULT expected;
    };
    WAVEFORMATEX mismatchedBlock = pcm(22050, 16, 2);
    mismatchedBlock.nBlockAlign = 2;
    WAVEFORMATEX adpcm = pcm(22050, 16, 1);
    adpcm.wFormatTag = 2;
    const Case cases[] = {
        {pcm(8000, 8, 1), MMSYSERR_NOERROR},    {pcm(11025, 16, 2), MMSYSERR_NOERROR},
        {pcm(48000, 16, 1), MMSYSERR_NOERROR},  {pcm(22050, 12, 1), WAVERR_BADFORMAT},
        {pcm(22050, 16, 0), WAVERR_BADFORMAT},  {pcm(22050, 16, 3), WAVERR_BADFORMAT},
        {pcm(0, 16, 1), WAVERR_BADFORMAT},      {mismatchedBlock, WAVERR_BADFORMAT},
        {adpcm, WAVERR_BADFORMAT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.format.nSamplesPerSec << " Hz " << c.format.wBitsPerSample
                                          << " bits " << c.format.nChannels << " channels");
        EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &c.format, 0, 0, WAVE_FORMAT_QUERY), c.expected);
        HWAVEOUT d = nullptr;
        ASSERT_EQ(waveOutOpen(&d, WAVE_MAPPER, &c.format, 0, 0, CALLBACK_NULL), c.expected);
        if (d) {
            EXPECT_EQ(waveOutClose(d), MMSYSERR_NOERROR);
        }
    }
    MIDIWAVEFORMAT noTempo = midiFormat();
    noTempo.wfx.cbSize = 0;
    EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &noTempo.wfx, 0, 0, WAVE_FORMAT_QUERY), WAVERR_BADFORMAT);
    MIDIWAVEFORMAT noTicks = midiFormat();
    noTicks.ticksPerQuarterNote = 0;
    EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &noTicks.wfx, 0, 0, WAVE_FORMAT_QUERY), WAVERR_BADFORMAT);
    MIDIWAVEFORMAT midi = midiFormat();
    EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &midi.wfx, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
    WAVEFORMATEX good = pcm(8000, 8, 1);
    EXPECT_EQ(waveOutOpen(nullptr, 3, &good, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_BADDEVICEID);
}

TEST_F(WaveOut, RefusesBlocksOutOfOrderAndStaleHandles)
{
    WAVEFORMATEX format = pcm(8000, 8, 1);
    open(&format);
    EXPECT_EQ(calls.messages, std::vector<UINT>{WOM_OPEN});
    std::vector<char> data(800, 0x40);
    WAVEHDR loose{};
    loose.lpData = data.data();
    loose.dwBufferLength = 800;
    EXPECT_EQ(waveOutWrite(device, &loose, sizeof loose), WAVERR_UNPREPARED);
    play(data.data(), 800);
    EXPECT_EQ(waveOutUnprepareHeader(device, &header, sizeof header), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutClose(device), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutWrite(device, &header, sizeof header), MMSYSERR_INVALPARAM);

    HWAVEOUT stale = reinterpret_cast<HWAVEOUT>(&loose);
    DWORD volume = 0;
    EXPECT_EQ(waveOutPause(stale), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutGetVolume(stale, &volume), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutClose(stale), MMSYSERR_INVALHANDLE);
    WAVEOUTCAPS caps;
    EXPECT_EQ(waveOutGetDevCaps(reinterpret_cast<UINT_PTR>(stale), &caps, sizeof caps),
              MMSYSERR_BADDEVICEID);
}

TEST_F(WaveOut, CountsBytesAsTheyPlayAndReturnsTheBlockWhenItEnds)
{
    WAVEFORMATEX format = pcm(8000, 8, 1);
    open(&format);
    std::vector<char> second(8000, 0x60);
    play(second.data(), 8000);
    wince::pumpAudio(500);
    EXPECT_EQ(positionOf(device), 4000u);
    EXPECT_TRUE(calls.done.empty());
    EXPECT_TRUE(header.dwFlags & WHDR_INQUEUE);
    wince::pumpAudio(499);
    EXPECT_TRUE(calls.done.empty());
    wince::pumpAudio(20);
    ASSERT_EQ(calls.done, std::vector<WAVEHDR*>{&header});
    EXPECT_EQ(header.dwFlags & (WHDR_DONE | WHDR_INQUEUE), WHDR_DONE);
    EXPECT_EQ(positionOf(device), 8000u);
    wince::pumpAudio(100);
    EXPECT_EQ(calls.done.size(), 1u);
}

TEST_F(WaveOut, PlaysALoopedBlockItsNumberOfTimesAndCountsEveryPass)
{
    WAVEFORMATEX format = pcm(8000, 8, 1);
    open(&format);
    std::vector<char> quarter(2000, 0x60);
    play(quarter.data(), 2000, 3);
    wince::pumpAudio(740);
    EXPECT_TRUE(calls.done.empty());
    EXPECT_EQ(positionOf(device), 5920u);
    wince::pumpAudio(20);
    EXPECT_EQ(calls.done.size(), 1u);
    EXPECT_EQ(positionOf(device), 6000u);
}

TEST_F(WaveOut, AnEmptyBlockEndsAtOnceWhateverItsLoops)
{
    WAVEFORMATEX format = pcm(8000, 8, 1);
    open(&format);
    char none = 0;
    play(&none, 0, 1000000);
    wince::pumpAudio(10);
    EXPECT_EQ(calls.done.size(), 1u);

    MIDIWAVEFORMAT midi = midiFormat();
    Calls midiCalls;
    HWAVEOUT midiDevice = nullptr;
    ASSERT_EQ(waveOutOpen(&midiDevice, WAVE_MAPPER, &midi.wfx, reinterpret_cast<DWORD_PTR>(&recordCall),
                          reinterpret_cast<DWORD_PTR>(&midiCalls), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    // Messages that all fall on tick 0, looped "endlessly", take no time.
    MIDIWAVEMESSAGE instant[2] = {{0, 0xC0}, {0, 0x7F3C90}};
    WAVEHDR block{};
    block.lpData = reinterpret_cast<LPSTR>(instant);
    block.dwBufferLength = sizeof instant;
    block.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    block.dwLoops = 1000000;
    ASSERT_EQ(waveOutPrepareHeader(midiDevice, &block, sizeof block), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(midiDevice, &block, sizeof block), MMSYSERR_NOERROR);
    wince::pumpAudio(10);
    EXPECT_EQ(midiCalls.done.size(), 1u);
    EXPECT_EQ(waveOutClose(midiDevice), MMSYSERR_NOERROR);
}

// FluidSynth is loaded by the first MIDI device; without it a MIDI device is
// refused as having no driver, and PCM plays on.
TEST_F(WaveOut, WithoutFluidSynthAMidiDeviceIsRefusedAndPcmPlaysOn)
{
    MIDIWAVEFORMAT midi = midiFormat();
    wince::useSynthLibrary("libvexalon-no-such-synth.so");
    HWAVEOUT midiDevice = nullptr;
    EXPECT_EQ(waveOutOpen(&midiDevice, WAVE_MAPPER, &midi.wfx, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
    EXPECT_EQ(midiDevice, nullptr);
    WAVEFORMATEX f = pcm(8000, 8, 1);
    open(&f);

    wince::useSynthLibrary(nullptr);
    ASSERT_EQ(waveOutOpen(&midiDevice, WAVE_MAPPER, &midi.wfx, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(midiDevice), MMSYSERR_NOERROR);
}

TEST_F(WaveOut, PauseHoldsThePositionAndResetGivesTheBlockBack)
{
    WAVEFORMATEX format = pcm(8000, 8, 1);
    open(&format);
    std::vector<char> second(8000, 0x60);
    play(second.data(), 8000);
    wince::pumpAudio(250);
    ASSERT_EQ(waveOutPause(device), MMSYSERR_NOERROR);
    wince::pumpAudio(500);
    EXPECT_EQ(positionOf(device), 2000u);
    ASSERT_EQ(waveOutRestart(device), MMSYSERR_NOERROR);
    wince::pumpAudio(250);
    EXPECT_EQ(positionOf(device), 4000u);
    ASSERT_EQ(waveOutReset(device), MMSYSERR_NOERROR);
    EXPECT_EQ(calls.done, std::vector<WAVEHDR*>{&header});
    EXPECT_EQ(header.dwFlags & (WHDR_DONE | WHDR_INQUEUE), WHDR_DONE);
    EXPECT_EQ(positionOf(device), 0u);
    EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
    EXPECT_EQ(calls.messages.back(), WOM_CLOSE);
    device = nullptr;
}

TEST_F(WaveOut, VolumeScalesEachChannel)
{
    WAVEFORMATEX format = pcm(8000, 8, 1);
    open(&format);
    WAVEOUTCAPS caps{};
    ASSERT_EQ(waveOutGetDevCaps(reinterpret_cast<UINT_PTR>(device), &caps, sizeof caps), MMSYSERR_NOERROR);
    EXPECT_EQ(caps.dwSupport & (WAVECAPS_VOLUME | WAVECAPS_LRVOLUME), WAVECAPS_VOLUME | WAVECAPS_LRVOLUME);
    DWORD volume = 0;
    ASSERT_EQ(waveOutGetVolume(device, &volume), MMSYSERR_NOERROR);
    EXPECT_EQ(volume, 0xFFFFFFFFu);
    ASSERT_EQ(waveOutSetVolume(device, 0x0000FFFF), MMSYSERR_NOERROR);  // left only
    std::vector<char> second(8000, static_cast<char>(0xE0));
    play(second.data(), 8000);
    std::vector<float> out;
    wince::pumpAudio(100, &out);
    double left = 0;
    double right = 0;
    for (size_t i = 0; i + 1 < out.size(); i += 2) {
        left += std::fabs(out[i]);
        right += std::fabs(out[i + 1]);
    }
    EXPECT_GT(left, 1000.0);
    EXPECT_EQ(right, 0.0);
}

TEST_F(WaveOut, RendersAWavToneForItsLengthAndNoLonger)
{
    WAVEFORMATEX format = pcm(22050, 16, 1);
    open(&format);
    std::vector<int16_t> tone(22050 / 2);  // half a second of 440 Hz
    for (size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<int16_t>(16000 * std::sin(2 * M_PI * 440 * i / 22050.0));
    }
    play(tone.data(), static_cast<DWORD>(tone.size() * 2));
    std::vector<float> out;
    wince::pumpAudio(700, &out);
    ASSERT_EQ(out.size(), 2u * 44100 * 700 / 1000);
    const size_t half = 44100 / 2;
    // RMS of a 0.49 amplitude sine is about 0.35 per sample.
    double rms = std::sqrt(energy(out, 0, half) / (2.0 * half));
    EXPECT_NEAR(rms, 0.345, 0.02);
    EXPECT_LT(energy(out, half + 50, out.size() / 2), 1e-6);
    EXPECT_GT(energy(out, half - 100, half), 0.1);
    EXPECT_EQ(calls.done.size(), 1u);
}

TEST_F(WaveOut, RendersMidiNotesAtTheirTicksAndEndsWithTheLastMessage)
{
    MIDIWAVEFORMAT format = midiFormat();
    open(&format.wfx);
    // Silence for 200 ms, then a note of 300 ms (a tick is a millisecond).
    MIDIWAVEMESSAGE song[] = {{0, 0x00C0}, {200, 0x643C90}, {300, 0x003C90}};
    play(song, sizeof song);
    std::vector<float> out;
    wince::pumpAudio(450, &out);
    EXPECT_TRUE(calls.done.empty());
    EXPECT_EQ(positionOf(device), 450u * 32 / 1000);
    wince::pumpAudio(100, &out);
    EXPECT_EQ(calls.done.size(), 1u);
    const size_t ms = 44100 / 1000;
    EXPECT_LT(energy(out, 0, 200 * ms), 1e-6);
    EXPECT_GT(energy(out, 200 * ms, 210 * ms), 0.01);
    EXPECT_GT(energy(out, 400 * ms, 500 * ms), 0.1);
    // Released at the end: it dies away.
    wince::pumpAudio(2000, &out);
    EXPECT_LT(energy(out, 2400 * ms, 2550 * ms), energy(out, 400 * ms, 500 * ms) / 100);
}

// Notes held by the sustain pedal on a sustained instrument (an organ)
// fall silent too when the device pauses or resets.
TEST_F(WaveOut, PauseAndResetSilenceNotesHeldByThePedal)
{
    struct Case {
        const char* name;
        MMRESULT (*halt)(HWAVEOUT);
    };
    const Case cases[] = {{"pause", waveOutPause}, {"reset", waveOutReset}};
    const size_t ms = 44100 / 1000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MIDIWAVEFORMAT format = midiFormat();
        open(&format.wfx);
        // Organ, pedal down, a chord; the song runs on for ten seconds.
        MIDIWAVEMESSAGE song[] = {{0, 0x13C0}, {0, 0x7F40B0}, {0, 0x643C90}, {0, 0x644090},
                                  {0, 0x003C90}, {0, 0x004090}, {10000, 0x00B0}};
        play(song, sizeof song);
        std::vector<float> out;
        wince::pumpAudio(300, &out);
        ASSERT_GT(energy(out, 200 * ms, 300 * ms), 0.1);
        ASSERT_EQ(c.halt(device), MMSYSERR_NOERROR);
        wince::pumpAudio(3000, &out);
        EXPECT_LT(energy(out, 3200 * ms, 3300 * ms), energy(out, 200 * ms, 300 * ms) / 1000);
        TearDown();
        device = nullptr;
        calls = Calls{};
    }
}

// Opens a device on whatever driver the run has, plays a tenth of a second
// and waits (in real time) for its end.
void playATenthOnTheDriver(bool expectDevice)
{
    WAVEFORMATEX format = pcm(8000, 8, 1);
    std::atomic<int> done{0};
    HWAVEOUT device = nullptr;
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(&countDone),
                          reinterpret_cast<DWORD_PTR>(&done), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    EXPECT_EQ(wince::hasAudioDevice(), expectDevice);
    std::vector<char> tenth(800, 0x60);
    WAVEHDR header{};
    header.lpData = tenth.data();
    header.dwBufferLength = 800;
    ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof header), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(device, &header, sizeof header), MMSYSERR_NOERROR);
    EXPECT_TRUE(vxtest::waitUntil([&] { return done.load() == 1; }));
    EXPECT_EQ(positionOf(device), 800u);
    EXPECT_EQ(waveOutUnprepareHeader(device, &header, sizeof header), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
}

// Each test starts the output afresh on the driver it names, and leaves the
// run's own driver for the tests after it.
class WaveOutDriver : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* driver = getenv("SDL_AUDIODRIVER");
        saved = driver ? std::optional<std::string>(driver) : std::nullopt;
        wince::useManualAudio(false);
        wince::restartAudioOutput();
    }
    void TearDown() override
    {
        wince::restartAudioOutput();
        if (saved) {
            setenv("SDL_AUDIODRIVER", saved->c_str(), 1);
        } else {
            unsetenv("SDL_AUDIODRIVER");
        }
    }
    std::optional<std::string> saved;
};

TEST_F(WaveOutDriver, PlaysOnSdlsDummyDriverInRealTime)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    playATenthOnTheDriver(true);
}

TEST_F(WaveOutDriver, WithoutASoundDeviceBlocksStillEndOnTime)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    playATenthOnTheDriver(false);
}

}  // namespace
