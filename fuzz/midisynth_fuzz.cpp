// The MIDI reader feeding the synthesizer: a file the reader accepts is
// played through one synthesizer kept for the whole run (loading the sound
// font takes longer than many inputs), each message at its time, and every
// sample rendered is a finite number within a bound. After each input every
// note is released, the controllers and programs reset and the tail rendered
// away, so the next input starts from silence.
//
// Layout: byte 0 picks the division (ticks per quarter note, 1 to 256 at
// 120 beats a minute); the rest is the track of a single-track file.

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "hal/HALPlayer.h"
#include "support/SoundImages.h"
#include "wince/MidiSynth.h"
#include "wince/waveout.h"

namespace {

constexpr uint32_t kMaxFrames = 8192;  // rendered per input at most
constexpr uint32_t kUsPerQuarter = 500000;

MidiSynth& synth()
{
    static MidiSynth* instance = new MidiSynth(wince::kAudioRate);
    return *instance;
}

void render(uint32_t frames)
{
    static std::vector<float> mix(2 * kMaxFrames);
    std::fill(mix.begin(), mix.begin() + 2 * frames, 0.0f);
    synth().renderAdd(mix.data(), frames, 1.0f, 1.0f);
    for (uint32_t i = 0; i < 2 * frames; i++)
        VXFUZZ_CHECK(std::isfinite(mix[i]) && std::fabs(mix[i]) < 64.0f,
                     "a sample of " + std::to_string(mix[i]));
}

// Back to silence and the power-on state of every channel.
void reset()
{
    synth().releaseAll();
    for (uint32_t channel = 0; channel < 16; channel++) {
        synth().send(0xB0 | channel | 121 << 8);  // reset all controllers
        synth().send(0xC0 | channel);             // program 0
        synth().send(0xE0 | channel | 0x40 << 16);  // pitch bend centred
    }
    for (int i = 0; i < 64 && synth().isSounding(); i++) {
        synth().releaseAll();
        render(512);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 65536)
        return 0;
    const uint16_t division = uint16_t(1 + data[0]);
    std::string image = vxtest::midiFile({}, division);
    image.resize(18);
    vxtest::putBE(image, uint32_t(size - 1), 4);
    image.append(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto* bytes = reinterpret_cast<const uint8_t*>(image.data());
    const auto length = int32_t(image.size());

    int32_t count = 0;
    uint32_t read = 0;
    if (HALPlayer::readMidi(bytes, length, nullptr, &count, &read, false) != 0)
        return 0;
    VXFUZZ_CHECK(read == division, "the division read back otherwise");
    std::vector<MIDIWAVEMESSAGE> messages(size_t(count) + 1);
    int32_t again = -1;
    VXFUZZ_CHECK(HALPlayer::readMidi(bytes, length, messages.data(), &again, &read, false) == 0 &&
                     again == count,
                 "the counting and the filling pass disagree");

    uint32_t rendered = 0;
    for (int32_t i = 0; i < count && rendered < kMaxFrames; i++) {
        const uint64_t us = uint64_t(messages[size_t(i)].deltaTicks) * kUsPerQuarter / division;
        const uint64_t frames = us * uint64_t(wince::kAudioRate) / 1000000;
        const uint32_t step = uint32_t(std::min<uint64_t>(frames, kMaxFrames - rendered));
        render(step);
        rendered += step;
        synth().send(messages[size_t(i)].message);
    }
    render(std::min<uint32_t>(512, kMaxFrames - rendered));
    reset();
    return 0;
}
