// Music for the platform's WAV player: a score (the `score` type's source)
// played by the MIDI device's own synthesizer, FluidSynth with the General
// MIDI sound font, into 16-bit mono PCM at 22050 Hz.
//
//   entry MENU_MUSIC music menu.score
//
// The file lasts exactly as long as the score and is made for a player that
// loops it: the score is rendered three times over and the middle pass kept,
// so that its start already carries the reverb and release tails of its own
// end; its first 10 ms are then blended into what followed the middle pass,
// so that the last sample flows into the first. The loudest sample is made
// half of full scale. A sound font that gives no sound is an error.

#include <algorithm>
#include <cmath>

#include "Sound.h"
#include "hal/HALPlayer.h"
#include "wince/MidiSynth.h"

namespace packbuilder {

namespace {

constexpr int32_t kRate = 22050;
constexpr int64_t kBlendFrames = kRate / 100;
constexpr int kPasses = 3;
// The loudest sample, of full scale: loud enough to be heard, with room
// for the sound effects in the mix.
constexpr double kPeak = 0.5;

int64_t frameAt(int64_t ms)
{
    return ms * kRate / 1000;
}

// The timed messages the platform's MIDI player plays, a tick being a
// millisecond.
std::vector<MIDIWAVEMESSAGE> playedMessages(const std::vector<uint8_t>& midi, const std::string& name)
{
    int32_t count = 0;
    uint32_t division = 0;
    std::vector<MIDIWAVEMESSAGE> messages;
    if (HALPlayer::readMidi(midi.data(), int32_t(midi.size()), nullptr, &count, &division, false) == 0) {
        messages.resize(size_t(count));
        HALPlayer::readMidi(midi.data(), int32_t(midi.size()), messages.data(), &count, &division, false);
    }
    if (messages.empty())
        throw BuildError(name + ": the score makes no MIDI the player plays");
    return messages;
}

std::vector<uint8_t> encodeMusic(EntryContext& entry)
{
    std::string name = entry.source.filename().string();
    std::vector<MIDIWAVEMESSAGE> messages = playedMessages(scoreMidi(entry), name);
    int64_t length = 0;
    for (const MIDIWAVEMESSAGE& m : messages)
        length += m.deltaTicks;

    MidiSynth synth(kRate);
    std::vector<float> stereo;
    auto renderTo = [&](int64_t frame) {
        int64_t done = int64_t(stereo.size() / 2);
        if (frame <= done)
            return;
        stereo.resize(size_t(2 * frame), 0.0f);
        synth.renderAdd(stereo.data() + 2 * done, uint32_t(frame - done), 1.0f, 1.0f);
    };
    int64_t first = frameAt(length), end = frameAt(2 * length);
    int64_t now = 0;
    for (int pass = 0; pass < kPasses; pass++) {
        for (const MIDIWAVEMESSAGE& m : messages) {
            now += m.deltaTicks;
            renderTo(frameAt(now));
            synth.send(m.message);
        }
    }
    renderTo(end + kBlendFrames);
    auto mono = [&](int64_t frame) {
        return 0.5 * (double(stereo[size_t(2 * frame)]) + stereo[size_t(2 * frame + 1)]);
    };

    std::vector<double> kept(size_t(end - first));
    for (size_t i = 0; i < kept.size(); i++)
        kept[i] = mono(first + int64_t(i));
    for (int64_t i = 0; i < kBlendFrames && i < int64_t(kept.size()); i++) {
        double next = mono(end + i);
        kept[size_t(i)] += (next - kept[size_t(i)]) * double(kBlendFrames - i) / double(kBlendFrames);
    }

    double peak = 0;
    for (double v : kept)
        peak = std::max(peak, std::fabs(v));
    if (peak < 1.0 / 1024)
        throw BuildError(name + ": the synthesizer gave no sound; is the sound font installed (VEXALON_SOUNDFONT)?");
    std::vector<int16_t> samples;
    samples.reserve(kept.size());
    for (double v : kept)
        samples.push_back(int16_t(std::lround(v * kPeak / peak * 32767)));
    return waveFile(kRate, samples);
}

EntryTypeRegistrar music("music", 1, &encodeMusic);

} // namespace

} // namespace packbuilder
