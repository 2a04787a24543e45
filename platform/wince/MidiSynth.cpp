// The MIDI wave device's synthesizer on FluidSynth. The library is loaded
// when the first synthesizer is made, so a program that plays only WAV never
// loads it (nor the many libraries it brings).

#include "wince/MidiSynth.h"

#include <dlfcn.h>
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

// The FluidSynth functions the synthesizer calls, typed from its header.
#define VX_FLUID_FUNCTIONS(X)                                                              \
    X(fluid_set_log_function)                                                              \
    X(new_fluid_settings) X(delete_fluid_settings) X(fluid_settings_setnum)                \
    X(fluid_settings_setint) X(new_fluid_synth) X(delete_fluid_synth) X(fluid_synth_sfload) \
    X(fluid_synth_noteon) X(fluid_synth_noteoff) X(fluid_synth_key_pressure)               \
    X(fluid_synth_cc) X(fluid_synth_program_change) X(fluid_synth_channel_pressure)        \
    X(fluid_synth_pitch_bend) X(fluid_synth_count_midi_channels)                           \
    X(fluid_synth_all_notes_off) X(fluid_synth_write_float)                                \
    X(fluid_synth_get_active_voice_count)

struct FluidApi {
#define VX_FLUID_POINTER(name) decltype(&::name) name;
    VX_FLUID_FUNCTIONS(VX_FLUID_POINTER)
#undef VX_FLUID_POINTER
};

namespace {

constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
// The library's run-time names, newest first.
constexpr const char* kLibraries[] = {"libfluidsynth.so.3", "libfluidsynth.so.2"};

// FluidSynth's warnings and information go nowhere; errors reach stderr.
void quiet(int, const char*, void*) {}

std::mutex loadLock;
bool tried = false;
const FluidApi* loaded = nullptr; // kept for the process: synthesizers hold it
std::string libraryOverride;

// Opens the library and resolves every function; null (logged once per
// attempt) when the library or one of its functions is missing.
const FluidApi* openLibrary()
{
    void* handle = nullptr;
    std::string names;
    if (!libraryOverride.empty()) {
        names = libraryOverride;
        handle = dlopen(libraryOverride.c_str(), RTLD_NOW | RTLD_LOCAL);
    } else {
        for (const char* name : kLibraries) {
            names += names.empty() ? name : std::string(", ") + name;
            if ((handle = dlopen(name, RTLD_NOW | RTLD_LOCAL)) != nullptr)
                break;
        }
    }
    if (!handle) {
        std::fprintf(stderr, "MIDI: FluidSynth not found (%s), no MIDI player\n", names.c_str());
        return nullptr;
    }
    auto* api = new FluidApi{};
    bool complete = true;
#define VX_FLUID_RESOLVE(name)                                                          \
    api->name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name));               \
    complete = complete && api->name != nullptr;
    VX_FLUID_FUNCTIONS(VX_FLUID_RESOLVE)
#undef VX_FLUID_RESOLVE
    if (!complete) {
        std::fprintf(stderr, "MIDI: %s lacks a function the synthesizer needs, no MIDI player\n",
                     names.c_str());
        delete api;
        dlclose(handle);
        return nullptr;
    }
    api->fluid_set_log_function(FLUID_WARN, quiet, nullptr);
    api->fluid_set_log_function(FLUID_INFO, quiet, nullptr);
    api->fluid_set_log_function(FLUID_DBG, quiet, nullptr);
    return api;
}

const FluidApi* fluid()
{
    std::lock_guard guard(loadLock);
    if (!tried) {
        tried = true;
        loaded = openLibrary();
    }
    return loaded;
}

}  // namespace

bool MidiSynth::available()
{
    return fluid() != nullptr;
}

namespace wince {

void useSynthLibrary(const char* name)
{
    std::lock_guard guard(loadLock);
    libraryOverride = name ? name : "";
    tried = false;
}

}  // namespace wince

MidiSynth::MidiSynth(int sampleRate)
{
    api_ = fluid();
    if (!api_) {
        return;
    }
    settings_ = api_->new_fluid_settings();
    if (!settings_) {
        return;
    }
    api_->fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
    api_->fluid_settings_setint(settings_, "synth.threadsafe-api", 0);
    api_->fluid_settings_setint(settings_, "synth.chorus.active", 0);
    api_->fluid_settings_setint(settings_, "synth.polyphony", 64);
    synth_ = api_->new_fluid_synth(settings_);
    if (!synth_) {
        return;
    }
    const char* path = std::getenv("VEXALON_SOUNDFONT");
    if (!path || !*path) {
        path = kDefaultSoundFont;
    }
    if (api_->fluid_synth_sfload(synth_, path, 1) == FLUID_FAILED) {
        static std::atomic<bool> told{false};
        if (!told.exchange(true)) {
            std::fprintf(stderr, "MIDI: no sound font at %s, MIDI plays silently\n", path);
        }
    }
}

MidiSynth::~MidiSynth()
{
    if (synth_) {
        api_->delete_fluid_synth(synth_);
    }
    if (settings_) {
        api_->delete_fluid_settings(settings_);
    }
}

void MidiSynth::send(uint32_t message)
{
    if (!synth_) {
        return;
    }
    int status = message & 0xFF;
    int channel = status & 0x0F;
    int data1 = (message >> 8) & 0x7F;
    int data2 = (message >> 16) & 0x7F;
    switch (status & 0xF0) {
    case 0x80:
        api_->fluid_synth_noteoff(synth_, channel, data1);
        break;
    case 0x90:
        // Velocity 0 is a note-off.
        if (data2 == 0) {
            api_->fluid_synth_noteoff(synth_, channel, data1);
        } else {
            api_->fluid_synth_noteon(synth_, channel, data1, data2);
        }
        break;
    case 0xA0:
        api_->fluid_synth_key_pressure(synth_, channel, data1, data2);
        break;
    case 0xB0:
        api_->fluid_synth_cc(synth_, channel, data1, data2);
        break;
    case 0xC0:
        api_->fluid_synth_program_change(synth_, channel, data1);
        break;
    case 0xD0:
        api_->fluid_synth_channel_pressure(synth_, channel, data1);
        break;
    case 0xE0:
        api_->fluid_synth_pitch_bend(synth_, channel, data1 | (data2 << 7));
        break;
    default:
        break;  // system messages are not channel messages
    }
}

void MidiSynth::releaseAll()
{
    if (!synth_) {
        return;
    }
    // Lift the sustain and sostenuto pedals first, or the notes they hold
    // would ring on.
    for (int channel = 0; channel < api_->fluid_synth_count_midi_channels(synth_); ++channel) {
        api_->fluid_synth_cc(synth_, channel, 64, 0);
        api_->fluid_synth_cc(synth_, channel, 66, 0);
    }
    api_->fluid_synth_all_notes_off(synth_, -1);
}

void MidiSynth::renderAdd(float* mix, uint32_t frames, float leftGain, float rightGain)
{
    if (!synth_) {
        return;
    }
    while (frames > 0) {
        uint32_t chunk = std::min<uint32_t>(frames, 512);
        api_->fluid_synth_write_float(synth_, static_cast<int>(chunk), scratch_, 0, 2, scratch_, 1, 2);
        for (uint32_t i = 0; i < chunk; ++i) {
            mix[2 * i] += scratch_[2 * i] * leftGain;
            mix[2 * i + 1] += scratch_[2 * i + 1] * rightGain;
        }
        mix += 2 * chunk;
        frames -= chunk;
    }
}

bool MidiSynth::isSounding() const
{
    return synth_ && api_->fluid_synth_get_active_voice_count(synth_) > 0;
}
