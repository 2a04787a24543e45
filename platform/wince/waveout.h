#pragma once
// COREDLL waveOut: one output device for every open handle, mixed by the
// stand-in into one SDL audio device. PCM (8 or 16 bits, mono or stereo, any
// rate) plays as written; the MIDI wave format (tag 0x3000) takes blocks of
// 8-byte timed MIDI messages and renders them with FluidSynth.
//
// Callbacks (CALLBACK_FUNCTION) run on the audio thread for WOM_DONE of a
// block that finished playing, and on the calling thread for WOM_OPEN,
// WOM_CLOSE and the blocks that waveOutReset returns. A callback may call the
// waveOut functions again; it never runs while the stand-in holds its mixer.

#include <vector>

#include "wince/types.h"

typedef UINT MMRESULT;
typedef uintptr_t DWORD_PTR;
typedef struct HWAVEOUT__* HWAVEOUT;
typedef char* LPSTR;

#define MMSYSERR_NOERROR 0u
#define MMSYSERR_ERROR 1u
#define MMSYSERR_BADDEVICEID 2u
#define MMSYSERR_INVALHANDLE 5u
#define MMSYSERR_NODRIVER 6u
#define MMSYSERR_NOMEM 7u
#define MMSYSERR_NOTSUPPORTED 8u
#define MMSYSERR_INVALFLAG 10u
#define MMSYSERR_INVALPARAM 11u
#define WAVERR_BADFORMAT 32u
#define WAVERR_STILLPLAYING 33u
#define WAVERR_UNPREPARED 34u

#define WAVE_MAPPER 0xFFFFFFFFu
#define CALLBACK_NULL 0x00000000u
#define CALLBACK_FUNCTION 0x00030000u
#define WAVE_FORMAT_QUERY 0x00000001u

#define WAVE_FORMAT_PCM 1
// Timed MIDI messages rendered by the device's synthesizer.
#define WAVE_FORMAT_MIDI 0x3000

#define WOM_OPEN 0x3BBu
#define WOM_CLOSE 0x3BCu
#define WOM_DONE 0x3BDu
#define MM_WOM_DONE WOM_DONE

#define WHDR_DONE 0x00000001u
#define WHDR_PREPARED 0x00000002u
#define WHDR_BEGINLOOP 0x00000004u
#define WHDR_ENDLOOP 0x00000008u
#define WHDR_INQUEUE 0x00000010u

#define TIME_MS 0x0001u
#define TIME_SAMPLES 0x0002u
#define TIME_BYTES 0x0004u

#define WAVECAPS_PITCH 0x0001u
#define WAVECAPS_PLAYBACKRATE 0x0002u
#define WAVECAPS_VOLUME 0x0004u
#define WAVECAPS_LRVOLUME 0x0008u

#pragma pack(push, 1)
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;  // bytes of format data that follow
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18);

// The MIDI wave format: cbSize 10, two bytes of padding, then the tempo.
// One tick lasts usPerQuarterNote / ticksPerQuarterNote microseconds.
#pragma pack(push, 1)
struct MIDIWAVEFORMAT {
    WAVEFORMATEX wfx;
    WORD padding;
    DWORD usPerQuarterNote;
    DWORD ticksPerQuarterNote;
};
#pragma pack(pop)
static_assert(sizeof(MIDIWAVEFORMAT) == 28);

// One block of a MIDI wave stream: delta in ticks since the previous
// message, then status | data1 << 8 | data2 << 16.
struct MIDIWAVEMESSAGE {
    DWORD deltaTicks;
    DWORD message;
};
static_assert(sizeof(MIDIWAVEMESSAGE) == 8);

struct WAVEHDR {
    LPSTR lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;
    DWORD dwLoops;  // plays of a block marked WHDR_BEGINLOOP | WHDR_ENDLOOP
    WAVEHDR* lpNext;
    DWORD_PTR reserved;
};

struct MMTIME {
    UINT wType;
    union {
        DWORD ms;
        DWORD sample;
        DWORD cb;
    } u;
};

struct WAVEOUTCAPS {
    WORD wMid;
    WORD wPid;
    DWORD vDriverVersion;
    WCHAR szPname[32];
    DWORD dwFormats;
    WORD wChannels;
    WORD wReserved1;
    DWORD dwSupport;
};
static_assert(sizeof(WAVEOUTCAPS) == 84);

typedef void (*WAVEOUTPROC)(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                            DWORD_PTR param2);

// ---- Devices ----------------------------------------------------------------

// 1: the one mixed output.
UINT waveOutGetNumDevs();
// deviceId: 0, WAVE_MAPPER or an open handle. Copies min(size, 84) bytes.
MMRESULT waveOutGetDevCaps(UINT_PTR deviceId, WAVEOUTCAPS* caps, UINT size);
// WAVERR_BADFORMAT for a format the device cannot play (PCM other than 8 or
// 16 bits, 1 or 2 channels, a rate and block size that agree; MIDI without its
// tempo). With WAVE_FORMAT_QUERY only the format is checked.
MMRESULT waveOutOpen(HWAVEOUT* device, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags);
// WAVERR_STILLPLAYING while blocks are queued.
MMRESULT waveOutClose(HWAVEOUT device);

// ---- Blocks -----------------------------------------------------------------

MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size);
// WAVERR_STILLPLAYING while the block is queued; an unprepared block is left
// as it is.
MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size);
// Queues a prepared block (WAVERR_UNPREPARED otherwise).
MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT size);

// ---- Playing ----------------------------------------------------------------

MMRESULT waveOutPause(HWAVEOUT device);
MMRESULT waveOutRestart(HWAVEOUT device);
// Stops, returns every queued block as done and sets the position to 0; the
// device is no longer paused.
MMRESULT waveOutReset(HWAVEOUT device);
// TIME_BYTES (any other type asked is answered as TIME_BYTES): the bytes
// played since the last reset, across loops; a MIDI device counts its play
// time at nAvgBytesPerSec.
MMRESULT waveOutGetPosition(HWAVEOUT device, MMTIME* time, UINT size);
// Left channel in the low word, right in the high word, 0xFFFF full.
MMRESULT waveOutGetVolume(HWAVEOUT device, DWORD* volume);
MMRESULT waveOutSetVolume(HWAVEOUT device, DWORD volume);

namespace wince {

// The mixed output: 44,100 frames a second, two float channels interleaved.
constexpr int kAudioRate = 44100;
constexpr int kAudioChannels = 2;

// Test seam. With manual audio no driver renders: pumpAudio renders the given
// time through the mixer on the calling thread (WOM_DONE callbacks run there)
// and appends the samples to `out` when given. Switched while no device plays.
void useManualAudio(bool on);
void pumpAudio(DWORD milliseconds, std::vector<float>* out = nullptr);
// Renders exactly `frames` frames (manual audio).
void pumpAudioFrames(uint32_t frames, std::vector<float>* out = nullptr);
// Ends the output the first open started (the sound device or the silent
// clock), while no device is open; the next open chooses again.
void restartAudioOutput();
// True when an SDL audio device plays the mix; false before the first open,
// in manual mode, and when no device could be opened (a silent clock then
// paces the players in real time).
bool hasAudioDevice();

}  // namespace wince
