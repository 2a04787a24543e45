// Audio players on waveOut: WAV and single-track MIDI.

#include "hal/HALPlayer.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <string>

#include "hal/HALList.h"
#include "hal/device.h"
#include "hal/memory.h"
#include "wince/file.h"

namespace {

// ---- Shared state -------------------------------------------------------------

// Held by every player operation (they come one at a time under the VM lock;
// this keeps the list whole should they not). Never taken by the callback.
std::recursive_mutex g_playersLock;
HALList* g_players = nullptr;

std::mutex g_listenerLock;
HALPlayerListener g_listener = nullptr;
intptr_t g_listenerContext = 0;

constexpr DWORD kLoopFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
constexpr DWORD kEndlessPlays = 1000000;

uint32_t le16(const uint8_t* p)
{
    return p[0] | p[1] << 8;
}

uint32_t le32(const uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint32_t be16(const uint8_t* p)
{
    return p[0] << 8 | p[1];
}

uint32_t be32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// dwLoops for a loop argument: the extra repetitions plus the first play,
// endless (1,000,000 plays) for a negative argument.
DWORD playsOfLoops(int32_t loops)
{
    return loops < 0 ? kEndlessPlays : static_cast<DWORD>(loops) + 1;
}

// The wave header of both kinds of player.
WAVEHDR headerFor(void* samples, DWORD length, int32_t loops)
{
    WAVEHDR header{};
    header.lpData = static_cast<LPSTR>(samples);
    header.dwBufferLength = length;
    header.dwFlags = kLoopFlags;
    header.dwLoops = playsOfLoops(loops);
    return header;
}

// The media time at the device's position; false when the device cannot
// tell. Takes no player lock (the callback uses it).
int32_t mediaTimeOf(HALPlayer* player, int64_t* time)
{
    MMTIME position{};
    position.wType = TIME_BYTES;
    if (waveOutGetPosition(player->device, &position, sizeof position) != MMSYSERR_NOERROR) {
        *time = -1;
        return 6;
    }
    if (position.wType != TIME_BYTES) {
        return 1;
    }
    int64_t start = player->mediaTime.load();
    int64_t elapsed = static_cast<int64_t>(position.u.cb) * 1000000 /
                      static_cast<int64_t>(player->format.wfx.nAvgBytesPerSec);
    // One pass is what is left of the sound after the start; the count of
    // whole passes folds the position back into it. A player with nothing
    // left (a MIDI player, or one started at its end) just counts on.
    int64_t pass = player->duration - start;
    int64_t passes = pass > 0 ? elapsed / pass : 0;
    int64_t plays = player->templateHeader.dwLoops;
    if (plays != 0 && plays <= passes && passes % plays == 0) {
        --passes;
    }
    *time = start + elapsed - passes * (pass > 0 ? pass : 0);
    return 0;
}

void sendEvent(HALPlayer* player, int32_t event)
{
    HALPlayerListener listener;
    intptr_t context;
    {
        std::lock_guard<std::mutex> lock(g_listenerLock);
        listener = g_listener;
        context = g_listenerContext;
    }
    if (!listener) {
        return;
    }
    int64_t time = 0;
    if (mediaTimeOf(player, &time) != 0) {
        time = 0;
    }
    listener(context, player, event, time, 0);
}

// The device's callback, on the audio thread (or inside waveOutReset).
void deviceCallback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR)
{
    if (message != MM_WOM_DONE) {
        return;
    }
    auto player = reinterpret_cast<HALPlayer*>(instance);
    int32_t started = HALPlayer::STARTED;
    if (player->state.compare_exchange_strong(started, HALPlayer::ENDED)) {
        sendEvent(player, HALPlayer::EVENT_END_OF_MEDIA);
    }
}

void echoMessage(int32_t index, uint32_t status, uint32_t data1, uint32_t data2)
{
    char line[128];
    int n = std::snprintf(line, sizeof line,
                          "%d - ) ORIGINAL - Event type + channel: %x, par1: %x, par2: %x\n", index,
                          status, data1, data2);
    for (int i = 0; i < n && i < static_cast<int>(sizeof line) - 1; ++i) {
        HAL_writeConsole(static_cast<unsigned char>(line[i]));
    }
}

int32_t appendToList(HALPlayer* player)
{
    if (!g_players) {
        g_players = HALList::create();
    }
    return g_players && g_players->add(player) ? 0 : 5;
}

// Reads a whole file into a block from the platform heap.
int32_t loadFile(const std::u16string& path, uint8_t** block, int32_t* size)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE || !file) {
        return 4;
    }
    DWORD length = GetFileSize(file, nullptr);
    int32_t result = 0;
    if (length == INVALID_FILE_SIZE || length < 1 || length > 0x7FFFFFFFu) {
        result = 7;
    } else if (!(*block = static_cast<uint8_t*>(HAL_malloc(length)))) {
        result = 5;
    } else {
        DWORD read = 0;
        if (!ReadFile(file, *block, length, &read, nullptr) || read != length) {
            HAL_free(*block);
            *block = nullptr;
            result = 7;
        } else {
            *size = static_cast<int32_t>(length);
        }
    }
    CloseHandle(file);
    return result;
}

// Reads a whole resource file of the application's resource folder.
int32_t loadResourceFile(const char16_t* name, int32_t length, uint8_t** block, int32_t* size)
{
    HALResource* resource = nullptr;
    int32_t result = HAL_openResource(&resource, name, length);
    if (result != 0) {
        return result;
    }
    int32_t total = HAL_getResourceSize(resource);
    if (total < 1) {
        result = 7;
    } else if (!(*block = static_cast<uint8_t*>(HAL_malloc(static_cast<uint32_t>(total))))) {
        result = 5;
    } else {
        int32_t read = total;
        if (HAL_readResource(resource, *block, 0, &read) != 0 || read != total) {
            HAL_free(*block);
            *block = nullptr;
            result = 7;
        } else {
            *size = total;
        }
    }
    HAL_closeResource(resource);
    return result;
}

}  // namespace

// ---- Records ------------------------------------------------------------------

HALPlayer* HALPlayer::allocate()
{
    void* block = HAL_malloc(sizeof(HALPlayer));
    return block ? new (block) HALPlayer() : nullptr;
}

void HALPlayer::destroy(HALPlayer* player)
{
    player->~HALPlayer();
    HAL_free(player);
}

// ---- Reading the sound ----------------------------------------------------------

int32_t HALPlayer::readWav(const uint8_t* data, int32_t length, WavInfo* info)
{
    if (!data || length < kWavHeaderBytes) {
        return 6;
    }
    uint32_t channels = le16(data + 22);
    uint32_t rate = le32(data + 24);
    uint32_t bits = le16(data + 34);
    uint32_t declared = le32(data + 40);
    uint32_t samples = static_cast<uint32_t>(length - kWavHeaderBytes);
    uint32_t bytesPerSecond = channels * bits * rate / 8;
    // Only what the mixer plays: 8- or 16-bit PCM, mono or stereo, at a
    // sound's usual rates (a rate far below them is resampled into minutes).
    bool playable = (bits == 8 || bits == 16) && (channels == 1 || channels == 2) && rate >= kWavMinRate &&
                    rate <= kWavMaxRate;
    if (!playable || declared > samples) {
        return 6;
    }
    WAVEFORMATEX& format = info->format;
    format = WAVEFORMATEX{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = rate;
    format.nAvgBytesPerSec = bytesPerSecond;
    format.nBlockAlign = static_cast<WORD>(bits / 8 * channels);
    format.wBitsPerSample = static_cast<WORD>(bits);
    format.cbSize = 0;
    info->sampleBytes = samples;
    return 0;
}

int32_t HALPlayer::readMidi(const uint8_t* data, int32_t length, MIDIWAVEMESSAGE* messages,
                            int32_t* count, uint32_t* division, bool echo)
{
    if (!data || length < kMidiHeaderBytes) {
        return 6;
    }
    *division = be16(data + 12);
    if (*division > 32767 || be16(data + 10) != 1) {
        return 1;
    }
    uint32_t trackLength = be32(data + 18);
    if (trackLength > static_cast<uint32_t>(length - kMidiHeaderBytes)) {
        return 6;
    }
    const int64_t end = kMidiHeaderBytes + static_cast<int64_t>(trackLength);
    int32_t kept = 0;
    int64_t p = kMidiHeaderBytes;
    while (p < end) {
        // The delta: up to four bytes with the top bit set, then the last.
        uint32_t delta = 0;
        int64_t n = 0;
        bool complete = false;
        while (n < 4 && p + n < end) {
            uint8_t b = data[p + n++];
            delta = delta << 7 | (b & 0x7F);
            if (!(b & 0x80)) {
                complete = true;
                break;
            }
        }
        if (!complete) {
            if (n < 4) {
                break;  // the data ends inside the delta
            }
            n = 5;
        }
        if (p + n >= end) {
            break;
        }
        uint32_t status = data[p + n];
        uint32_t kind = status & 0xF0;
        int64_t dataBytes = 0;
        if (kind == 0x90 || kind == 0xA0 || kind == 0xB0) {
            dataBytes = 2;
        } else if (kind == 0xC0 || kind == 0xD0) {
            dataBytes = 1;
        }
        if (dataBytes == 0) {
            ++p;  // not kept: look again from the next byte
            continue;
        }
        if (p + n + dataBytes >= end) {
            return 6;  // a kept event runs past the end
        }
        uint32_t data1 = data[p + n + 1];
        uint32_t data2 = dataBytes == 2 ? data[p + n + 2] : 0;
        if (messages) {
            messages[kept].deltaTicks = delta;
            messages[kept].message = status | data1 << 8 | data2 << 16;
            if (echo) {
                echoMessage(kept, status, data1, data2);
            }
        }
        ++kept;
        p += n + 1 + dataBytes;
    }
    *count = kept;
    return 0;
}

// ---- Opening --------------------------------------------------------------------

int32_t HALPlayer::openWav(HALPlayer** out, const uint8_t* data, int32_t length, int32_t loops, bool copy)
{
    auto owned = copy ? nullptr : const_cast<uint8_t*>(data);
    WavInfo info{};
    int32_t result = readWav(data, length, &info);
    if (result != 0) {
        HAL_free(owned);
        return result;
    }
    if (copy) {
        owned = static_cast<uint8_t*>(HAL_malloc(static_cast<uint32_t>(length)));
        if (!owned) {
            return 5;
        }
        std::memcpy(owned, data, static_cast<size_t>(length));
    }
    HALPlayer* player = allocate();
    if (!player) {
        HAL_free(owned);
        return 5;
    }
    player->format.wfx = info.format;
    player->templateHeader = headerFor(owned + kWavHeaderBytes, info.sampleBytes, loops);
    player->liveHeader = player->templateHeader;
    if (waveOutOpen(&player->device, WAVE_MAPPER, &player->format.wfx,
                    reinterpret_cast<DWORD_PTR>(&deviceCallback), reinterpret_cast<DWORD_PTR>(player),
                    CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
        HAL_free(owned);
        destroy(player);
        return 6;
    }
    player->data = owned;
    player->contentType = 2;
    player->duration = static_cast<int64_t>(info.sampleBytes) * 1000000 / info.format.nAvgBytesPerSec;
    *out = player;
    return 0;
}

int32_t HALPlayer::openMidi(HALPlayer** out, const uint8_t* data, int32_t length, int32_t loops)
{
    int32_t count = 0;
    uint32_t division = 0;
    int32_t result = readMidi(data, length, nullptr, &count, &division, false);
    if (result != 0) {
        return result;
    }
    uint32_t bytes = static_cast<uint32_t>(count) * sizeof(MIDIWAVEMESSAGE);
    auto messages = static_cast<MIDIWAVEMESSAGE*>(HAL_malloc(bytes > 0 ? bytes : 1));
    if (!messages) {
        return 5;
    }
    readMidi(data, length, messages, &count, &division, true);
    HALPlayer* player = allocate();
    if (!player) {
        HAL_free(messages);
        return 5;
    }
    MIDIWAVEFORMAT& format = player->format;
    format.wfx.wFormatTag = WAVE_FORMAT_MIDI;
    format.wfx.nChannels = 1;
    format.wfx.nSamplesPerSec = 32;
    format.wfx.nAvgBytesPerSec = 32;
    format.wfx.nBlockAlign = 8;
    format.wfx.wBitsPerSample = 16;
    format.wfx.cbSize = 10;
    format.usPerQuarterNote = division * 1000;
    format.ticksPerQuarterNote = division;
    player->templateHeader = headerFor(messages, bytes, loops);
    player->liveHeader = player->templateHeader;
    if (waveOutOpen(&player->device, WAVE_MAPPER, &format.wfx, reinterpret_cast<DWORD_PTR>(&deviceCallback),
                    reinterpret_cast<DWORD_PTR>(player), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
        HAL_free(messages);
        destroy(player);
        return 6;
    }
    player->data = messages;
    player->contentType = 6;
    player->duration = 0;
    *out = player;
    return 0;
}

// ---- Tables -----------------------------------------------------------------------

int32_t HAL_isContentTypeSupported(int32_t contentType)
{
    return contentType == 2 ? 1 : 0;
}

int32_t HAL_isProtocolSupported(int32_t protocol)
{
    return protocol == 4 || protocol == 5 ? 1 : 0;
}

// ---- Creating ---------------------------------------------------------------------

int32_t HAL_createPlayerWithData(HALPlayer** out, const int8_t* data, int32_t length, int32_t contentType,
                                 int32_t loopCount)
{
    if (!out || (!data && length > 0) || length < 0) {
        return 2;
    }
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    auto bytes = reinterpret_cast<const uint8_t*>(data);
    HALPlayer* player = nullptr;
    int32_t result;
    if (contentType == 1 || contentType == 2) {
        result = HALPlayer::openWav(&player, bytes, length, loopCount, true);
    } else if (contentType == 6) {
        result = HALPlayer::openMidi(&player, bytes, length, loopCount);
    } else {
        return 1;
    }
    if (result != 0) {
        return result;
    }
    if (appendToList(player) != 0) {
        HAL_closePlayer(player);
        return 5;
    }
    *out = player;
    return 0;
}

int32_t HAL_createPlayerWithLocator(HALPlayer** out, int32_t protocol, const char16_t* name, int32_t length,
                                    int32_t contentType, int32_t loopCount)
{
    if (contentType != 1 && contentType != 2) {
        return 1;
    }
    if (!out || !name || length < 0) {
        return 2;
    }
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    uint8_t* block = nullptr;
    int32_t size = 0;
    int32_t result;
    if (protocol == 4) {
        // "//path": the path follows the two slashes.
        if (length <= 2) {
            return 4;
        }
        result = loadFile(std::u16string(name + 2, name + length), &block, &size);
    } else if (protocol == 5) {
        result = loadResourceFile(name, length, &block, &size);
    } else {
        return 2;
    }
    if (result != 0) {
        return result;
    }
    HALPlayer* player = nullptr;
    result = HALPlayer::openWav(&player, block, size, loopCount, false);
    if (result != 0) {
        return result;
    }
    if (appendToList(player) != 0) {
        HAL_closePlayer(player);
        return 5;
    }
    *out = player;
    return 0;
}

// ---- Playing ------------------------------------------------------------------------

int32_t HAL_prefetchPlayer(HALPlayer* player)
{
    if (!player) {
        return 2;
    }
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    int32_t state = player->state.load();
    if (state == HALPlayer::STARTED) {
        return 0;  // already playing: stays started
    }
    if (state == HALPlayer::OPEN || state == HALPlayer::RESETTING) {
        if (waveOutPrepareHeader(player->device, &player->liveHeader, sizeof(WAVEHDR)) != MMSYSERR_NOERROR ||
            waveOutPause(player->device) != MMSYSERR_NOERROR ||
            waveOutWrite(player->device, &player->liveHeader, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
            return 6;
        }
    }
    player->state.store(HALPlayer::PREFETCHED);
    return 0;
}

int32_t HAL_startPlayer(HALPlayer* player)
{
    if (!player) {
        return 2;
    }
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    int64_t start = player->mediaTime.load();
    if (start >= 0) {
        // Every start plays from the stored media time: a WAV player moves its
        // block by whole seconds.
        WAVEHDR header = player->templateHeader;
        if (player->contentType == 2) {
            uint64_t skip = static_cast<uint64_t>(start / 1000000) * player->format.wfx.nAvgBytesPerSec;
            if (skip > header.dwBufferLength) {
                skip = header.dwBufferLength;
            }
            header.lpData += skip;
            header.dwBufferLength -= static_cast<DWORD>(skip);
            header.dwFlags = kLoopFlags;
        }
        int32_t result = HAL_deallocatePlayer(player);
        if (result != 0) {
            return result;
        }
        player->liveHeader = header;
        player->mediaTime.store(start);
    }
    int32_t state = player->state.load();
    if (state == HALPlayer::OPEN || state == HALPlayer::ENDED || state == HALPlayer::RESETTING) {
        if (state == HALPlayer::ENDED && waveOutReset(player->device) != MMSYSERR_NOERROR) {
            return 6;
        }
        if (state == HALPlayer::ENDED) {
            player->state.store(HALPlayer::OPEN);
        }
        if (HAL_prefetchPlayer(player) != 0) {
            return 6;
        }
        state = player->state.load();
    }
    if (state == HALPlayer::PREFETCHED || state == HALPlayer::STOPPED) {
        // Started before the device runs, so that a sound ending at once is
        // seen by the callback; its ENDED is not stored over afterwards.
        player->state.store(HALPlayer::STARTED);
        if (waveOutRestart(player->device) != MMSYSERR_NOERROR) {
            player->state.store(state);
            return 6;
        }
    }
    sendEvent(player, HALPlayer::EVENT_STARTED);
    return 0;
}

int32_t HAL_stopPlayer(HALPlayer* player)
{
    if (!player) {
        return 2;
    }
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    if (player->state.load() == HALPlayer::STARTED && waveOutPause(player->device) != MMSYSERR_NOERROR) {
        return 6;
    }
    player->state.store(HALPlayer::STOPPED);
    sendEvent(player, HALPlayer::EVENT_STOPPED);
    return 0;
}

int32_t HAL_deallocatePlayer(HALPlayer* player)
{
    if (!player) {
        return 2;
    }
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    player->state.store(HALPlayer::RESETTING);
    if (waveOutReset(player->device) != MMSYSERR_NOERROR ||
        waveOutUnprepareHeader(player->device, &player->liveHeader, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        return 6;
    }
    player->mediaTime.store(0);
    player->state.store(HALPlayer::OPEN);
    sendEvent(player, HALPlayer::EVENT_DEALLOCATED);
    return 0;
}

int32_t HAL_closePlayer(HALPlayer* player)
{
    if (!player) {
        return 2;
    }
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    if (HAL_deallocatePlayer(player) != 0 || waveOutClose(player->device) != MMSYSERR_NOERROR) {
        return 6;
    }
    sendEvent(player, HALPlayer::EVENT_CLOSED);
    if (g_players) {
        g_players->remove(player);
    }
    HAL_free(player->data);
    HALPlayer::destroy(player);
    return 0;
}

void HAL_pauseAllPlayers()
{
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    if (!g_players) {
        return;
    }
    for (int32_t i = 0; i < g_players->size(); ++i) {
        HAL_stopPlayer(static_cast<HALPlayer*>(g_players->get(i)));
    }
}

// ---- Settings and questions ---------------------------------------------------------

int32_t HAL_setPlayerLoopCount(HALPlayer* player, int32_t count)
{
    if (!player || count < -1) {
        return 2;
    }
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    player->templateHeader.dwFlags = kLoopFlags;
    player->templateHeader.dwLoops = playsOfLoops(count);
    return 0;
}

int32_t HAL_setPlayerMediaTime(HALPlayer* player, int64_t time)
{
    if (!player || time < 0 || time > player->duration) {
        return 2;
    }
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    player->mediaTime.store(time);
    sendEvent(player, HALPlayer::EVENT_MEDIA_TIME_SET);
    return 0;
}

int32_t HAL_getPlayerMediaTime(int64_t* time, HALPlayer* player)
{
    if (!time || !player) {
        return 2;
    }
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    return mediaTimeOf(player, time);
}

int32_t HAL_getPlayerDuration(int64_t* duration, HALPlayer* player)
{
    if (!duration || !player) {
        return 2;
    }
    // The platform answers milliseconds.
    *duration = player->duration / 1000;
    return 0;
}

int32_t HAL_getPlayerContentType(int32_t* contentType, HALPlayer* player)
{
    if (!contentType || !player) {
        return 2;
    }
    *contentType = player->contentType;
    return 0;
}

int32_t HAL_getPlayerState(int32_t* state, HALPlayer* player)
{
    if (!state || !player) {
        return 2;
    }
    int32_t s = player->state.load();
    *state = s == HALPlayer::OPEN ? 0 : s == HALPlayer::STARTED ? 2 : 1;
    return 0;
}

int32_t HAL_getPlayerVolume(int32_t* volume, HALPlayer* player)
{
    if (!volume || !player) {
        return 2;
    }
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    DWORD value = 0;
    if (waveOutGetVolume(player->device, &value) != MMSYSERR_NOERROR) {
        *volume = -1;
        return 6;
    }
    // Half up: (high word x 100 / 65535) + 0.5, in integers.
    *volume = static_cast<int32_t>(((value >> 16) * 200 + 65535) / (2 * 65535));
    return 0;
}

int32_t HAL_setPlayerVolume(HALPlayer* player, int32_t volume)
{
    if (!player) {
        return 2;
    }
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    WAVEOUTCAPS caps{};
    if (waveOutGetDevCaps(reinterpret_cast<UINT_PTR>(player->device), &caps, sizeof caps) !=
        MMSYSERR_NOERROR) {
        return 1;
    }
    if (!(caps.dwSupport & WAVECAPS_VOLUME)) {
        return 1;
    }
    int32_t level = volume < 0 ? 0 : volume > 100 ? 100 : volume;
    DWORD value = static_cast<DWORD>(level) * 65535 / 100;
    if (caps.dwSupport & WAVECAPS_LRVOLUME) {
        value *= 0x10001;
    }
    if (waveOutSetVolume(player->device, value) != MMSYSERR_NOERROR) {
        return 6;
    }
    sendEvent(player, HALPlayer::EVENT_VOLUME_CHANGED);
    return 0;
}

// ---- Listener slot --------------------------------------------------------------------

void HAL_setPlayerListener(HALPlayerListener listener, intptr_t context)
{
    std::lock_guard<std::mutex> lock(g_listenerLock);
    g_listener = listener;
    g_listenerContext = context;
}

int32_t HAL_countPlayers()
{
    std::lock_guard<std::recursive_mutex> lock(g_playersLock);
    return g_players ? g_players->size() : 0;
}
