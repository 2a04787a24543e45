#pragma once
// The MIDI wave device's synthesizer: a FluidSynth instance with the General
// MIDI sound font, rendering at the mixer's rate. Not thread-safe: the mixer
// calls it under its own lock.

#include <cstdint>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
struct FluidApi;

class MidiSynth {
public:
    // Loads the sound font named by VEXALON_SOUNDFONT, else the one the
    // set-up installs. Without one the synthesizer stays silent (logged once).
    explicit MidiSynth(int sampleRate);
    // Loads FluidSynth on first use; false when it cannot be loaded, and a
    // synthesizer made then stays silent.
    static bool available();
    ~MidiSynth();
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    // One channel message: status | data1 << 8 | data2 << 16.
    void send(uint32_t message);
    // Releases every sounding note on every channel.
    void releaseAll();
    // Adds `frames` stereo frames, scaled by the two gains, to `mix`.
    void renderAdd(float* mix, uint32_t frames, float leftGain, float rightGain);
    bool isSounding() const;

private:
    const FluidApi* api_ = nullptr;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    float scratch_[2 * 512];
};
