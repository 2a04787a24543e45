#include "com/tarquel/velto/media/Player.h"

#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IllegalStateException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/Runtime.h"
#include "javax/microedition/media/Manager.h"
#include "javax/microedition/media/MediaException.h"
#include "vm/VMBoot.h"
#include "vm/VMStringLiterals.h"

namespace com::tarquel::velto::media {

using javax::microedition::media::Manager;
using javax::microedition::media::MediaException;
using java::lang::IllegalStateException;
using java::lang::String;

namespace {

[[noreturn]] void throwState(const char* message)
{
    vm_throwNew<IllegalStateException>(_VM_literal(message));
}

[[noreturn]] void throwMedia(const char* message)
{
    vm_throwNew<MediaException>(_VM_literal(message));
}

// Result 1 of a platform call: the platform lacks the operation.
void checkImplemented(int32_t result, const char* message)
{
    if (result == 1)
        _VM_fatalError(message);
}

// With no platform player: throws for a closed player; an unrealized one
// answers false (nothing to do). True when there is a platform player.
bool hasPlatformPlayer(const Player& player, const char* closedMessage)
{
    if (player.halPlayer)
        return true;
    if (player.wasRealized)
        throwState(closedMessage);
    return false;
}

// As hasPlatformPlayer, but an unrealized player throws too.
void requirePlatformPlayer(const Player& player, const char* closedMessage, const char* unrealizedMessage)
{
    if (!hasPlatformPlayer(player, closedMessage))
        throwState(unrealizedMessage);
}

int32_t clampLevel(int32_t level)
{
    return level < 0 ? 0 : level > 100 ? 100 : level;
}

// Until a level is known, the platform's volume (100 when it cannot say)
// becomes it, so that an unmute has a level to go back to.
void learnLevel(Player& player)
{
    if (player.level != -1 || !player.halPlayer)
        return;
    int32_t platform = 0;
    player.level = HAL_getPlayerVolume(&platform, player.halPlayer) == 0 ? clampLevel(platform) : 100;
}

} // namespace

// ---- Initialisers ---------------------------------------------------------

VMPtr<Player> Player::init(VMPtr<String> locatorText)
{
    loopCount = 1;
    protocol = Manager::locatorProtocolCode(locatorText);
    locator = Manager::locatorRemainder(locatorText);
    if (HAL_isProtocolSupported(protocol) == 0)
        vm_throwNew<MediaException>();
    return this;
}

VMPtr<Player> Player::init(VMPtr<ByteArray> bytes, int32_t offset, int32_t length, VMPtr<String> type)
{
    loopCount = 1;
    if (bytes == nullptr)
        vm_throwNew<java::lang::NullPointerException>();
    if (offset < 0 || offset >= bytes->length || length < 0 || length > bytes->length - offset)
        vm_throwNew<java::lang::ArrayIndexOutOfBoundsException>();
    int32_t code = Manager::contentTypeCode(type);
    if (code != 1 && HAL_isContentTypeSupported(code) == 0)
        vm_throwNew<MediaException>();
    data = bytes;
    dataOffset = offset;
    dataLength = length;
    contentType = type;
    return this;
}

Player::~Player()
{
    // Platform resources only: the fields may already be swept.
    if (halPlayer)
        HAL_closePlayer(halPlayer);
}

// ---- VolumeControl ----------------------------------------------------------

int32_t Player::applyVolume(int32_t v)
{
    if (!halPlayer || !wasRealized)
        return v;
    int32_t result = HAL_setPlayerVolume(halPlayer, v);
    if (result != 0 && result != 1)
        _VM_fatalError("HAL_setPlayerVolume() failed in setVolume()!");
    int32_t platform = 0;
    result = HAL_getPlayerVolume(&platform, halPlayer);
    if (result == 0)
        return platform;
    if (result == 1)
        return v;
    _VM_fatalError("HAL_getPlayerVolume() failed in setVolume()!");
}

void Player::setMute(bool mute)
{
    if (mute == muted)
        return;
    if (mute) {
        learnLevel(*this);
        applyVolume(0);
        muted = true;
    } else {
        level = applyVolume(level);
        muted = false;
    }
}

bool Player::isMuted()
{
    return muted;
}

int32_t Player::setLevel(int32_t l)
{
    l = clampLevel(l);
    if (!muted)
        level = applyVolume(l);
    return level;
}

int32_t Player::getLevel()
{
    return level;
}

// ---- Life cycle -------------------------------------------------------------

void Player::realize()
{
    if (halPlayer)
        return;
    if (wasRealized)
        throwState("Attempting to realize closed player");
    int32_t platformLoops = loopCount > 0 ? loopCount - 1 : -1;
    HALPlayer* created = nullptr;
    int32_t result;
    if (data != nullptr) {
        result = HAL_createPlayerWithData(&created, data->elements() + dataOffset, dataLength,
                                          Manager::contentTypeCode(contentType), platformLoops);
    } else {
        result = HAL_createPlayerWithLocator(&created, protocol, locator->chars(), locator->length(), 1,
                                             platformLoops);
    }
    checkImplemented(result, "Unable to realize with input type: method not implemented");
    if (result != 0)
        throwMedia("Unable to realize player");
    halPlayer = created;
    wasRealized = true;
    data = nullptr;
    locator = nullptr;
    // A level or mute chosen before realize reaches the new platform player.
    if (muted) {
        learnLevel(*this);
        applyVolume(0);
    } else if (level >= 0) {
        level = applyVolume(level);
    }
    java::lang::Runtime::getRuntime()->gc();
}

void Player::prefetch()
{
    if (!hasPlatformPlayer(*this, "Attempting to prefetch closed player"))
        return;
    int32_t result = HAL_prefetchPlayer(halPlayer);
    checkImplemented(result, "Unable to prefetch player: method not implemented");
    if (result != 0)
        throwMedia("Unable to prefetch player");
    learnLevel(*this);
}

void Player::start()
{
    if (!hasPlatformPlayer(*this, "Attempting to start closed player"))
        return;
    int32_t result = HAL_startPlayer(halPlayer);
    checkImplemented(result, "Unable to start player: method not implemented");
    if (result != 0)
        throwMedia("Unable to start player");
}

void Player::stop()
{
    if (!hasPlatformPlayer(*this, "Attempting to stop closed player"))
        return;
    int32_t result = HAL_stopPlayer(halPlayer);
    checkImplemented(result, "Unable to stop player: method not implemented");
    if (result != 0)
        throwMedia("Unable to stop player");
}

void Player::deallocate()
{
    if (!hasPlatformPlayer(*this, "Attempting to deallocate closed player"))
        return;
    int32_t result = HAL_deallocatePlayer(halPlayer);
    checkImplemented(result, "Unable to deallocate player: method not implemented");
    if (result != 0)
        _VM_fatalError("Unable to deallocate player!");
}

void Player::close()
{
    if (!halPlayer)
        return;
    int32_t result = HAL_closePlayer(halPlayer);
    checkImplemented(result, "Unable to close player: method not implemented");
    if (result == 0)
        halPlayer = nullptr;
}

void Player::setTimeBase(VMPtr<TimeBase>)
{
    _VM_fatalError("Player.setTimeBase is not implemented");
}

VMPtr<Player::TimeBase> Player::getTimeBase()
{
    _VM_fatalError("Player.getTimeBase is not implemented");
}

// ---- Time, state and type ---------------------------------------------------

int64_t Player::setMediaTime(int64_t now)
{
    requirePlatformPlayer(*this, "Attempting to call setMediaTime on a closed player",
                          "Attempting to call setMediaTime on an unrealized player");
    int32_t result = HAL_setPlayerMediaTime(halPlayer, now < 0 ? 0 : now);
    checkImplemented(result, "Unable to set the player time: method not implemented");
    if (result != 0)
        throwMedia("Unable to set the media time for the player");
    return getMediaTime();
}

int64_t Player::getMediaTime()
{
    if (!hasPlatformPlayer(*this, "Attempting to get the media time of a closed player"))
        return -11;
    int64_t time = 0;
    int32_t result = HAL_getPlayerMediaTime(&time, halPlayer);
    checkImplemented(result, "Unable to get the media time: method not implemented");
    if (result != 0)
        _VM_fatalError("Unable to get the media time!");
    return time;
}

int64_t Player::getDuration()
{
    if (!hasPlatformPlayer(*this, "Attempting to get the duration of a closed player"))
        return -11;
    int64_t milliseconds = 0;
    int32_t result = HAL_getPlayerDuration(&milliseconds, halPlayer);
    checkImplemented(result, "Unable to get the player duration: method not implemented");
    if (result != 0)
        _VM_fatalError("Unable to get the player duration!");
    // The platform answers milliseconds; media times are microseconds.
    return milliseconds * 1000;
}

int32_t Player::getState()
{
    if (!halPlayer)
        return wasRealized ? CLOSED : UNREALIZED;
    int32_t state = 0;
    int32_t result = HAL_getPlayerState(&state, halPlayer);
    checkImplemented(result, "Unable to get the player state: method not implemented");
    if (result != 0)
        _VM_fatalError("Unable to get the player state!");
    switch (state) {
    case 0:
        return REALIZED;
    case 1:
        return PREFETCHED;
    case 2:
        return STARTED;
    default:
        return state;
    }
}

VMPtr<String> Player::getContentType()
{
    requirePlatformPlayer(*this, "Player.getContentType called on a closed player",
                          "Player.getContentType called on an unrealized player");
    if (contentType != nullptr)
        return contentType;
    int32_t code = 0;
    if (HAL_getPlayerContentType(&code, halPlayer) != 0)
        _VM_fatalError("Unable to get the content type!");
    return Manager::contentTypeOf(code);
}

void Player::setLoopCount(int32_t count)
{
    if (count == 0)
        vm_throwNew<java::lang::IllegalArgumentException>(
            _VM_literal("Player.setLoopCount with an invalid count."));
    bool realized = hasPlatformPlayer(*this, "Player.setLoopCount called on a closed player");
    loopCount = count;
    if (!realized)
        return;
    int32_t result = HAL_setPlayerLoopCount(halPlayer, count > 0 ? count - 1 : -1);
    checkImplemented(result, "Unable to set the loop count for a realize player: method not implemented");
    if (result != 0)
        _VM_fatalError("Unable to set the loop count for a realize player!");
}

void Player::addPlayerListener(VMPtr<PlayerListener>) {}

void Player::removePlayerListener(VMPtr<PlayerListener>) {}

// ---- Controls -----------------------------------------------------------------

VMPtr<Player::Control> Player::getControl(VMPtr<String> controlType)
{
    if (controlType == nullptr)
        vm_throwNew<java::lang::IllegalArgumentException>(
            _VM_literal("Invalid control type passed to Player.getControl"));
    requirePlatformPlayer(*this, "Attempting to get controls for a closed player",
                          "Attempting to get controls for an unrealized player");
    const char* volumeControl = "javax.microedition.media.control.VolumeControl";
    bool named = controlType->indexOf('.') < 0
                     ? controlType->equalsCString("VolumeControl")
                     : controlType->equalsCString(volumeControl);
    return named ? VMPtr<Control>(static_cast<Control*>(this)) : VMPtr<Control>();
}

VMPtr<Player::ControlArray> Player::getControls()
{
    requirePlatformPlayer(*this, "Attempting to get controls for a closed player",
                          "Attempting to get controls for an unrealized player");
    VMPtr<ControlArray> controls = ControlArray::newArray(1);
    controls->set(0, VMPtr<Control>(static_cast<Control*>(this)));
    return controls;
}

} // namespace com::tarquel::velto::media

VM_REGISTER_CLASS_NO_CREATOR(com::tarquel::velto::media::Player, "com.tarquel.velto.media.Player",
                             "java.lang.Object", "target/winmo/pb_src/j2me/com_tarquel_velto_media_Player",
                             nullptr);
VM_IMPLEMENTS(com::tarquel::velto::media::Player, "javax.microedition.media.Player");
VM_IMPLEMENTS(com::tarquel::velto::media::Player, "javax.microedition.media.control.VolumeControl");
