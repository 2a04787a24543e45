#pragma once
// javax.microedition.lcdui.Command: a labelled action a displayable offers.
// Each command owns a platform command, whose handle names it in the
// platform's command events.

#include <cstdint>

#include "java/lang/String.h"

struct HALCommand;

namespace javax::microedition::lcdui {

class Command : public virtual java::lang::Object {
    VM_CLASS(Command, java::lang::Object)

    enum Type : int32_t { SCREEN = 1, BACK = 2, CANCEL = 3, OK = 4, HELP = 5, STOP = 6, EXIT = 7, ITEM = 8 };

    // A type outside 1..8 throws IllegalArgumentException, a null label
    // NullPointerException.
    VMPtr<Command> init(VMPtr<java::lang::String> label, int32_t commandType, int32_t priority);
    VMPtr<Command> init(VMPtr<java::lang::String> shortLabel, VMPtr<java::lang::String> longLabel,
                        int32_t commandType, int32_t priority);
    // Deletes the platform command (a platform resource only).
    ~Command() override;

    virtual VMPtr<java::lang::String> getLabel();
    virtual VMPtr<java::lang::String> getLongLabel();
    virtual int32_t getCommandType();
    virtual int32_t getPriority();

    VMField<java::lang::String> label;
    VMField<java::lang::String> longLabel;
    int32_t commandType;
    int32_t priority;
    HALCommand* platformCommand;

    VM_FIELDS(label, longLabel)
};

} // namespace javax::microedition::lcdui
