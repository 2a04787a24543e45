#pragma once
// The waveOut devices and their mix: every open handle is a WaveDevice; the
// mixer renders them all into one stereo float stream at kAudioRate, pulled
// by the SDL audio device, by a silent real-time clock when no device could
// be opened, or by the test seam's pump.
//
// Locks: the callback lock (re-entrant) is taken first and held while a
// rendering pass or a waveOut call that may call back runs and while it
// calls back; the mixer lock is taken inside it and never held across a
// callback. A callback may call any waveOut function.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "wince/waveout.h"

struct _SDL_AudioStream;
class MidiSynth;

class AudioMixer {
public:
    static AudioMixer& instance();

    MMRESULT open(HWAVEOUT* device, const WAVEFORMATEX* format, WAVEOUTPROC callback,
                  DWORD_PTR callbackInstance);
    MMRESULT close(HWAVEOUT device);
    MMRESULT prepare(HWAVEOUT device, WAVEHDR* header);
    MMRESULT unprepare(HWAVEOUT device, WAVEHDR* header);
    MMRESULT write(HWAVEOUT device, WAVEHDR* header);
    MMRESULT pause(HWAVEOUT device);
    MMRESULT restart(HWAVEOUT device);
    MMRESULT reset(HWAVEOUT device);
    MMRESULT position(HWAVEOUT device, DWORD* bytes);
    MMRESULT volume(HWAVEOUT device, DWORD* volume);
    MMRESULT setVolume(HWAVEOUT device, DWORD volume);
    bool isOpen(HWAVEOUT device);

    // Mixes `frames` frames of every playing device into `out` (2 x frames
    // floats), then calls back for the blocks that finished.
    void render(float* out, uint32_t frames);

    void setManual(bool on) { manual_.store(on); }
    bool hasDevice() const { return hasDevice_.load(); }
    // Ends the output (the SDL device or the silent clock) while no device
    // plays; the next open starts it again on the driver of that time.
    void stopOutput();

    // Checks a format as waveOutOpen does.
    static bool isPlayable(const WAVEFORMATEX* format);

private:
    struct Device;
    struct Done {
        WAVEOUTPROC callback;
        HWAVEOUT device;
        DWORD_PTR instance;
        WAVEHDR* header;
    };

    AudioMixer() = default;
    Device* find(HWAVEOUT device);  // mixer lock held
    // Runs action(device) under the mixer lock; MMSYSERR_INVALHANDLE for a
    // handle that is not open.
    template<class Action>
    MMRESULT withDevice(HWAVEOUT device, Action action);
    void startOutput();
    void renderFromDriver(float* out, uint32_t frames);
    static void sdlCallback(void* mixer, uint8_t* stream, int bytes);
    static void silentClock(AudioMixer* mixer);
    static void dispatch(const std::vector<Done>& done);

    void mixPcm(Device& device, float* out, uint32_t frames, std::vector<Done>& done);
    bool feedPcm(Device& device);
    void mixMidi(Device& device, float* out, uint32_t frames, std::vector<Done>& done);
    // Marks a block done and notes its callback; every queued block.
    void completeBlock(Device& device, WAVEHDR* header, std::vector<Done>& done);
    void finishQueue(Device& device, std::vector<Done>& done);

    std::recursive_mutex callbackLock_;
    std::mutex lock_;
    std::vector<std::unique_ptr<Device>> devices_;
    std::atomic<bool> manual_{false};
    std::atomic<bool> hasDevice_{false};
    // The output, started at the first open: the SDL device, or else the
    // silent clock's thread. Guarded by the output lock, taken alone.
    std::mutex outputLock_;
    bool outputStarted_ = false;
    uint32_t sdlDevice_ = 0;
    std::thread clock_;
    std::atomic<bool> clockStop_{false};
    float scratch_[2 * 1024];
};
