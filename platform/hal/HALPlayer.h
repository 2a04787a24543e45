#pragma once
// HALPlayer: one sound on one waveOut device. A WAV player plays the PCM
// samples of its image as they are; a MIDI player plays the list of timed
// MIDI messages read from a single-track file through the MIDI wave format
// (one tick is one millisecond; tempo events are not read). The block with
// the sound and the record come from the counted platform heap.
//
// Every operation runs on a thread that holds the global VM lock. The device
// callback runs on the audio thread: it only moves a started player to the
// end of its media and tells the listener slot; it takes no lock of the
// player operations and never enters the VM.

#include <atomic>
#include <cstdint>

#include "hal/audio.h"
#include "wince/waveout.h"

struct HALPlayer {
public:
    // States of the record (HAL_getPlayerState folds them into 0, 1, 2).
    enum State : int32_t {
        OPEN = 0,
        PREFETCHED = 1,
        STARTED = 2,
        STOPPED = 3,
        ENDED = 4,
        RESETTING = 5,
    };
    // Events offered to the listener slot.
    enum Event : int32_t {
        EVENT_STARTED = 0,
        EVENT_STOPPED = 1,
        EVENT_END_OF_MEDIA = 2,
        EVENT_DEALLOCATED = 4,
        EVENT_VOLUME_CHANGED = 5,
        EVENT_CLOSED = 6,
        EVENT_MEDIA_TIME_SET = 7,
    };
    static constexpr int32_t kWavHeaderBytes = 44;
    static constexpr int32_t kMidiHeaderBytes = 22;
    static constexpr uint32_t kWavMinRate = 8000;
    static constexpr uint32_t kWavMaxRate = 48000;

    // What a WAV image's fixed header says.
    struct WavInfo {
        WAVEFORMATEX format;
        uint32_t sampleBytes;  // from the 44-byte header to the end
    };
    // 0, or 6 for an image too short for its header, a data chunk longer
    // than the image, or a format the mixer does not play (bits other than
    // 8 or 16, channels other than 1 or 2, a rate outside kWavMinRate to
    // kWavMaxRate).
    static int32_t readWav(const uint8_t* data, int32_t length, WavInfo* info);

    // Reads a single-track standard MIDI file into timed messages (see
    // MIDIWAVEMESSAGE). With `messages` null only counts them. 1 for more
    // than one track or SMPTE timing; 6 when the file is shorter than its
    // headers, its track runs past the end, or a kept event does; else 0.
    // With `echo` each kept message is written to the console.
    static int32_t readMidi(const uint8_t* data, int32_t length, MIDIWAVEMESSAGE* messages,
                            int32_t* count, uint32_t* division, bool echo);

    // Opens a WAV player on the image (copied first when `copy` is set; an
    // image not copied is owned by the player, and freed on failure).
    static int32_t openWav(HALPlayer** out, const uint8_t* data, int32_t length, int32_t loops, bool copy);
    static int32_t openMidi(HALPlayer** out, const uint8_t* data, int32_t length, int32_t loops);

    HWAVEOUT device = nullptr;
    MIDIWAVEFORMAT format{};  // a WAV player uses the first 18 bytes
    WAVEHDR templateHeader{};
    WAVEHDR liveHeader{};
    int32_t contentType = 0;
    int64_t duration = 0;  // microseconds; 0 for MIDI
    std::atomic<int64_t> mediaTime{0};
    std::atomic<int32_t> state{OPEN};
    void* data = nullptr;

private:
    HALPlayer() = default;
    static HALPlayer* allocate();
    static void destroy(HALPlayer* player);
    friend int32_t HAL_closePlayer(HALPlayer* player);
};

// The listener slot: called with (context, player, event, media time in
// microseconds, 0), on the audio thread for the end of media. Empty at
// start. A listener must not call the player operations.
typedef void (*HALPlayerListener)(intptr_t context, HALPlayer* player, int32_t event, int64_t mediaTime,
                                  intptr_t reserved);
void HAL_setPlayerListener(HALPlayerListener listener, intptr_t context);
// How many players are open.
int32_t HAL_countPlayers();
