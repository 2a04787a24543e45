// The platform side of MIDP commands: a label, a type and a priority.

#include "hal/HALString.h"
#include "hal/device.h"
#include "hal/memory.h"

int32_t HAL_createCommand(HALCommand** out, const char16_t* label, int32_t length, int32_t type,
                          int32_t priority)
{
    if (!out || !label) {
        return 2;
    }
    *out = nullptr;
    auto* command = static_cast<HALCommand*>(HAL_malloc(sizeof(HALCommand)));
    if (!command) {
        return 2;
    }
    command->label = HALString::make(label, length);
    if (!command->label) {
        HAL_free(command);
        return 2;
    }
    command->type = type;
    command->priority = priority;
    *out = command;
    return 0;
}

int32_t HAL_deleteCommand(HALCommand* command)
{
    if (!command) {
        return 2;
    }
    if (command->label) {
        command->label->release();
    }
    HAL_free(command);
    return 0;
}
