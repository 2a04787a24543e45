// The sound readers: WAV headers and MIDI files, raw or behind a valid MIDI
// header (so the event scanner sees the input as its track). A WAV image the
// reader accepts is also opened as a player and played for a moment (MIDI
// players are left out: each loads the sound font).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "hal/HALPlayer.h"
#include "support/SoundImages.h"
#include "wince/waveout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size)
{
    static bool manual = (wince::useManualAudio(true), true);
    (void)manual;
    if (size < 1) {
        return 0;
    }
    std::string body(reinterpret_cast<const char*>(input + 1), size - 1);
    std::string image;
    int32_t type = 2;
    switch (input[0] & 3) {
    case 0:
        image = body;
        break;
    case 1:
        image = body;
        type = 6;
        break;
    case 2: {
        image = vxtest::midiFile({}, 1000);
        image.resize(18);
        vxtest::putBE(image, static_cast<uint32_t>(body.size()), 4);
        image += body;
        type = 6;
        break;
    }
    default:
        image = vxtest::wavImage(8000, 8, 1, std::string()).substr(0, 22) + body;
        break;
    }
    const auto* data = reinterpret_cast<const uint8_t*>(image.data());
    auto length = static_cast<int32_t>(image.size());
    if (type == 6) {
        int32_t count = 0;
        uint32_t division = 0;
        if (HALPlayer::readMidi(data, length, nullptr, &count, &division, false) == 0) {
            std::vector<MIDIWAVEMESSAGE> messages(static_cast<size_t>(count));
            int32_t again = -1;
            VXFUZZ_CHECK(HALPlayer::readMidi(data, length, messages.data(), &again, &division, false) == 0 &&
                             again == count,
                         "the counting and the filling pass disagree");
        }
    } else {
        HALPlayer::WavInfo info{};
        if (HALPlayer::readWav(data, length, &info) == 0) {
            VXFUZZ_CHECK(info.sampleBytes == image.size() - 44, "samples run from the header to the end");
        }
    }
    HALPlayer* player = nullptr;
    if (type == 2 && HAL_createPlayerWithData(&player, reinterpret_cast<const int8_t*>(image.data()), length, type, 1) ==
        0) {
        HAL_startPlayer(player);
        wince::pumpAudioFrames(256);
        int64_t time = 0;
        HAL_getPlayerMediaTime(&time, player);
        VXFUZZ_CHECK(HAL_closePlayer(player) == 0, "a playing player closes");
    }
    return 0;
}
