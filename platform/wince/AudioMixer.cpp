// The waveOut devices and their mix.

#include "wince/AudioMixer.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <thread>

#include "wince/MidiSynth.h"

// ---- One open device ----------------------------------------------------------

struct AudioMixer::Device {
    WAVEFORMATEX format{};
    bool midi = false;
    DWORD usPerQuarterNote = 0;
    DWORD ticksPerQuarterNote = 0;
    WAVEOUTPROC callback = nullptr;
    DWORD_PTR instance = 0;
    bool paused = false;
    DWORD volume = 0xFFFFFFFFu;

    std::deque<WAVEHDR*> queue;
    // The block being played (PCM: being fed to the converter).
    size_t current = 0;
    bool blockStarted = false;
    DWORD playsLeft = 0;
    DWORD offset = 0;  // PCM: bytes of the current pass fed
    bool flushed = false;  // PCM: all queued bytes are in, silence follows
    uint64_t bytesFed = 0;
    uint64_t framesOut = 0;  // output frames played since the last reset

    // MIDI: the next message of the pass and where the pass stands.
    DWORD eventIndex = 0;
    uint64_t passTicks = 0;
    uint64_t passFrames = 0;

    _SDL_AudioStream* stream = nullptr;
    std::unique_ptr<MidiSynth> synth;

    HWAVEOUT handle() { return reinterpret_cast<HWAVEOUT>(this); }
    float gainLeft() const { return static_cast<float>(volume & 0xFFFF) / 65535.0f; }
    float gainRight() const { return static_cast<float>(volume >> 16) / 65535.0f; }

    void rewind()
    {
        current = 0;
        blockStarted = false;
        playsLeft = 0;
        offset = 0;
        flushed = false;
        bytesFed = 0;
        framesOut = 0;
        eventIndex = 0;
        passTicks = 0;
        passFrames = 0;
        if (stream) {
            SDL_AudioStreamClear(stream);
        }
        if (synth) {
            synth->releaseAll();
        }
    }

    ~Device()
    {
        if (stream) {
            SDL_FreeAudioStream(stream);
        }
    }
};

namespace {

// How many times a block plays: dwLoops for a block that is its own loop,
// else once.
DWORD playsOf(const WAVEHDR& header)
{
    constexpr DWORD loop = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    if ((header.dwFlags & loop) == loop && header.dwLoops > 0) {
        return header.dwLoops;
    }
    return 1;
}

uint64_t framesOfTicks(uint64_t ticks, DWORD usPerQuarter, DWORD ticksPerQuarter)
{
    unsigned __int128 us = static_cast<unsigned __int128>(ticks) * usPerQuarter;
    return static_cast<uint64_t>(us * wince::kAudioRate /
                                 (static_cast<unsigned __int128>(ticksPerQuarter) * 1000000u));
}

void addScaled(float* out, const float* in, uint32_t frames, float left, float right)
{
    for (uint32_t i = 0; i < frames; ++i) {
        out[2 * i] += in[2 * i] * left;
        out[2 * i + 1] += in[2 * i + 1] * right;
    }
}

constexpr DWORD kFeedBytes = 4096;

}  // namespace

// ---- Devices ----------------------------------------------------------------

AudioMixer& AudioMixer::instance()
{
    // Never destroyed: the driver's thread may still render at exit.
    static AudioMixer* mixer = new AudioMixer();
    return *mixer;
}

bool AudioMixer::isPlayable(const WAVEFORMATEX* format)
{
    if (!format) {
        return false;
    }
    if (format->wFormatTag == WAVE_FORMAT_PCM) {
        WORD bits = format->wBitsPerSample;
        WORD channels = format->nChannels;
        return (bits == 8 || bits == 16) && (channels == 1 || channels == 2) &&
               format->nSamplesPerSec > 0 && format->nSamplesPerSec <= 384000 &&
               format->nBlockAlign == channels * bits / 8 && format->nAvgBytesPerSec > 0;
    }
    if (format->wFormatTag == WAVE_FORMAT_MIDI) {
        if (format->cbSize < 10 || format->nAvgBytesPerSec == 0) {
            return false;
        }
        auto midi = reinterpret_cast<const MIDIWAVEFORMAT*>(format);
        return midi->ticksPerQuarterNote > 0;
    }
    return false;
}

AudioMixer::Device* AudioMixer::find(HWAVEOUT device)
{
    for (auto& d : devices_) {
        if (d->handle() == device) {
            return d.get();
        }
    }
    return nullptr;
}

bool AudioMixer::isOpen(HWAVEOUT device)
{
    std::lock_guard<std::mutex> lock(lock_);
    return find(device) != nullptr;
}

MMRESULT AudioMixer::open(HWAVEOUT* out, const WAVEFORMATEX* format, WAVEOUTPROC callback,
                          DWORD_PTR callbackInstance)
{
    auto device = std::make_unique<Device>();
    device->format = *format;
    device->callback = callback;
    device->instance = callbackInstance;
    if (format->wFormatTag == WAVE_FORMAT_MIDI) {
        if (!MidiSynth::available()) {
            return MMSYSERR_NODRIVER;
        }
        auto midi = reinterpret_cast<const MIDIWAVEFORMAT*>(format);
        device->midi = true;
        device->usPerQuarterNote = midi->usPerQuarterNote;
        device->ticksPerQuarterNote = midi->ticksPerQuarterNote;
        device->synth = std::make_unique<MidiSynth>(wince::kAudioRate);
    } else {
        SDL_AudioFormat source = format->wBitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
        device->stream =
            SDL_NewAudioStream(source, static_cast<Uint8>(format->nChannels),
                               static_cast<int>(format->nSamplesPerSec), AUDIO_F32SYS,
                               wince::kAudioChannels, wince::kAudioRate);
        if (!device->stream) {
            return MMSYSERR_NOMEM;
        }
    }
    startOutput();
    HWAVEOUT handle = device->handle();
    {
        std::lock_guard<std::recursive_mutex> callbacks(callbackLock_);
        {
            std::lock_guard<std::mutex> lock(lock_);
            devices_.push_back(std::move(device));
        }
        *out = handle;
        if (callback) {
            callback(handle, WOM_OPEN, callbackInstance, 0, 0);
        }
    }
    return MMSYSERR_NOERROR;
}

MMRESULT AudioMixer::close(HWAVEOUT device)
{
    std::lock_guard<std::recursive_mutex> callbacks(callbackLock_);
    std::unique_ptr<Device> closing;
    {
        std::lock_guard<std::mutex> lock(lock_);
        auto it = std::find_if(devices_.begin(), devices_.end(),
                               [&](const auto& d) { return d->handle() == device; });
        if (it == devices_.end()) {
            return MMSYSERR_INVALHANDLE;
        }
        if (!(*it)->queue.empty()) {
            return WAVERR_STILLPLAYING;
        }
        closing = std::move(*it);
        devices_.erase(it);
    }
    if (closing->callback) {
        closing->callback(device, WOM_CLOSE, closing->instance, 0, 0);
    }
    return MMSYSERR_NOERROR;
}

// ---- Blocks -----------------------------------------------------------------

template<class Action>
MMRESULT AudioMixer::withDevice(HWAVEOUT device, Action action)
{
    std::lock_guard<std::mutex> lock(lock_);
    Device* d = find(device);
    return d ? action(*d) : MMSYSERR_INVALHANDLE;
}

MMRESULT AudioMixer::prepare(HWAVEOUT device, WAVEHDR* header)
{
    return withDevice(device, [&](Device&) {
        if (!header->lpData && header->dwBufferLength > 0) {
            return MMSYSERR_INVALPARAM;
        }
        header->dwFlags = (header->dwFlags | WHDR_PREPARED) & ~WHDR_DONE;
        return MMSYSERR_NOERROR;
    });
}

MMRESULT AudioMixer::unprepare(HWAVEOUT device, WAVEHDR* header)
{
    return withDevice(device, [&](Device&) {
        if (header->dwFlags & WHDR_INQUEUE) {
            return WAVERR_STILLPLAYING;
        }
        header->dwFlags &= ~WHDR_PREPARED;
        return MMSYSERR_NOERROR;
    });
}

MMRESULT AudioMixer::write(HWAVEOUT device, WAVEHDR* header)
{
    return withDevice(device, [&](Device& d) {
        if (!(header->dwFlags & WHDR_PREPARED)) {
            return WAVERR_UNPREPARED;
        }
        if (header->dwFlags & WHDR_INQUEUE) {
            return MMSYSERR_INVALPARAM;
        }
        header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
        d.queue.push_back(header);
        d.flushed = false;
        return MMSYSERR_NOERROR;
    });
}

// ---- Playing ----------------------------------------------------------------

MMRESULT AudioMixer::pause(HWAVEOUT device)
{
    return withDevice(device, [](Device& d) {
        d.paused = true;
        if (d.synth) {
            d.synth->releaseAll();
        }
        return MMSYSERR_NOERROR;
    });
}

MMRESULT AudioMixer::restart(HWAVEOUT device)
{
    return withDevice(device, [](Device& d) {
        d.paused = false;
        return MMSYSERR_NOERROR;
    });
}

MMRESULT AudioMixer::reset(HWAVEOUT device)
{
    std::lock_guard<std::recursive_mutex> callbacks(callbackLock_);
    std::vector<Done> done;
    MMRESULT result = withDevice(device, [&](Device& d) {
        finishQueue(d, done);
        d.rewind();
        d.paused = false;
        return MMSYSERR_NOERROR;
    });
    dispatch(done);
    return result;
}

MMRESULT AudioMixer::position(HWAVEOUT device, DWORD* bytes)
{
    return withDevice(device, [&](Device& d) {
        uint64_t played = d.framesOut * d.format.nAvgBytesPerSec / wince::kAudioRate;
        if (!d.midi) {
            // Whole frames, never beyond what was fed; all of it once finished.
            played -= played % d.format.nBlockAlign;
            played = d.queue.empty() ? d.bytesFed : std::min(played, d.bytesFed);
        }
        *bytes = static_cast<DWORD>(played);
        return MMSYSERR_NOERROR;
    });
}

MMRESULT AudioMixer::volume(HWAVEOUT device, DWORD* volume)
{
    return withDevice(device, [&](Device& d) {
        *volume = d.volume;
        return MMSYSERR_NOERROR;
    });
}

MMRESULT AudioMixer::setVolume(HWAVEOUT device, DWORD volume)
{
    return withDevice(device, [&](Device& d) {
        d.volume = volume;
        return MMSYSERR_NOERROR;
    });
}

// ---- Rendering --------------------------------------------------------------

void AudioMixer::render(float* out, uint32_t frames)
{
    std::lock_guard<std::recursive_mutex> callbacks(callbackLock_);
    std::vector<Done> done;
    {
        std::lock_guard<std::mutex> lock(lock_);
        std::fill(out, out + 2 * frames, 0.0f);
        for (auto& d : devices_) {
            if (d->midi) {
                mixMidi(*d, out, frames, done);
            } else if (!d->paused) {
                mixPcm(*d, out, frames, done);
            }
        }
        for (uint32_t i = 0; i < 2 * frames; ++i) {
            out[i] = std::clamp(out[i], -1.0f, 1.0f);
        }
    }
    dispatch(done);
}

void AudioMixer::dispatch(const std::vector<Done>& done)
{
    for (const Done& d : done) {
        d.callback(d.device, WOM_DONE, d.instance, reinterpret_cast<DWORD_PTR>(d.header), 0);
    }
}

void AudioMixer::completeBlock(Device& d, WAVEHDR* header, std::vector<Done>& done)
{
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    if (d.callback) {
        done.push_back({d.callback, d.handle(), d.instance, header});
    }
}

void AudioMixer::finishQueue(Device& d, std::vector<Done>& done)
{
    for (WAVEHDR* header : d.queue) {
        completeBlock(d, header, done);
    }
    d.queue.clear();
    d.current = 0;
    d.blockStarted = false;
    if (d.synth) {
        d.synth->releaseAll();
    }
}

// Puts the next piece of the queued blocks into the converter; false when
// everything queued is in and padded.
bool AudioMixer::feedPcm(Device& d)
{
    DWORD align = d.format.nBlockAlign;
    while (d.current < d.queue.size()) {
        WAVEHDR* header = d.queue[d.current];
        DWORD length = header->dwBufferLength - header->dwBufferLength % align;
        if (!d.blockStarted) {
            d.blockStarted = true;
            d.playsLeft = length > 0 ? playsOf(*header) : 0;
            d.offset = 0;
        }
        if (d.playsLeft == 0) {
            ++d.current;
            d.blockStarted = false;
            continue;
        }
        DWORD piece = std::min(length - d.offset, kFeedBytes - kFeedBytes % align);
        SDL_AudioStreamPut(d.stream, header->lpData + d.offset, static_cast<int>(piece));
        d.offset += piece;
        d.bytesFed += piece;
        if (d.offset >= length) {
            d.offset = 0;
            --d.playsLeft;
        }
        return true;
    }
    if (d.queue.empty()) {
        return false;
    }
    // Everything queued is in. The converter holds back the last frames
    // until more input comes, so silence follows; mixPcm stops at the exact
    // length of the sound.
    uint8_t silence[512];
    std::memset(silence, d.format.wBitsPerSample == 8 ? 0x80 : 0, sizeof silence);
    SDL_AudioStreamPut(d.stream, silence, static_cast<int>(sizeof silence - sizeof silence % align));
    d.flushed = true;
    return true;
}

void AudioMixer::mixPcm(Device& d, float* out, uint32_t frames, std::vector<Done>& done)
{
    uint32_t produced = 0;
    while (produced < frames) {
        uint32_t wanted = std::min<uint32_t>(frames - produced, 1024);
        if (d.flushed) {
            // Only the padding is left beyond the sound's own frames.
            uint64_t end = d.bytesFed / d.format.nBlockAlign * wince::kAudioRate / d.format.nSamplesPerSec;
            if (d.framesOut >= end) {
                break;
            }
            wanted = static_cast<uint32_t>(std::min<uint64_t>(wanted, end - d.framesOut));
        }
        int wantedBytes = static_cast<int>(wanted * 2 * sizeof(float));
        while (SDL_AudioStreamAvailable(d.stream) < wantedBytes && feedPcm(d)) {
        }
        int available = std::min(SDL_AudioStreamAvailable(d.stream), wantedBytes);
        available -= available % static_cast<int>(2 * sizeof(float));
        if (available <= 0) {
            break;
        }
        int got = SDL_AudioStreamGet(d.stream, scratch_, available);
        if (got <= 0) {
            break;
        }
        uint32_t n = static_cast<uint32_t>(got) / (2 * sizeof(float));
        addScaled(out + 2 * produced, scratch_, n, d.gainLeft(), d.gainRight());
        produced += n;
        d.framesOut += n;
    }
    if (!d.queue.empty() && d.current >= d.queue.size() && d.flushed &&
        d.framesOut >= d.bytesFed / d.format.nBlockAlign * wince::kAudioRate / d.format.nSamplesPerSec) {
        SDL_AudioStreamClear(d.stream);
        d.flushed = false;
        finishQueue(d, done);
    }
}

void AudioMixer::mixMidi(Device& d, float* out, uint32_t frames, std::vector<Done>& done)
{
    uint32_t produced = 0;
    while (!d.paused && produced < frames && !d.queue.empty()) {
        WAVEHDR* header = d.queue.front();
        DWORD count = header->dwBufferLength / sizeof(MIDIWAVEMESSAGE);
        if (!d.blockStarted) {
            d.blockStarted = true;
            d.playsLeft = count > 0 ? playsOf(*header) : 0;
            d.eventIndex = 0;
            d.passTicks = 0;
            d.passFrames = 0;
        }
        if (d.playsLeft == 0) {
            d.queue.pop_front();
            completeBlock(d, header, done);
            d.blockStarted = false;
            d.synth->releaseAll();
            continue;
        }
        MIDIWAVEMESSAGE event;
        std::memcpy(&event, header->lpData + d.eventIndex * sizeof(MIDIWAVEMESSAGE), sizeof event);
        uint64_t at = d.passTicks + event.deltaTicks;
        uint64_t atFrame = framesOfTicks(at, d.usPerQuarterNote, d.ticksPerQuarterNote);
        if (atFrame <= d.passFrames) {
            d.synth->send(event.message);
            d.passTicks = at;
            if (++d.eventIndex == count) {
                // A pass that takes no time ends the loop at once.
                d.playsLeft = d.passFrames == 0 ? 0 : d.playsLeft - 1;
                d.eventIndex = 0;
                d.passTicks = 0;
                d.passFrames = 0;
            }
            continue;
        }
        uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(atFrame - d.passFrames, frames - produced));
        d.synth->renderAdd(out + 2 * produced, n, d.gainLeft(), d.gainRight());
        produced += n;
        d.passFrames += n;
        d.framesOut += n;
    }
    // Notes released by a pause, a reset or the end ring out.
    if (produced < frames && d.synth->isSounding()) {
        d.synth->renderAdd(out + 2 * produced, frames - produced, d.gainLeft(), d.gainRight());
    }
}

// ---- Output -----------------------------------------------------------------

void AudioMixer::renderFromDriver(float* out, uint32_t frames)
{
    if (manual_.load()) {
        std::fill(out, out + 2 * frames, 0.0f);
        return;
    }
    render(out, frames);
}

void AudioMixer::sdlCallback(void* mixer, uint8_t* stream, int bytes)
{
    auto frames = static_cast<uint32_t>(bytes) / (2 * sizeof(float));
    static_cast<AudioMixer*>(mixer)->renderFromDriver(reinterpret_cast<float*>(stream), frames);
}

// Without a sound device the players still advance: 10 ms of mix every
// 10 ms of real time, thrown away.
void AudioMixer::silentClock(AudioMixer* mixer)
{
    constexpr uint32_t kFrames = wince::kAudioRate / 100;
    std::vector<float> buffer(2 * kFrames);
    auto next = std::chrono::steady_clock::now();
    while (!mixer->clockStop_.load()) {
        next += std::chrono::milliseconds(10);
        std::this_thread::sleep_until(next);
        mixer->renderFromDriver(buffer.data(), kFrames);
    }
}

void AudioMixer::startOutput()
{
    if (manual_.load()) {
        return;
    }
    std::lock_guard<std::mutex> guard(outputLock_);
    if (outputStarted_) {
        return;
    }
    outputStarted_ = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        SDL_AudioSpec want{};
        want.freq = wince::kAudioRate;
        want.format = AUDIO_F32SYS;
        want.channels = wince::kAudioChannels;
        want.samples = 1024;
        want.callback = sdlCallback;
        want.userdata = this;
        SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        if (id != 0) {
            sdlDevice_ = id;
            hasDevice_.store(true);
            SDL_PauseAudioDevice(id, 0);
            return;
        }
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    std::fprintf(stderr, "No audio device (%s): sound plays silently\n", SDL_GetError());
    clockStop_.store(false);
    clock_ = std::thread(silentClock, this);
}

void AudioMixer::stopOutput()
{
    std::lock_guard<std::mutex> guard(outputLock_);
    if (sdlDevice_ != 0) {
        SDL_CloseAudioDevice(sdlDevice_);  // waits for a callback under way
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlDevice_ = 0;
    }
    if (clock_.joinable()) {
        clockStop_.store(true);
        clock_.join();
    }
    hasDevice_.store(false);
    outputStarted_ = false;
}
