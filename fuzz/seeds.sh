#!/usr/bin/env bash
# Writes the seeds that cannot be plain text into fuzz/corpus/: sound images,
# MIDI tracks and save records. Run after changing it; the output is kept.
set -euo pipefail
cd "$(dirname "$0")/corpus"

# Little-endian 16 and 32 bits as printf escapes.
le16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
be32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 >> 24 & 255)) $(($1 >> 16 & 255)) $(($1 >> 8 & 255)) $(($1 & 255)); }

# The fmt fields after the first 22 bytes of a WAV header, the data chunk
# and its samples: channels, rate, bits, samples.
wavTail() {
  local align=$(($1 * $3 / 8)) samples=$4
  printf "$(le16 "$1")$(le32 "$2")$(le32 $(($2 * align)))$(le16 $align)$(le16 "$3")data$(le32 ${#samples})%s" "$samples"
}
wav() { printf "RIFF$(le32 $((36 + ${#4})))WAVEfmt $(le32 16)$(le16 1)"; wavTail "$@"; }

# A single-track MIDI file around the track bytes (escapes), 96 ticks a
# quarter note.
track() { printf "$1"; }
midi() {
  local body; body=$(printf "$1" | xxd -p | tr -d '\n')
  printf "MThd$(be32 6)\\x00\\x00\\x00\\x01\\x00\\x60MTrk$(be32 $((${#body} / 2)))"
  printf "$1"
}

notes='\x00\xc0\x05\x00\x90\x3c\x64\x60\x80\x3c\x00\x00\xb0\x07\x50\x10\xe0\x00\x50\x30\x90\x40\x00'
running='\x00\x90\x3c\x64\x20\x3e\x64\x81\x00\xff\x2f\x00'

mkdir -p sound midisynth save
{ printf '0'; wav 1 8000 8 'abcdefghijklmnop'; } > sound/wav_8bit_mono
{ printf '0'; wav 2 22050 16 'abcdefghijklmnop'; } > sound/wav_16bit_stereo
{ printf '3'; wavTail 1 11025 8 '@@@@@@@@ABCD'; } > sound/wav_fields
{ printf '3'; wavTail 0 1 12 'xy'; } > sound/wav_nonsense
{ printf '1'; midi "$notes"; } > sound/midi_file
{ printf '2'; track "$notes"; } > sound/midi_track
{ printf '2'; track "$running"; } > sound/midi_running

{ printf '\x5f'; track "$notes"; } > midisynth/notes
{ printf '\x00'; track "$running"; } > midisynth/running

# Progress: 24 big-endian ints (the selections, money, the levels, the
# stages); settings: a flag and an int.
progress=""
for v in 3 6 1000 1 3 2 0 1 1 0 2 3 0 0 1 0 4 3 2 1 1 1 1 1; do progress+=$(be32 $v); done
{ printf '0'; printf "$progress"; } > save/progress
{ printf '0'; printf "$progress" | head -c 95; } > save/progress_short
{ printf '0'; printf "$(be32 -1)$(be32 99)$(be32 -5)"; printf "$progress" | tail -c 84; } > save/progress_out_of_range
{ printf '2'; printf "$progress"; } > save/progress_not_record_1
{ printf '1'; printf "\\x01$(be32 -123456)\\x00"; } > save/settings
{ printf '1'; printf '\x01\x00\x00'; } > save/settings_short
