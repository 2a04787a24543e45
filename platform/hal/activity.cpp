// The application's activity: active while the window is active and the
// power is on. Changes reach the runtime as events 1 and 2.

#include "hal/audio.h"
#include "hal/callbacks.h"
#include "hal/device.h"
#include "hal/startup.h"
#include "hal/status.h"

namespace {

bool g_applicationActive = true;
bool g_windowActive = true;
bool g_powerOn = true;
bool g_opticalMouse = false;

void evaluate()
{
    bool active = g_windowActive && g_powerOn;
    if (active == g_applicationActive) {
        return;
    }
    g_applicationActive = active;
    if (!active) {
        HAL_pauseAllPlayers();
    }
    HAL_postEvent(active ? HAL_EVENT_ACTIVE : HAL_EVENT_INACTIVE, 0, nullptr, true);
}

}  // namespace

void HAL_resetActivity()
{
    g_applicationActive = true;
    g_windowActive = true;
    g_powerOn = true;
    g_opticalMouse = false;
}

void HAL_setOpticalMouse(bool present)
{
    g_opticalMouse = present;
}

void HAL_setWindowActive(bool active)
{
    if (active == g_windowActive) {
        return;
    }
    g_windowActive = active;
    if (active && g_opticalMouse) {
        HAL_setOpticalMouseMode(1);
    }
    evaluate();
}

void HAL_setPowerOn(bool on)
{
    if (on == g_powerOn) {
        return;
    }
    g_powerOn = on;
    evaluate();
}

bool HAL_isApplicationActive()
{
    return g_applicationActive;
}
