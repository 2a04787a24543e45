#pragma once
// What the sound entry types share: the MIDI file a score makes, and the
// WAVE file the platform's player reads.

#include <cstdint>
#include <vector>

#include "EntryType.h"

namespace packbuilder {

// The single-track MIDI file of the entry's score (the `score` type).
std::vector<uint8_t> scoreMidi(EntryContext& entry);

// 16-bit mono PCM samples as a RIFF WAVE file with the canonical 44-byte
// header, the layout the platform's player reads at fixed offsets.
std::vector<uint8_t> waveFile(int32_t rate, const std::vector<int16_t>& samples);

} // namespace packbuilder
