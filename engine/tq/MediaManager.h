#pragma once
// tq.MediaManager: the game's sound manager. Sounds live in numbered slots
// (one player each), play on numbered channels (one current and one waiting
// sound each) by priority, and start once a frame on the canvas thread.

#include <cstdint>

#include "java/lang/String.h"
#include "tq/MediaManagerVideo.h"

namespace tq {

class MediaManager : public virtual MediaManagerVideo {
    VM_INTERFACE(MediaManager)

    using ByteArray = VMArray<int8_t, 1>;

    virtual void update() = 0;
    virtual bool isLoaded(int32_t sound) = 0;
    virtual bool isSoundEnabled() = 0;
    // channel < 0: every channel.
    virtual void stopChannel(int32_t channel) = 0;
    virtual int32_t setMediaTime(int32_t sound, int32_t time) = 0;
    virtual int32_t getMediaTime(int32_t sound) = 0;
    virtual void setSoundEnabled(bool enabled) = 0;
    // sound -1: every sound.
    virtual void unloadSound(int32_t sound) = 0;
    virtual void loadSoundData(int32_t sound, VMPtr<ByteArray> data, int32_t type,
                               int32_t loopCount, int32_t priority) = 0;
    virtual void loadSoundLocator(int32_t sound, int32_t prefixId, int32_t type,
                                  VMPtr<java::lang::String> locator, int32_t loopCount,
                                  int32_t priority) = 0;
    virtual void loadSound(int32_t sound, int32_t resourceId, int32_t loopCount,
                           int32_t priority) = 0;
    virtual void playSound(int32_t channel, int32_t sound) = 0;
    virtual int32_t getChannelCount() = 0;
    // channel -1: every channel.
    virtual void setChannelVolume(int32_t channel, int32_t volume) = 0;
    virtual int32_t getChannelVolume(int32_t channel) = 0;
    virtual void close() = 0;
    virtual int32_t getDuration(int32_t sound) = 0;
    // sound -1: any sound.
    virtual bool isSoundPlaying(int32_t sound) = 0;
};

} // namespace tq
