// The canvas's user settings (sound and the two vibration switches, on until
// the game turns them off), device calls, logging entry points and its text
// table.
#include "tq/TqCanvas.h"

#include "java/lang/Exception.h"
#include "java/lang/System.h"
#include "javax/microedition/io/PushRegistry.h"
#include "javax/microedition/lcdui/Display.h"
#include "tq/Resources.h"
#include "vm/VMSynchronized.h"

namespace tq {

using java::lang::String;

// ---- Settings ----

void TqCanvas::initDefaultSettings(bool)
{
    VMSynchronized lock(this);
    if (settingsInitialised)
        return;
    settingsInitialised = true;
    soundSetting = true;
    vibrationEnabled = true;
    alertVibrationEnabled = true;
}

void TqCanvas::setVibrationEnabled(bool enabled)
{
    initDefaultSettings(false);
    if (vibrationEnabled != enabled) {
        vibrationEnabled = enabled;
        initDefaultSettings(true);
    }
}

void TqCanvas::setAlertVibrationEnabled(bool enabled)
{
    initDefaultSettings(false);
    if (alertVibrationEnabled != enabled) {
        alertVibrationEnabled = enabled;
        initDefaultSettings(true);
    }
}

bool TqCanvas::isVibrationEnabled()
{
    initDefaultSettings(false);
    return vibrationEnabled;
}

bool TqCanvas::isAlertVibrationEnabled()
{
    initDefaultSettings(false);
    return alertVibrationEnabled;
}

// ---- Device calls ----

namespace {

void vibrateIf(const VMPtr<javax::microedition::midlet::MIDlet>& midlet, bool on, int32_t ms)
{
    if (!on)
        return;
    try {
        javax::microedition::lcdui::Display::getDisplay(midlet);
        javax::microedition::lcdui::Display::vibrate(ms);
    } catch (java::lang::Exception* failure) {
        VMPtr<java::lang::Exception> keep(failure);
    }
}

} // namespace

void TqCanvas::vibrate(int32_t durationMs)
{
    initDefaultSettings(false);
    vibrateIf(VMPtr<MIDlet>(midlet), vibrationEnabled, durationMs);
}

void TqCanvas::vibrateAlert(int32_t durationMs)
{
    initDefaultSettings(false);
    vibrateIf(VMPtr<MIDlet>(midlet), alertVibrationEnabled, durationMs);
}

bool TqCanvas::setOrientation(int32_t orientation)
{
    bool supported = setPlatformOrientation(orientation);
    sleep(20);
    return supported;
}

bool TqCanvas::registerWakeUpAlarm(int32_t seconds)
{
    int64_t time = seconds < 1 ? 0 : java::lang::System::currentTimeMillis() + int32_t(seconds * 1000);
    try {
        javax::microedition::io::PushRegistry::registerAlarm(
            VMPtr<MIDlet>(midlet)->getClass()->getName(), time);
        return true;
    } catch (java::lang::Exception* failure) {
        VMPtr<java::lang::Exception> keep(failure);
        return false;
    }
}

// ---- Logging: nothing in this build ----

void TqCanvas::logInfo(int32_t level, VMPtr<String> message)
{
    logInfo(level, message, nullptr);
}

void TqCanvas::logInfo(int32_t, VMPtr<String>, VMPtr<java::lang::Throwable>) {}

void TqCanvas::logWarning(int32_t level, VMPtr<String> message)
{
    logWarning(level, message, nullptr);
}

void TqCanvas::logWarning(int32_t, VMPtr<String>, VMPtr<java::lang::Throwable>) {}

void TqCanvas::logError(int32_t level, VMPtr<String> message)
{
    logError(level, message, nullptr);
}

void TqCanvas::logError(int32_t, VMPtr<String>, VMPtr<java::lang::Throwable>) {}

void TqCanvas::logDetail(int32_t level, VMPtr<String> message, VMPtr<java::lang::Object> detail)
{
    logDetail(level, message, detail, nullptr);
}

void TqCanvas::logDetail(int32_t, VMPtr<String>, VMPtr<java::lang::Object>,
                         VMPtr<java::lang::Throwable>)
{
}

void TqCanvas::logTrace(int32_t level, VMPtr<String> message, VMPtr<java::lang::Object> detail)
{
    logTrace(level, message, detail, nullptr);
}

void TqCanvas::logTrace(int32_t, VMPtr<String>, VMPtr<java::lang::Object>,
                        VMPtr<java::lang::Throwable>)
{
}

// ---- Text table ----

void TqCanvas::loadTextTable(int32_t id)
{
    textCache = nullptr;
    textData = nullptr;
    textOffsets = nullptr;
    if (id == -1)
        return;
    // Read and checked whole before anything is kept.
    textCache = readTextTable(Resources::openResourceStream(id), Resources::getEntryInt(id));
}

void TqCanvas::decodeAllTexts()
{
    textCache = nullptr;
    if (textData == nullptr)
        return;
    VMPtr<CharArray> offsets(textOffsets);
    VMPtr<StringArray> cache = StringArray::newArray(offsets->length - 1);
    for (int32_t i = 0; i < cache->length; i++)
        cache->set(i, getText(i));
    textCache = cache;
    textData = nullptr;
    textOffsets = nullptr;
}

VMPtr<String> TqCanvas::getText(int32_t index)
{
    try {
        if (textCache != nullptr)
            return VMPtr<StringArray>(textCache)->get(index);
        return decodeText(VMPtr<ByteArray>(textData), VMPtr<CharArray>(textOffsets), index);
    } catch (java::lang::Exception* failure) {
        VMPtr<java::lang::Exception> keep(failure);
        return nullptr;
    }
}

} // namespace tq
