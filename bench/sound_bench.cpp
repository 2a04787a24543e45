// The sound manager's load on the audio callback: sixteen channels, each
// looping a WAV started by the manager's frame tick, mixed with an endless
// MIDI track. Each iteration renders 10 ms of output, so the time per
// iteration over 10 ms is the callback's share of one core.

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "IdleGame.h"
#include "InVM.h"
#include "hal/hal.h"
#include "support/SoundImages.h"
#include "tq/MediaManagerImpl.h"
#include "wince/waveout.h"

namespace {

VMPtr<VMArray<int8_t, 1>> bytesOf(const std::string& image)
{
    VMPtr<VMArray<int8_t, 1>> array = VMArray<int8_t, 1>::newArray(int32_t(image.size()));
    std::memcpy(array->elements(), image.data(), image.size());
    return array;
}

void BM_SoundManager16ChannelsAndMidi10ms(benchmark::State& state)
{
    InVM vm;
    wince::useManualAudio(true);
    constexpr int32_t kChannels = 16;
    VMPtr<tq::MediaManagerImpl> sounds =
        // A canvas that is never shown: it only holds the sound settings.
        tq::MediaManagerImpl::create()->init(bench::IdleCanvas::newInstance(), kChannels);
    const uint32_t rates[] = {8000, 11025, 22050, 44100};
    for (int32_t c = 0; c < kChannels; c++) {
        std::string wav = vxtest::toneWav(rates[c % 4], 300 + 50 * uint32_t(c), 200.0 + 40 * c, 0.05);
        sounds->loadSoundData(c, bytesOf(wav), 1, -1, 0);
        sounds->setChannelVolume(c, 40 + 3 * c);
        sounds->playSound(c, c);
    }
    sounds->run();
    int32_t playing = 0;
    for (int32_t c = 0; c < kChannels; c++)
        playing += sounds->isSoundPlaying(c) ? 1 : 0;

    // The music: chords changing every 250 ms, looping for ever.
    std::string song = vxtest::midiFile({
        {0, {0xC0, 0}},       {0, {0x90, 60, 90}},  {0, {0x90, 64, 90}},  {0, {0x90, 67, 90}},
        {250, {0x90, 60, 0}}, {0, {0x90, 64, 0}},   {0, {0x90, 67, 0}},   {0, {0x90, 57, 90}},
        {0, {0x90, 60, 90}},  {0, {0x90, 64, 90}},  {250, {0x90, 57, 0}}, {0, {0x90, 60, 0}},
        {0, {0x90, 64, 0}},
    });
    HALPlayer* music = nullptr;
    HAL_createPlayerWithData(&music, reinterpret_cast<const int8_t*>(song.data()),
                             int32_t(song.size()), 6, -1);
    HAL_startPlayer(music);

    std::vector<float> out;
    out.reserve(2 * 441);
    for (auto _ : state) {
        out.clear();
        wince::pumpAudio(10, &out);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["channels_playing"] = playing;
    HAL_closePlayer(music);
    sounds->close();
    wince::useManualAudio(false);
}
BENCHMARK(BM_SoundManager16ChannelsAndMidi10ms)->Unit(benchmark::kMicrosecond);

} // namespace

