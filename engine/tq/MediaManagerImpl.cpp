#include "tq/MediaManagerImpl.h"

#include "java/lang/Exception.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/StringBuffer.h"
#include "javax/microedition/media/Manager.h"
#include "javax/microedition/media/control/VolumeControl.h"
#include "tq/Resources.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

VM_REGISTER_CLASS_NO_CREATOR(tq::MediaManagerImpl, "tq.MediaManagerImpl", "java.lang.Object",
                  "..\\src\\tq_MediaManagerImpl", nullptr);
VM_IMPLEMENTS(tq::MediaManagerImpl, "tq.MediaManager");
VM_IMPLEMENTS(tq::MediaManagerImpl, "java.lang.Runnable");

namespace tq {

using java::lang::Exception;
using java::lang::String;
using javax::microedition::media::control::VolumeControl;

namespace {

// Runs a player operation, dropping what it throws.
template<class F>
void quietly(F&& f)
{
    try {
        f();
    } catch (Exception* failure) {
        VMPtr<Exception> keep(failure);
    }
}

} // namespace

VMPtr<MediaManagerImpl> MediaManagerImpl::init(VMPtr<TqCanvas> owner, int32_t n)
{
    masterVolume = 1025;
    canvas = owner;
    count = n;
    players = ObjectArray::newArray(n);
    soundPriority = IntArray::newArray(n);
    pendingSound = IntArray::newArray(n);
    currentSound = IntArray::newArray(n);
    channelVolume = IntArray::newArray(n);
    for (int32_t i = 0; i < n; i++) {
        (*pendingSound)[i] = -1;
        (*currentSound)[i] = -1;
        (*channelVolume)[i] = 100;
    }
    vm_nonNull(owner)->mediaManager = this;
    return this;
}

int32_t MediaManagerImpl::clampChannel(int32_t channel) const
{
    if (channel > count - 1)
        channel = count - 1;
    return channel < 1 ? 0 : channel;
}

VMPtr<MediaManagerImpl::Player> MediaManagerImpl::playerOf(int32_t sound)
{
    return VMPtr<Player>(dynamic_cast<Player*>(players->get(sound).get()));
}

// ---- Sound manager ----

void MediaManagerImpl::update() {}

bool MediaManagerImpl::isLoaded(int32_t sound)
{
    return players->get(sound) != nullptr;
}

bool MediaManagerImpl::isSoundEnabled()
{
    VMPtr<TqCanvas> owner(canvas);
    owner->initDefaultSettings(false);
    return !closed && owner->soundSetting;
}

void MediaManagerImpl::stopChannel(int32_t channel)
{
    if (channel < 0) {
        for (int32_t j = 0; j < count; j++)
            stopChannel(j);
        return;
    }
    int32_t c = clampChannel(channel);
    (*pendingSound)[c] = -1;
    if ((*currentSound)[c] >= 0)
        stopSound((*currentSound)[c]);
}

int32_t MediaManagerImpl::setMediaTime(int32_t sound, int32_t time)
{
    if (!isLoaded(sound))
        return -1;
    if (time == 0)
        return 0;
    return isSoundPlaying(sound) ? -1 : 0;
}

int32_t MediaManagerImpl::getMediaTime(int32_t sound)
{
    return isSoundPlaying(sound) ? -1 : 0;
}

void MediaManagerImpl::setSoundEnabled(bool enabled)
{
    if (isSoundEnabled() == enabled)
        return;
    stopChannel(-1);
    VMPtr<TqCanvas> owner(canvas);
    owner->soundSetting = enabled;
    owner->initDefaultSettings(true);
}

void MediaManagerImpl::unloadSound(int32_t sound)
{
    if (sound == -1) {
        for (int32_t j = 0; j < count; j++)
            unloadSound(j);
        return;
    }
    if (!isLoaded(sound))
        return;
    for (int32_t c = 0; c < pendingSound->length; c++) {
        if ((*pendingSound)[c] == sound)
            (*pendingSound)[c] = -1;
    }
    closeSound(sound);
}

void MediaManagerImpl::loadSoundData(int32_t sound, VMPtr<ByteArray> data, int32_t type,
                                     int32_t loopCount, int32_t priority)
{
    VMSynchronized lock(this);
    if (closed)
        return;
    setSoundPriority(sound, type, loopCount, priority);
    // A null array fails inside the guarded creation like bad data.
    int32_t length = data == nullptr ? 0 : data->length;
    createSoundFromData(sound, data, 0, length, type, loopCount);
}

void MediaManagerImpl::loadSoundLocator(int32_t sound, int32_t prefixId, int32_t type,
                                        VMPtr<String> locator, int32_t loopCount, int32_t priority)
{
    VMSynchronized lock(this);
    if (closed)
        return;
    setSoundPriority(sound, type, loopCount, priority);
    VMPtr<String> text = getLocatorPrefix(prefixId);
    if (locator != nullptr && locator->length() > 0)
        text = java::lang::StringBuffer::newInstance()->init(text)->append(locator)->toString();
    quietly([&] {
        VMPtr<Player> player = javax::microedition::media::Manager::createPlayer(text);
        realizeSound(sound, player, loopCount);
    });
}

void MediaManagerImpl::loadSound(int32_t sound, int32_t resourceId, int32_t loopCount,
                                 int32_t priority)
{
    VMSynchronized lock(this);
    if (closed)
        return;
    VMPtr<ByteArray> data = Resources::getResourceData(resourceId);
    int32_t offset = Resources::getResourceOffset(resourceId);
    int32_t length = Resources::getEntryInt(resourceId);
    int32_t type = int8_t(Resources::getEntryByte(resourceId));
    setSoundPriority(sound, type, loopCount, priority);
    createSoundFromData(sound, data, offset, length, type, loopCount);
}

void MediaManagerImpl::createSoundFromData(int32_t sound, VMPtr<ByteArray> data, int32_t offset,
                                           int32_t length, int32_t type, int32_t loopCount)
{
    quietly([&] {
        VMPtr<Player> player =
            javax::microedition::media::Manager::createPlayer(data, offset, length, getMimeType(type));
        realizeSound(sound, player, loopCount);
    });
}

void MediaManagerImpl::realizeSound(int32_t sound, VMPtr<Player> player, int32_t loopCount)
{
    players->set(sound, player);
    player->realize();
    player->setLoopCount(loopCount);
}

void MediaManagerImpl::playSound(int32_t channel, int32_t sound)
{
    if (!isSoundEnabled() || !isLoaded(sound))
        return;
    int32_t c = clampChannel(channel);
    int32_t waiting = (*pendingSound)[c];
    if (waiting >= 0 && (*soundPriority)[waiting] > (*soundPriority)[sound])
        return;
    int32_t current = (*currentSound)[c];
    if (current >= 0 && isSoundPlaying(current) &&
        (*soundPriority)[current] > (*soundPriority)[sound])
        return;
    (*pendingSound)[c] = sound;
}

int32_t MediaManagerImpl::getChannelCount()
{
    return currentSound->length;
}

void MediaManagerImpl::setChannelVolume(int32_t channel, int32_t volume)
{
    if (channel == -1) {
        for (int32_t j = count - 1; j >= 0; j--)
            setChannelVolume(j, volume);
        return;
    }
    int32_t c = clampChannel(channel);
    volume = volume > 100 ? 100 : volume < 1 ? 0 : volume;
    (*channelVolume)[c] = volume;
    int32_t current = (*currentSound)[c];
    if (!closed && current >= 0 && isPlaying(current))
        applyVolume(current, c);
}

int32_t MediaManagerImpl::getChannelVolume(int32_t channel)
{
    return (*channelVolume)[clampChannel(channel)];
}

void MediaManagerImpl::close()
{
    VMSynchronized lock(this);
    if (closed)
        return;
    closed = true;
    unloadSound(-1);
}

int32_t MediaManagerImpl::getDuration(int32_t)
{
    return -1;
}

bool MediaManagerImpl::isSoundPlaying(int32_t sound)
{
    if (closed)
        return false;
    if (sound == -1) {
        for (int32_t j = 0; j < count; j++) {
            if (isSoundPlaying(j))
                return true;
        }
        return false;
    }
    return isLoaded(sound) && isPlaying(sound);
}

// ---- Frame tick ----

void MediaManagerImpl::run()
{
    VMSynchronized lock(this);
    if (!isSoundEnabled())
        return;
    for (int32_t i = 0; i < getChannelCount(); i++) {
        int32_t s = (*pendingSound)[i];
        if (s < 0)
            continue;
        stopChannel(i);
        applyVolume(s, i);
        playFromStart(s);
        (*currentSound)[i] = s;
    }
}

// ---- Players ----

int32_t MediaManagerImpl::getChannelState(int32_t channel)
{
    int32_t current = (*currentSound)[clampChannel(channel)];
    return !closed && current >= 0 && getSoundState(current) == 1 ? 1 : 2;
}

int32_t MediaManagerImpl::getSoundState(int32_t sound)
{
    if (closed || !isLoaded(sound))
        return 0;
    VMPtr<Player> player = playerOf(sound);
    if (player == nullptr)
        return 0;
    switch (player->getState()) {
    case Player::CLOSED:
        return 2;
    case Player::UNREALIZED:
        return 6;
    case Player::REALIZED:
        return 4;
    case Player::PREFETCHED:
        return 3;
    case Player::STARTED:
        return 1;
    default:
        return 0;
    }
}

bool MediaManagerImpl::isPlaying(int32_t sound)
{
    VMPtr<Player> player = playerOf(sound);
    return player != nullptr && player->getState() == Player::STARTED;
}

void MediaManagerImpl::playFromStart(int32_t sound)
{
    quietly([&] {
        VMPtr<Player> player = playerOf(sound);
        vm_nonNull(player)->setMediaTime(0);
        player->start();
    });
}

void MediaManagerImpl::stopSound(int32_t sound)
{
    quietly([&] {
        VMPtr<Player> player = playerOf(sound);
        if (player != nullptr)
            player->stop();
    });
}

void MediaManagerImpl::closeSound(int32_t sound)
{
    // A player that fails to close is dropped all the same.
    quietly([&] { vm_nonNull(playerOf(sound))->close(); });
    players->set(sound, nullptr);
}

void MediaManagerImpl::applyVolume(int32_t sound, int32_t channel)
{
    quietly([&] {
        VMPtr<Player> player = playerOf(sound);
        if (player == nullptr)
            return;
        VMPtr<Player::ControlArray> controls = player->getControls();
        for (int32_t i = controls->length - 1; i >= 0; i--) {
            VolumeControl* volume = dynamic_cast<VolumeControl*>(controls->get(i).get());
            if (volume != nullptr) {
                VMPtr<VolumeControl> control(volume);
                control->setLevel(((*channelVolume)[channel] * masterVolume) >> 10);
                return;
            }
        }
    });
}

void MediaManagerImpl::setSoundPriority(int32_t sound, int32_t, int32_t, int32_t priority)
{
    (*soundPriority)[sound] = priority;
}

VMPtr<String> MediaManagerImpl::getMimeType(int32_t type)
{
    return type == 1 ? _VM_literal("audio/x-wav") : _VM_literal("audio/midi");
}

VMPtr<String> MediaManagerImpl::getLocatorPrefix(int32_t)
{
    return _VM_literal("");
}

// ---- No video ----

int32_t MediaManagerImpl::getVideoWidth(int32_t)
{
    return -1;
}

int32_t MediaManagerImpl::getVideoHeight(int32_t)
{
    return -1;
}

int32_t MediaManagerImpl::loadVideo(int32_t)
{
    return -1;
}

int32_t MediaManagerImpl::getVideoX(int32_t)
{
    return 0;
}

int32_t MediaManagerImpl::getVideoY(int32_t)
{
    return 0;
}

VMPtr<VMArray<int8_t, 1>> MediaManagerImpl::getVideoSnapshot(int32_t)
{
    return VMArray<int8_t, 1>::newArray(0);
}

int32_t MediaManagerImpl::getVideoState(int32_t)
{
    return -1;
}

int32_t MediaManagerImpl::setVideoVisible(int32_t channel)
{
    return clampChannel(channel);
}

int32_t MediaManagerImpl::isVideoVisible(int32_t)
{
    return 0;
}

int32_t MediaManagerImpl::getVideoDuration(int32_t)
{
    return -1;
}

int32_t MediaManagerImpl::playVideo(int32_t channel)
{
    return clampChannel(channel);
}

void MediaManagerImpl::stopVideo(int32_t) {}

int32_t MediaManagerImpl::closeVideo(int32_t channel)
{
    return clampChannel(channel);
}

} // namespace tq
