#pragma once
// Audio players: PCM WAV and single-track MIDI on waveOut. Content-type codes:
// 1 none given, 2 "audio/x-wav", 6 "audio/midi"; protocol codes: 4 "file",
// 5 "x-jar". Loop counts are extra repetitions, -1 endless. Times are in
// microseconds. States: 0 realized, 1 prefetched or stopped, 2 started.

#include <cstdint>

struct HALPlayer;

// 1 when the platform can open / play that code, else 0.
int32_t HAL_isProtocolSupported(int32_t protocol);
int32_t HAL_isContentTypeSupported(int32_t contentType);

// From a sound image in memory (the bytes are copied).
int32_t HAL_createPlayerWithData(HALPlayer** out, const int8_t* data, int32_t length, int32_t contentType,
                                 int32_t loopCount);
// From the file or resource named by the locator text.
int32_t HAL_createPlayerWithLocator(HALPlayer** out, int32_t protocol, const char16_t* name, int32_t length,
                                    int32_t contentType, int32_t loopCount);
int32_t HAL_prefetchPlayer(HALPlayer* player);
int32_t HAL_startPlayer(HALPlayer* player);
int32_t HAL_stopPlayer(HALPlayer* player);
int32_t HAL_deallocatePlayer(HALPlayer* player);
// Deallocates and destroys the player; the handle is invalid after a 0.
int32_t HAL_closePlayer(HALPlayer* player);

int32_t HAL_getPlayerState(int32_t* state, HALPlayer* player);
int32_t HAL_getPlayerMediaTime(int64_t* time, HALPlayer* player);
int32_t HAL_setPlayerMediaTime(HALPlayer* player, int64_t time);
int32_t HAL_getPlayerDuration(int64_t* duration, HALPlayer* player);
int32_t HAL_getPlayerContentType(int32_t* contentType, HALPlayer* player);
int32_t HAL_setPlayerLoopCount(HALPlayer* player, int32_t count);
// Volume 0..100 (clamped); 1 when the device has no volume control.
int32_t HAL_setPlayerVolume(HALPlayer* player, int32_t volume);
int32_t HAL_getPlayerVolume(int32_t* volume, HALPlayer* player);

// Within the layer: pauses every open player (the application became
// inactive).
void HAL_pauseAllPlayers();
