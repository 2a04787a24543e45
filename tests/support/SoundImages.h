#pragma once
// Sound images built in code: PCM WAV files and single-track MIDI files, for
// the players' tests, the audio benchmark and the parsers' fuzz corpus.

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace vxtest {

inline void putLE(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

inline void putBE(std::string& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// A canonical 44-byte header followed by `samples` (raw PCM bytes).
inline std::string wavImage(uint32_t rate, uint16_t bits, uint16_t channels, const std::string& samples)
{
    uint32_t blockAlign = channels * bits / 8;
    std::string out = "RIFF";
    putLE(out, 36 + static_cast<uint32_t>(samples.size()), 4);
    out += "WAVEfmt ";
    putLE(out, 16, 4);
    putLE(out, 1, 2);
    putLE(out, channels, 2);
    putLE(out, rate, 4);
    putLE(out, rate * blockAlign, 4);
    putLE(out, blockAlign, 2);
    putLE(out, bits, 2);
    out += "data";
    putLE(out, static_cast<uint32_t>(samples.size()), 4);
    return out + samples;
}

// `milliseconds` of a sine tone (16-bit mono), or silence with amplitude 0.
inline std::string toneWav(uint32_t rate, uint32_t milliseconds, double hertz = 440.0,
                           double amplitude = 0.5)
{
    uint32_t frames = static_cast<uint32_t>(static_cast<uint64_t>(rate) * milliseconds / 1000);
    std::string samples;
    for (uint32_t i = 0; i < frames; ++i) {
        double v = amplitude * std::sin(2.0 * M_PI * hertz * i / rate);
        putLE(samples, static_cast<uint16_t>(static_cast<int16_t>(v * 32767.0)), 2);
    }
    return wavImage(rate, 16, 1, samples);
}

// 8-bit mono at 8,000 Hz: 8,000 bytes a second.
inline std::string byteWav(uint32_t milliseconds, uint8_t value = 0xC0)
{
    return wavImage(8000, 8, 1, std::string(milliseconds * 8, static_cast<char>(value)));
}

struct MidiEvent {
    uint32_t delta;
    std::vector<uint8_t> bytes;  // status and data, or any raw bytes
};

inline void putVarLen(std::string& out, uint32_t value)
{
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = value & 0x7F;
        value >>= 7;
    } while (value && n < 5);
    while (n > 1) {
        out += static_cast<char>(groups[--n] | 0x80);
    }
    out += static_cast<char>(groups[0]);
}

// A standard MIDI file; the track ends with the end-of-track meta event.
inline std::string midiFile(std::initializer_list<MidiEvent> events, uint16_t division = 1000,
                            uint16_t tracks = 1, uint16_t format = 0)
{
    std::string track;
    for (const MidiEvent& e : events) {
        putVarLen(track, e.delta);
        track.append(e.bytes.begin(), e.bytes.end());
    }
    track += std::string("\x00\xFF\x2F\x00", 4);
    std::string out = "MThd";
    putBE(out, 6, 4);
    putBE(out, format, 2);
    putBE(out, tracks, 2);
    putBE(out, division, 2);
    out += "MTrk";
    putBE(out, static_cast<uint32_t>(track.size()), 4);
    return out + track;
}

// One note of `milliseconds` on a piano (division 1000: a tick is 1 ms).
inline std::string noteMidi(uint32_t milliseconds, uint8_t key = 60)
{
    return midiFile({{0, {0xC0, 0}}, {0, {0x90, key, 100}}, {milliseconds, {0x90, key, 0}}});
}

}  // namespace vxtest
