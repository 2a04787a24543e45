#pragma once
// javax.microedition.media.Manager: the player factory and the code tables of
// content types and locator protocols that cross to the platform layer.

#include <cstdint>

#include "java/lang/Object.h"
#include "java/lang/String.h"
#include "javax/microedition/media/Player.h"

namespace javax::microedition::media {

class Manager : public virtual java::lang::Object {
    VM_CLASS(Manager, java::lang::Object)

    using ByteArray = java::lang::String::ByteArray;

    VM_STATIC(java::lang::String, MIDI_DEVICE_LOCATOR);
    VM_STATIC(java::lang::String, TONE_DEVICE_LOCATOR);
    static void clinit();

    // A player of the file ("file://...") or resource ("x-jar:...") named by
    // the locator. Null: IllegalArgumentException; another protocol:
    // MediaException.
    static VMPtr<Player> createPlayer(VMPtr<java::lang::String> locator);
    // A player of length bytes of data from offset; type null means WAV.
    // NullPointerException, ArrayIndexOutOfBoundsException or MediaException
    // (a type the platform cannot play from bytes), all without message.
    static VMPtr<Player> createPlayer(VMPtr<ByteArray> data, int32_t offset, int32_t length,
                                      VMPtr<java::lang::String> type);

    // Content-type codes: 1 null, 2 "audio/x-wav", 3 "audio/x-caf", 4
    // "audio/mpeg", 5 "audio/aac", 6 "audio/midi", 7 "audio/mp4", 8
    // "audio/x-ms-wma", 11 "audio/vnd.qcelp", 0 anything else.
    static int32_t contentTypeCode(VMPtr<java::lang::String> type);
    // The string of a code; null for 0, 1 and codes outside the table.
    static VMPtr<java::lang::String> contentTypeOf(int32_t code);
    // Protocol codes: 1 null, 2 "device", 3 "http", 4 "file", 5 "x-jar", 0
    // anything else.
    static int32_t protocolCode(VMPtr<java::lang::String> protocol);
    // The code of the text before the locator's first ':' (0 without one).
    static int32_t locatorProtocolCode(VMPtr<java::lang::String> locator);
    // The text after the first ':'; null without one.
    static VMPtr<java::lang::String> locatorRemainder(VMPtr<java::lang::String> locator);
};

} // namespace javax::microedition::media
