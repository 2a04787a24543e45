#include "javax/microedition/media/Manager.h"

#include "com/tarquel/velto/media/Player.h"
#include "java/lang/IllegalArgumentException.h"
#include "vm/VMStringLiterals.h"

namespace javax::microedition::media {

namespace {

struct Named {
    int32_t code;
    const char* text;
};

// In the order the strings are compared.
constexpr Named kContentTypes[] = {
    {6, "audio/midi"}, {2, "audio/x-wav"}, {4, "audio/mpeg"},     {5, "audio/aac"},
    {3, "audio/x-caf"}, {7, "audio/mp4"},  {8, "audio/x-ms-wma"}, {11, "audio/vnd.qcelp"},
};

constexpr Named kProtocols[] = {{2, "device"}, {3, "http"}, {4, "file"}, {5, "x-jar"}};

} // namespace

void Manager::clinit()
{
    MIDI_DEVICE_LOCATOR = _VM_literal("device://midi");
    TONE_DEVICE_LOCATOR = _VM_literal("device://tone");
}

VMPtr<Player> Manager::createPlayer(VMPtr<java::lang::String> locator)
{
    _VM_clinit();
    if (locator == nullptr)
        vm_throwNew<java::lang::IllegalArgumentException>(
            _VM_literal("Manager.createPlayer passed null locator"));
    VMPtr<com::tarquel::velto::media::Player> player =
        com::tarquel::velto::media::Player::newInstance()->init(locator);
    return VMPtr<Player>(player);
}

VMPtr<Player> Manager::createPlayer(VMPtr<ByteArray> data, int32_t offset, int32_t length,
                                    VMPtr<java::lang::String> type)
{
    _VM_clinit();
    VMPtr<com::tarquel::velto::media::Player> player =
        com::tarquel::velto::media::Player::newInstance()->init(data, offset, length, type);
    return VMPtr<Player>(player);
}

int32_t Manager::contentTypeCode(VMPtr<java::lang::String> type)
{
    if (type == nullptr)
        return 1;
    for (const Named& t : kContentTypes) {
        if (type->equalsCString(t.text))
            return t.code;
    }
    return 0;
}

VMPtr<java::lang::String> Manager::contentTypeOf(int32_t code)
{
    for (const Named& t : kContentTypes) {
        if (t.code == code)
            return _VM_literal(t.text);
    }
    return nullptr;
}

int32_t Manager::protocolCode(VMPtr<java::lang::String> protocol)
{
    if (protocol == nullptr)
        return 1;
    for (const Named& p : kProtocols) {
        if (protocol->equalsCString(p.text))
            return p.code;
    }
    return 0;
}

int32_t Manager::locatorProtocolCode(VMPtr<java::lang::String> locator)
{
    int32_t colon = locator == nullptr ? -1 : locator->indexOf(':');
    return colon < 0 ? 0 : protocolCode(locator->substring(0, colon));
}

VMPtr<java::lang::String> Manager::locatorRemainder(VMPtr<java::lang::String> locator)
{
    int32_t colon = locator == nullptr ? -1 : locator->indexOf(':');
    return colon < 0 ? VMPtr<java::lang::String>() : locator->substring(colon + 1);
}

} // namespace javax::microedition::media

VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::media::Manager, "javax.microedition.media.Manager",
                             "java.lang.Object",
                             "target/winmo/pb_src/j2me/javax_microedition_media_Manager",
                             &javax::microedition::media::Manager::clinit);
