// The optional device SDKs, loaded at run time: Samsung's optical mouse and
// wheel key, the connection manager, HTC's sensor library. A missing library
// or entry point leaves its feature off.

#include <cstring>

#include "hal/device.h"
#include "hal/thread.h"
#include "wince/loader.h"

namespace {

// ---- Samsung SDK ----------------------------------------------------------

struct SmiVersion {
    DWORD major;
    DWORD minor;
};
struct SmiOpticalMouseCapabilities {
    DWORD present;
    DWORD modes;
};

typedef DWORD (*SmiGetSdkVersion)(SmiVersion*);
typedef DWORD (*SmiOpticalMouseGetCapabilities)(SmiOpticalMouseCapabilities*, DWORD, DWORD);
typedef DWORD (*SmiOpticalMouseSetMode)(DWORD);
typedef BOOL (*SmiKeyMsgIsFromWheelKey)(DWORD, DWORD);

struct {
    bool probed = false;
    bool present = false;
    SmiGetSdkVersion getVersion = nullptr;
    SmiOpticalMouseGetCapabilities getCapabilities = nullptr;
    SmiOpticalMouseSetMode setMode = nullptr;
    SmiKeyMsgIsFromWheelKey isFromWheel = nullptr;
} g_samsung;

// ---- Connection manager -----------------------------------------------------

struct ConnectionInfo {
    DWORD size;
    DWORD parameters;
    DWORD flags;
    DWORD priority;
    BOOL exclusive;
    BOOL disabled;
    BYTE destination[16];
    HWND window;
    UINT message;
    LPARAM messageParameter;
    uint64_t maxCost;
    uint64_t minRcvBw;
    uint64_t maxConnLatency;
};

typedef HRESULT (*ConnMgrConnectionStatus)(HANDLE, DWORD*);
typedef HRESULT (*ConnMgrReleaseConnection)(HANDLE, LONG);
typedef HRESULT (*ConnMgrEstablishConnectionSync)(ConnectionInfo*, HANDLE*, DWORD, DWORD*);

constexpr DWORD kConnected = 16;

struct {
    bool probed = false;
    bool available = false;
    ConnMgrConnectionStatus status = nullptr;
    ConnMgrReleaseConnection release = nullptr;
    ConnMgrEstablishConnectionSync establish = nullptr;
    HANDLE connection = nullptr;
} g_connections;

// ---- HTC sensor ---------------------------------------------------------------

typedef HANDLE (*HTCSensorOpen)(DWORD);
typedef void (*HTCSensorClose)(HANDLE);
typedef DWORD (*HTCSensorGetDataOutput)(HANDLE, void*);

struct {
    HTCSensorOpen open = nullptr;
    HTCSensorClose close = nullptr;
    HTCSensorGetDataOutput getData = nullptr;
    HANDLE sensor = nullptr;
    CRITICAL_SECTION lock;
    bool lockMade = false;
    DWORD stop = 0;
} g_htc;

template <typename F>
F entry(HMODULE library, const char16_t* name)
{
    return reinterpret_cast<F>(GetProcAddressW(library, name));
}

void probeConnectionManager()
{
    if (g_connections.probed) {
        return;
    }
    g_connections.probed = true;
    HMODULE library = LoadLibraryW(u"cellcore.dll");
    if (!library) {
        return;
    }
    g_connections.status = entry<ConnMgrConnectionStatus>(library, u"ConnMgrConnectionStatus");
    g_connections.release = entry<ConnMgrReleaseConnection>(library, u"ConnMgrReleaseConnection");
    g_connections.establish =
        entry<ConnMgrEstablishConnectionSync>(library, u"ConnMgrEstablishConnectionSync");
    g_connections.available =
        g_connections.status && g_connections.release && g_connections.establish;
}

}  // namespace

bool HAL_probeSamsungSdk()
{
    if (g_samsung.probed) {
        return g_samsung.present;
    }
    g_samsung.probed = true;
    HMODULE library = LoadLibraryW(u"SamsungMobilesdk_1.dll");
    if (!library) {
        return false;
    }
    g_samsung.getVersion = entry<SmiGetSdkVersion>(library, u"SmiGetSdkVersion");
    g_samsung.getCapabilities =
        entry<SmiOpticalMouseGetCapabilities>(library, u"SmiOpticalMouseGetCapabilities");
    g_samsung.setMode = entry<SmiOpticalMouseSetMode>(library, u"SmiOpticalMouseSetMode");
    g_samsung.isFromWheel = entry<SmiKeyMsgIsFromWheelKey>(library, u"SmiKeyMsgIsFromWheelKey");
    SmiVersion version{};
    g_samsung.present = g_samsung.getVersion && g_samsung.getVersion(&version) != 0;
    return g_samsung.present;
}

bool HAL_isOpticalMouseAvailable()
{
    if (!g_samsung.present || !g_samsung.getCapabilities || !g_samsung.setMode) {
        return false;
    }
    SmiOpticalMouseCapabilities capabilities{};
    return g_samsung.getCapabilities(&capabilities, 0, 0) == 0 && capabilities.present != 0;
}

bool HAL_setOpticalMouseMode(int32_t mode)
{
    return g_samsung.present && g_samsung.setMode && g_samsung.setMode(mode != 0) == 0;
}

bool HAL_isKeyFromWheel(uint32_t vk, uint32_t scanCode)
{
    return g_samsung.present && g_samsung.isFromWheel && g_samsung.isFromWheel(vk, scanCode) != 0;
}

bool HAL_isDataConnectionUp()
{
    probeConnectionManager();
    DWORD status = 0;
    return g_connections.available && g_connections.connection &&
           g_connections.status(g_connections.connection, &status) == S_OK &&
           status == kConnected;
}

bool HAL_establishDataConnection()
{
    probeConnectionManager();
    if (!g_connections.available) {
        return false;
    }
    // The destination network of the internet.
    static constexpr BYTE kInternet[16] = {0x44, 0xF1, 0x6E, 0x43, 0xFB, 0xB4, 0x63, 0x48,
                                           0xA0, 0x41, 0x8F, 0x90, 0x5A, 0x62, 0xC5, 0x72};
    ConnectionInfo info{};
    info.size = 64;
    info.parameters = 1;
    info.flags = 15;
    info.priority = 0x8000;
    std::memcpy(info.destination, kInternet, sizeof(kInternet));
    DWORD status = 0;
    uint32_t depth = HAL_releaseVMLock();
    HRESULT result = g_connections.establish(&info, &g_connections.connection, 60000, &status);
    HAL_restoreVMLock(depth);
    return result == S_OK;
}

int32_t HAL_releaseDataConnection()
{
    if (!g_connections.available) {
        return 0;
    }
    if (g_connections.connection) {
        g_connections.release(g_connections.connection, 1);
        g_connections.connection = nullptr;
    }
    return 1;
}

bool HAL_probeHtcSensor()
{
    HMODULE library = LoadLibraryW(u"HTCSensorSDK.dll");
    if (!library) {
        return false;
    }
    g_htc.open = entry<HTCSensorOpen>(library, u"HTCSensorOpen");
    g_htc.close = entry<HTCSensorClose>(library, u"HTCSensorClose");
    g_htc.getData = entry<HTCSensorGetDataOutput>(library, u"HTCSensorGetDataOutput");
    if (!g_htc.open || !g_htc.close || !g_htc.getData) {
        return false;
    }
    g_htc.sensor = g_htc.open(1);
    InitializeCriticalSection(&g_htc.lock);
    g_htc.lockMade = true;
    return true;
}

void HAL_closeHtcSensor()
{
    g_htc.stop = 1;
    if (g_htc.sensor && g_htc.close) {
        g_htc.close(g_htc.sensor);
        g_htc.sensor = nullptr;
    }
    if (g_htc.lockMade) {
        DeleteCriticalSection(&g_htc.lock);
        g_htc.lockMade = false;
    }
}
