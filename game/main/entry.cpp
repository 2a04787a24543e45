// The program's entry: hands the runtime's callbacks to the platform layer
// and runs it. Start-up boots the runtime with the application manager,
// which loads the MIDlet declared in the application properties.

#include "hal/hal.h"
#include "vm/VMBoot.h"
#include "wince/loader.h"
#include "wince/user.h"

int main()
{
    HALCallbacks table{};
    _VM_fillCallbacks(&table);
    HAL_setCallbacks(&table);
    return HAL_main(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
}
