#pragma once
// tq.MediaManagerImpl: the sound manager on the MIDP players. Sound slots and
// channels share one count. A play request only queues a sound on its
// channel (a waiting or still sounding sound of higher priority keeps the
// channel); `run`, the canvas's per-frame tick, stops each channel that has
// a queued sound, applies the channel's volume and starts the sound from its
// beginning. Player failures are dropped: a sound that cannot be loaded or
// started stays silent and the manager keeps working.
//
// Loads, close and the tick hold the manager's monitor; requests, stops,
// volumes and queries only touch int tables and take no lock.

#include <cstdint>

#include "java/lang/Runnable.h"
#include "java/lang/String.h"
#include "javax/microedition/media/Player.h"
#include "tq/MediaManager.h"
#include "tq/TqCanvas.h"
#include "vm/VMArray.h"

namespace tq {

class MediaManagerImpl : public virtual java::lang::Object,
                         public virtual MediaManager,
                         public virtual java::lang::Runnable {
    VM_CLASS(MediaManagerImpl, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;
    using ObjectArray = VMArray<java::lang::Object, 1>;
    using Player = javax::microedition::media::Player;

    static VMPtr<MediaManagerImpl> create() { return newInstance(); }
    // count sound slots and count channels; the manager becomes the canvas's.
    VMPtr<MediaManagerImpl> init(VMPtr<TqCanvas> canvas, int32_t count);

    // MediaManager
    void update() override;
    bool isLoaded(int32_t sound) override;
    bool isSoundEnabled() override;
    void stopChannel(int32_t channel) override;
    // Never seeks: -1 for a sound not loaded or playing (unless time is 0).
    int32_t setMediaTime(int32_t sound, int32_t time) override;
    int32_t getMediaTime(int32_t sound) override;
    void setSoundEnabled(bool enabled) override;
    void unloadSound(int32_t sound) override;
    // type 1 is WAV, any other MIDI.
    void loadSoundData(int32_t sound, VMPtr<ByteArray> data, int32_t type, int32_t loopCount,
                       int32_t priority) override;
    void loadSoundLocator(int32_t sound, int32_t prefixId, int32_t type,
                          VMPtr<java::lang::String> locator, int32_t loopCount,
                          int32_t priority) override;
    // The resource's bytes in place in the current pack; its entry byte is
    // the type.
    void loadSound(int32_t sound, int32_t resourceId, int32_t loopCount,
                   int32_t priority) override;
    void playSound(int32_t channel, int32_t sound) override;
    int32_t getChannelCount() override;
    // Clamped to 0..100; applied at once to a sound playing on the channel.
    void setChannelVolume(int32_t channel, int32_t volume) override;
    int32_t getChannelVolume(int32_t channel) override;
    // Unloads everything; later loads are ignored.
    void close() override;
    int32_t getDuration(int32_t sound) override;
    bool isSoundPlaying(int32_t sound) override;

    // MediaManagerVideo: no video; constants or the clamped channel.
    int32_t getVideoWidth(int32_t channel) override;
    int32_t getVideoHeight(int32_t channel) override;
    int32_t loadVideo(int32_t video) override;
    int32_t getVideoX(int32_t channel) override;
    int32_t getVideoY(int32_t channel) override;
    VMPtr<VMArray<int8_t, 1>> getVideoSnapshot(int32_t channel) override;
    int32_t getVideoState(int32_t video) override;
    int32_t setVideoVisible(int32_t channel) override;
    int32_t isVideoVisible(int32_t channel) override;
    int32_t getVideoDuration(int32_t channel) override;
    int32_t playVideo(int32_t channel) override;
    void stopVideo(int32_t channel) override;
    int32_t closeVideo(int32_t channel) override;

    // Runnable: the frame tick.
    void run() override;

    // 1 when the channel's current sound is started, else 2.
    virtual int32_t getChannelState(int32_t channel);
    // 1 started, 3 prefetched, 4 realized, 6 unrealized, 2 closed; 0 for no
    // player, a closed manager or an unknown state.
    virtual int32_t getSoundState(int32_t sound);
    virtual bool isPlaying(int32_t sound);
    virtual void playFromStart(int32_t sound);
    virtual void stopSound(int32_t sound);
    virtual void closeSound(int32_t sound);
    // The channel's volume on the sound's VolumeControl, scaled by the master
    // volume.
    virtual void applyVolume(int32_t sound, int32_t channel);
    virtual void setSoundPriority(int32_t sound, int32_t type, int32_t loopCount,
                                  int32_t priority);
    static VMPtr<java::lang::String> getMimeType(int32_t type);
    // The text put before every locator: none.
    static VMPtr<java::lang::String> getLocatorPrefix(int32_t prefixId);

    // min(channel, count - 1), and 0 below 1.
    int32_t clampChannel(int32_t channel) const;

    int32_t count = 0;
    VMField<TqCanvas> canvas;
    VMField<ObjectArray> players;
    VMField<IntArray> pendingSound;
    VMField<IntArray> soundPriority;
    bool closed = false;
    VMField<IntArray> channelVolume;
    VMField<IntArray> currentSound;
    // 1024 is unity; 1025 leaves every level 0..100 unchanged.
    int32_t masterVolume = 0;

    VM_FIELDS(canvas, players, pendingSound, soundPriority, channelVolume, currentSound)

private:
    VMPtr<Player> playerOf(int32_t sound);
    // Makes players[sound] from bytes, realizes it and sets its loops; a
    // failure keeps whatever players[sound] holds by then.
    void createSoundFromData(int32_t sound, VMPtr<ByteArray> data, int32_t offset, int32_t length,
                             int32_t type, int32_t loopCount);
    void realizeSound(int32_t sound, VMPtr<Player> player, int32_t loopCount);
};

} // namespace tq
