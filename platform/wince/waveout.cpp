// COREDLL waveOut on the stand-in's mixer.

#include <cstring>

#include "wince/AudioMixer.h"
#include "wince/waveout.h"

namespace {

AudioMixer& mixer()
{
    return AudioMixer::instance();
}

}  // namespace

// ---- waveOutGetNumDevs ----------------------------------------------------

UINT waveOutGetNumDevs()
{
    return 1;
}

// ---- waveOutGetDevCaps ----------------------------------------------------

MMRESULT waveOutGetDevCaps(UINT_PTR deviceId, WAVEOUTCAPS* caps, UINT size)
{
    if (!caps) {
        return MMSYSERR_INVALPARAM;
    }
    if (deviceId != 0 && deviceId != WAVE_MAPPER &&
        !mixer().isOpen(reinterpret_cast<HWAVEOUT>(deviceId))) {
        return MMSYSERR_BADDEVICEID;
    }
    WAVEOUTCAPS answer{};
    answer.wMid = 1;
    answer.wPid = 1;
    answer.vDriverVersion = 0x0100;
    const char16_t name[] = u"Mixed SDL output";
    std::memcpy(answer.szPname, name, sizeof name);
    answer.dwFormats = 0x00000FFFu;  // 11, 22 and 44 kHz, mono and stereo, 8 and 16 bits
    answer.wChannels = 2;
    answer.dwSupport = WAVECAPS_VOLUME | WAVECAPS_LRVOLUME;
    std::memcpy(caps, &answer, size < sizeof answer ? size : sizeof answer);
    return MMSYSERR_NOERROR;
}

// ---- waveOutOpen ----------------------------------------------------------

MMRESULT waveOutOpen(HWAVEOUT* device, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags)
{
    if (deviceId != 0 && deviceId != WAVE_MAPPER) {
        return MMSYSERR_BADDEVICEID;
    }
    if (!format) {
        return MMSYSERR_INVALPARAM;
    }
    DWORD kind = flags & 0x00070000u;
    if (kind != CALLBACK_NULL && kind != CALLBACK_FUNCTION) {
        return MMSYSERR_INVALFLAG;  // windows, threads and events are not offered
    }
    if (!AudioMixer::isPlayable(format)) {
        return WAVERR_BADFORMAT;
    }
    if (flags & WAVE_FORMAT_QUERY) {
        return MMSYSERR_NOERROR;
    }
    if (!device) {
        return MMSYSERR_INVALPARAM;
    }
    WAVEOUTPROC proc = kind == CALLBACK_FUNCTION ? reinterpret_cast<WAVEOUTPROC>(callback) : nullptr;
    return mixer().open(device, format, proc, instance);
}

// ---- waveOutClose ---------------------------------------------------------

MMRESULT waveOutClose(HWAVEOUT device)
{
    return mixer().close(device);
}

// ---- waveOutPrepareHeader, waveOutUnprepareHeader, waveOutWrite -------------

MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size)
{
    if (!header || size < sizeof(WAVEHDR)) {
        return MMSYSERR_INVALPARAM;
    }
    return mixer().prepare(device, header);
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size)
{
    if (!header || size < sizeof(WAVEHDR)) {
        return MMSYSERR_INVALPARAM;
    }
    return mixer().unprepare(device, header);
}

MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT size)
{
    if (!header || size < sizeof(WAVEHDR)) {
        return MMSYSERR_INVALPARAM;
    }
    return mixer().write(device, header);
}

// ---- waveOutPause, waveOutRestart, waveOutReset ---------------------------

MMRESULT waveOutPause(HWAVEOUT device)
{
    return mixer().pause(device);
}

MMRESULT waveOutRestart(HWAVEOUT device)
{
    return mixer().restart(device);
}

MMRESULT waveOutReset(HWAVEOUT device)
{
    return mixer().reset(device);
}

// ---- waveOutGetPosition ---------------------------------------------------

MMRESULT waveOutGetPosition(HWAVEOUT device, MMTIME* time, UINT size)
{
    if (!time || size < sizeof(MMTIME)) {
        return MMSYSERR_INVALPARAM;
    }
    DWORD bytes = 0;
    MMRESULT result = mixer().position(device, &bytes);
    if (result == MMSYSERR_NOERROR) {
        time->wType = TIME_BYTES;
        time->u.cb = bytes;
    }
    return result;
}

// ---- waveOutGetVolume, waveOutSetVolume -------------------------------------

MMRESULT waveOutGetVolume(HWAVEOUT device, DWORD* volume)
{
    if (!volume) {
        return MMSYSERR_INVALPARAM;
    }
    return mixer().volume(device, volume);
}

MMRESULT waveOutSetVolume(HWAVEOUT device, DWORD volume)
{
    return mixer().setVolume(device, volume);
}

// ---- Test seam ------------------------------------------------------------

namespace wince {

void useManualAudio(bool on)
{
    mixer().setManual(on);
}

void pumpAudioFrames(uint32_t frames, std::vector<float>* out)
{
    float buffer[2 * 512];
    while (frames > 0) {
        uint32_t n = frames < 512 ? frames : 512;
        mixer().render(buffer, n);
        if (out) {
            out->insert(out->end(), buffer, buffer + 2 * n);
        }
        frames -= n;
    }
}

void pumpAudio(DWORD milliseconds, std::vector<float>* out)
{
    pumpAudioFrames(static_cast<uint32_t>(static_cast<uint64_t>(milliseconds) * kAudioRate / 1000), out);
}

void restartAudioOutput()
{
    mixer().stopOutput();
}

bool hasAudioDevice()
{
    return AudioMixer::instance().hasDevice();
}

}  // namespace wince
