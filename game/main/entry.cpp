// The program's entry: hands the runtime's six callbacks to the platform
// layer and runs it. Start-up boots the runtime with the application
// manager, which loads the MIDlet declared in the application properties.

#include "hal/hal.h"
#include "vm/VMBoot.h"
#include "wince/loader.h"
#include "wince/user.h"

// The table in the platform's order: initialise, application event, leave
// the VM, enter the VM, collect, shut down. The previous instance and the
// command line are not used; the result is the process's exit code.
int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand)
{
    HALCallbacks table{};
    _VM_fillCallbacks(&table);
    HAL_setCallbacks(&table);
    return HAL_main(instance, showCommand);
}

int main()
{
    return WinMain(GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOWNORMAL);
}
