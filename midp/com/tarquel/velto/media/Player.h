#pragma once
// com.tarquel.velto.media.Player: the one player of the media interfaces and
// its own VolumeControl. It holds its source (bytes with a content type, or a
// locator) until realize makes the platform player, then forwards every state
// change, time, loop count and volume to it. Media times and durations are
// microseconds. No listeners and no time bases. Callers hold the VM lock.

#include <cstdint>

#include "hal/audio.h"
#include "java/lang/Object.h"
#include "java/lang/String.h"
#include "javax/microedition/media/Player.h"
#include "javax/microedition/media/control/VolumeControl.h"

namespace com::tarquel::velto::media {

class Player : public virtual java::lang::Object,
               public virtual javax::microedition::media::control::VolumeControl,
               public virtual javax::microedition::media::Player {
    VM_CLASS(Player, java::lang::Object)

    using ByteArray = java::lang::String::ByteArray;
    using Control = javax::microedition::media::Control;
    using PlayerListener = javax::microedition::media::PlayerListener;
    using TimeBase = javax::microedition::media::TimeBase;

    // Locator initialiser: keeps the text after the first ':'; a protocol
    // the platform cannot open throws MediaException.
    VMPtr<Player> init(VMPtr<java::lang::String> locator);
    // Data initialiser: NullPointerException, ArrayIndexOutOfBoundsException
    // (unless 0 <= offset < data length and offset + length <= data length),
    // MediaException for a type the platform cannot play from bytes.
    VMPtr<Player> init(VMPtr<ByteArray> data, int32_t offset, int32_t length,
                       VMPtr<java::lang::String> type);
    ~Player() override;

    // VolumeControl
    void setMute(bool mute) override;
    bool isMuted() override;
    int32_t setLevel(int32_t level) override;
    int32_t getLevel() override;
    // Sends a level to the platform player (when realized); the level now in
    // force.
    virtual int32_t applyVolume(int32_t level);

    // Player
    void realize() override;
    void prefetch() override;
    void start() override;
    void stop() override;
    void deallocate() override;
    void close() override;
    void setTimeBase(VMPtr<TimeBase> master) override;
    VMPtr<TimeBase> getTimeBase() override;
    int64_t setMediaTime(int64_t now) override;
    int64_t getMediaTime() override;
    int32_t getState() override;
    int64_t getDuration() override;
    VMPtr<java::lang::String> getContentType() override;
    void setLoopCount(int32_t count) override;
    void addPlayerListener(VMPtr<PlayerListener> listener) override;
    void removePlayerListener(VMPtr<PlayerListener> listener) override;

    // Controllable
    VMPtr<Control> getControl(VMPtr<java::lang::String> controlType) override;
    VMPtr<ControlArray> getControls() override;

    bool wasRealized = false;
    VMField<ByteArray> data;
    int32_t dataOffset = 0;
    int32_t dataLength = 0;
    int32_t protocol = 0;
    VMField<java::lang::String> locator;
    VMField<java::lang::String> contentType;
    HALPlayer* halPlayer = nullptr;
    int32_t loopCount = 0;
    int32_t level = -1;
    bool muted = false;

    VM_FIELDS(data, locator, contentType)
};

} // namespace com::tarquel::velto::media
