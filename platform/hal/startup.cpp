// The platform's main line: start-up in its fixed order, the boot of the
// runtime, shutdown, and the exit path.

#include <atomic>
#include <string>

#include "hal/HALString.h"
#include "hal/HALThread.h"
#include "hal/callbacks.h"
#include "hal/device.h"
#include "hal/fatal.h"
#include "hal/font.h"
#include "hal/HALGraphics.h"
#include "hal/memory.h"
#include "hal/properties.h"
#include "hal/startup.h"
#include "hal/status.h"
#include "hal/window.h"
#include "wince/mutex.h"
#include "wince/ole.h"
#include "wince/shell.h"

namespace {

constexpr const char16_t* kDefaultName = u"_TQ_set_your_MIDlet-Name";
constexpr const char* kBootClass = "com.tarquel.velto.AMS";
constexpr UINT kExitMessage = WM_USER + 1;  // 1025

std::atomic<uint32_t> g_uiThreadId{0};
std::atomic<bool> g_shuttingDown{false};
HANDLE g_instanceMutex = nullptr;
HALString* g_pendingUrl = nullptr;
HALThread* g_mainThread = nullptr;
bool g_comStarted = false;

// The "MIDlet-Name" application property, or the default name.
std::u16string applicationName()
{
    static constexpr char16_t kKey[] = u"MIDlet-Name";
    constexpr int32_t keyLength = sizeof(kKey) / sizeof(kKey[0]) - 1;
    int32_t length = HAL_getApplicationPropertyLength(kKey, keyLength);
    if (length <= 0) {
        return kDefaultName;
    }
    std::u16string name(static_cast<size_t>(length), u'\0');
    if (HAL_getApplicationProperty(kKey, keyLength, name.data(), &length) != 0 || length <= 0) {
        return kDefaultName;
    }
    name.resize(static_cast<size_t>(length));
    return name;
}

// True when another instance holds the name; its window comes to the front.
bool anotherInstanceRuns(const std::u16string& name)
{
    std::u16string mutexName = u"Local\\" + name;
    g_instanceMutex = CreateMutexW(nullptr, FALSE, mutexName.c_str());
    if (!g_instanceMutex || GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;  // a mutex that cannot be made does not stop the program
    }
    CloseHandle(g_instanceMutex);
    g_instanceMutex = nullptr;
    if (HWND other = FindWindowW(name.c_str(), nullptr)) {
        SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(other) | 1));
        if (IsWindowEnabled(other)) {
            ShowWindow(other, SW_SHOW);
        }
    }
    return true;
}

// Boots the runtime with 10% and 90% of the smaller free memory figure.
void boot()
{
    HAL_lockVM();
    MEMORYSTATUS status{};
    status.dwLength = sizeof(status);
    GlobalMemoryStatus(&status);
    uint32_t memory = std::min(status.dwAvailPhys, status.dwAvailVirtual);
    uint32_t initial = memory / 10;
    int32_t result = HAL_callbacks().init(initial, memory - initial, HAL_getCurrentThread(),
                                          kBootClass, 0);
    switch (result) {
    case HAL_BOOT_OK:
        HAL_callbacks().gc();
        HAL_unlockVM();
        return;
    case HAL_BOOT_INITIALIZATION_FAILED:
        HAL_fatalError("init() failed with CALLBACK_INITIALIZATION_FAILED error (probably a bad "
                       "boot class name).");
    case HAL_BOOT_UNCAUGHT_EXCEPTION:
        HAL_fatalError("init() failed with CALLBACK_UNCAUGHT_EXCEPTION.");
    default:
        HAL_fatalError("init() failed with an unknown error!");
    }
}

// Gives back what start-up made, in shutdown's order; also what a start-up
// that fails part way had made.
void releaseStartupResources()
{
    HAL_stopPowerThread();
    if (g_mainThread) {
        HAL_deleteThread(g_mainThread);
        g_mainThread = nullptr;
    }
    if (g_comStarted) {
        CoUninitialize();
        g_comStarted = false;
    }
    if (g_instanceMutex) {
        CloseHandle(g_instanceMutex);
        g_instanceMutex = nullptr;
    }
    HAL_releaseTextSurface();
    HAL_releaseFontCache();
    HAL_destroyMainWindow();
    HAL_freeProperties();
    HAL_releaseReserve();
}

}  // namespace

int HAL_main(void* instance, int showCommand)
{
    if (!HAL_init(instance, showCommand)) {
        return 1;
    }
    int result = HAL_runMessageLoop();
    HAL_shutdown();
    return result;
}

bool HAL_init(void* instance, int showCommand)
{
    g_uiThreadId = GetCurrentThreadId();
    g_shuttingDown = false;
    HAL_resetActivity();
    HAL_resetClock();
    HAL_reserveMemory();
    HAL_loadProperties();
    HAL_loadOrientationTable();
    HAL_createFontCache();
    std::u16string name = applicationName();
    if (anotherInstanceRuns(name)) {
        releaseStartupResources();
        return false;
    }
    if (!HAL_createMainWindow(instance, name.c_str())) {
        releaseStartupResources();
        return false;
    }
    ShowWindow(HAL_getMainWindow(), showCommand);
    g_comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    if (HAL_createMainThread(&g_mainThread) != 0) {
        releaseStartupResources();
        return false;
    }
    if (!HAL_startPowerThread()) {
        releaseStartupResources();
        return false;
    }
    if (HAL_probeSamsungSdk() && HAL_isOpticalMouseAvailable()) {
        HAL_setOpticalMouse(true);
        HAL_setOpticalMouseMode(1);
    }
    HAL_probeHtcSensor();
    boot();
    return true;
}

void HAL_shutdown()
{
    if (g_pendingUrl) {
        if (g_pendingUrl->length() > 0) {
            SHELLEXECUTEINFO info{};
            info.cbSize = sizeof(info);
            info.lpFile = u"iexplore.exe";
            info.lpParameters = g_pendingUrl->characters();
            info.nShow = SW_SHOWNORMAL;
            ShellExecuteEx(&info);
        }
        g_pendingUrl->release();
        g_pendingUrl = nullptr;
    }
    HAL_resetIdleTimer(0);
    HAL_releaseDataConnection();
    HAL_closeRegistryNotices();
    HAL_closeHtcSensor();
    releaseStartupResources();
}

uint32_t HAL_getUIThreadId()
{
    return g_uiThreadId;
}

void HAL_postEvent(int32_t type, int32_t count, const intptr_t* data, bool takeLock)
{
    if (g_shuttingDown) {
        return;
    }
    if (takeLock) {
        HAL_enterVM();
    }
    HAL_callbacks().event(type, count, data);
    if (takeLock) {
        HAL_unlockVM();
    }
}

void HAL_requestExit()
{
    g_shuttingDown = true;
    HAL_enterVM();
    HAL_callbacks().event(HAL_EVENT_EXIT, 0, nullptr);
    HAL_callbacks().shutdown();
    HAL_unlockVM();
}

void HAL_postExit()
{
    PostMessageW(HAL_getMainWindow(), kExitMessage, 0, 0);
}

int32_t HAL_openURL(const char16_t* url, int32_t length, uint8_t* mustExit)
{
    HALString* copy = url && length > 0 ? HALString::make(url, length) : HALString::make(url);
    if (g_pendingUrl) {
        g_pendingUrl->release();
    }
    g_pendingUrl = copy;
    if (mustExit) {
        *mustExit = 1;
    }
    return 0;
}
