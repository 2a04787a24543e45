// The audio callback's cost: 10 ms of output mixed from one MIDI player and
// four WAV players at different rates, all playing in endless loops. The
// time per iteration over 10 ms is the share of one core.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "hal/hal.h"
#include "support/SoundImages.h"
#include "wince/waveout.h"

namespace {

HALPlayer* startPlayer(const std::string& image, int32_t type)
{
    HALPlayer* player = nullptr;
    HAL_createPlayerWithData(&player, reinterpret_cast<const int8_t*>(image.data()),
                             static_cast<int32_t>(image.size()), type, -1);
    HAL_startPlayer(player);
    return player;
}

void BM_AudioCallback10msOneMidiFourWav(benchmark::State& state)
{
    wince::useManualAudio(true);
    // A chord sequence: four notes at a time, changing every 250 ms.
    std::string song = vxtest::midiFile({
        {0, {0xC0, 0}},       {0, {0x90, 60, 90}},  {0, {0x90, 64, 90}},  {0, {0x90, 67, 90}},
        {0, {0x90, 72, 90}},  {250, {0x90, 60, 0}}, {0, {0x90, 64, 0}},   {0, {0x90, 67, 0}},
        {0, {0x90, 72, 0}},   {0, {0x90, 57, 90}},  {0, {0x90, 60, 90}},  {0, {0x90, 64, 90}},
        {250, {0x90, 57, 0}}, {0, {0x90, 60, 0}},   {0, {0x90, 64, 0}},
    });
    std::vector<HALPlayer*> players = {
        startPlayer(song, 6),
        startPlayer(vxtest::toneWav(8000, 700, 300), 2),
        startPlayer(vxtest::toneWav(11025, 500, 500), 2),
        startPlayer(vxtest::toneWav(22050, 300, 700), 2),
        startPlayer(vxtest::toneWav(44100, 900, 900), 2),
    };
    std::vector<float> out;
    out.reserve(2 * 441);
    for (auto _ : state) {
        out.clear();
        wince::pumpAudio(10, &out);
        benchmark::DoNotOptimize(out.data());
    }
    for (HALPlayer* p : players) {
        HAL_closePlayer(p);
    }
}
BENCHMARK(BM_AudioCallback10msOneMidiFourWav)->Unit(benchmark::kMicrosecond);

}  // namespace
