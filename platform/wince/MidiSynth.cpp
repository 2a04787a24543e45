// The MIDI wave device's synthesizer on FluidSynth.

#include "wince/MidiSynth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// FluidSynth's warnings and information go nowhere; errors reach stderr.
void quiet(int, const char*, void*) {}

void setUpLogging()
{
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_WARN, quiet, nullptr);
        fluid_set_log_function(FLUID_INFO, quiet, nullptr);
        fluid_set_log_function(FLUID_DBG, quiet, nullptr);
    });
}

}  // namespace

MidiSynth::MidiSynth(int sampleRate)
{
    setUpLogging();
    settings_ = new_fluid_settings();
    if (!settings_) {
        return;
    }
    fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
    fluid_settings_setint(settings_, "synth.threadsafe-api", 0);
    fluid_settings_setint(settings_, "synth.chorus.active", 0);
    fluid_settings_setint(settings_, "synth.polyphony", 64);
    synth_ = new_fluid_synth(settings_);
    if (!synth_) {
        return;
    }
    const char* path = std::getenv("VEXALON_SOUNDFONT");
    if (!path || !*path) {
        path = kDefaultSoundFont;
    }
    if (fluid_synth_sfload(synth_, path, 1) == FLUID_FAILED) {
        static std::atomic<bool> told{false};
        if (!told.exchange(true)) {
            std::fprintf(stderr, "MIDI: no sound font at %s, MIDI plays silently\n", path);
        }
    }
}

MidiSynth::~MidiSynth()
{
    if (synth_) {
        delete_fluid_synth(synth_);
    }
    if (settings_) {
        delete_fluid_settings(settings_);
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
        fluid_synth_noteoff(synth_, channel, data1);
        break;
    case 0x90:
        // Velocity 0 is a note-off.
        if (data2 == 0) {
            fluid_synth_noteoff(synth_, channel, data1);
        } else {
            fluid_synth_noteon(synth_, channel, data1, data2);
        }
        break;
    case 0xA0:
        fluid_synth_key_pressure(synth_, channel, data1, data2);
        break;
    case 0xB0:
        fluid_synth_cc(synth_, channel, data1, data2);
        break;
    case 0xC0:
        fluid_synth_program_change(synth_, channel, data1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth_, channel, data1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth_, channel, data1 | (data2 << 7));
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
    for (int channel = 0; channel < fluid_synth_count_midi_channels(synth_); ++channel) {
        fluid_synth_cc(synth_, channel, 64, 0);
        fluid_synth_cc(synth_, channel, 66, 0);
    }
    fluid_synth_all_notes_off(synth_, -1);
}

void MidiSynth::renderAdd(float* mix, uint32_t frames, float leftGain, float rightGain)
{
    if (!synth_) {
        return;
    }
    while (frames > 0) {
        uint32_t chunk = std::min<uint32_t>(frames, 512);
        fluid_synth_write_float(synth_, static_cast<int>(chunk), scratch_, 0, 2, scratch_, 1, 2);
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
    return synth_ && fluid_synth_get_active_voice_count(synth_) > 0;
}
