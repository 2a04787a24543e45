#include "javax/microedition/lcdui/Command.h"

#include "hal/device.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "vm/VMBoot.h"

namespace javax::microedition::lcdui {

using java::lang::String;

VMPtr<Command> Command::init(VMPtr<String> shortLabel, int32_t type, int32_t commandPriority)
{
    return init(shortLabel, nullptr, type, commandPriority);
}

VMPtr<Command> Command::init(VMPtr<String> shortLabel, VMPtr<String> fullLabel, int32_t type,
                             int32_t commandPriority)
{
    Object::init();
    if (type < SCREEN || type > ITEM)
        vm_throwNew<java::lang::IllegalArgumentException>();
    commandType = type;
    priority = commandPriority;
    vm_nonNull(shortLabel);
    label = shortLabel;
    longLabel = fullLabel;
    // An empty label has no character storage; the platform wants an address.
    static const char16_t kNoCharacters[1] = {0};
    const char16_t* characters = shortLabel->length() > 0 ? shortLabel->chars() : kNoCharacters;
    if (HAL_createCommand(&platformCommand, characters, shortLabel->length(), type, priority) != 0)
        _VM_fatalError("HAL_createCommand() failed.");
    return VMPtr<Command>(this);
}

Command::~Command()
{
    if (platformCommand)
        HAL_deleteCommand(platformCommand);
}

VMPtr<String> Command::getLabel()
{
    return label;
}

VMPtr<String> Command::getLongLabel()
{
    return longLabel;
}

int32_t Command::getCommandType()
{
    return commandType;
}

int32_t Command::getPriority()
{
    return priority;
}

} // namespace javax::microedition::lcdui

VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::lcdui::Command, "javax.microedition.lcdui.Command",
                             "java.lang.Object",
                             "target/winmo/pb_src/j2me/javax_microedition_lcdui_Command", nullptr);
