// The program's entry: hands the runtime's callbacks to the platform layer
// and runs it.

#include "hal/hal.h"
#include "wince/loader.h"
#include "wince/user.h"

int main()
{
    // The runtime's routines join the table as the runtime is built; until
    // then the empty slots take the platform's defaults, and the program
    // shows its window and runs until it is closed.
    HALCallbacks table{};
    HAL_setCallbacks(&table);
    return HAL_main(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
}
