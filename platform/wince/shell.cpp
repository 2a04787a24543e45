// ShellExecuteEx: the system browser is the desktop's browser (xdg-open).

#include <spawn.h>
#include <sys/wait.h>

#include <mutex>
#include <string>
#include <thread>

#include "wince/detail/text.h"
#include "wince/shell.h"
#include "wince/KernelObject.h"
#include "wince/testing.h"

extern char** environ;

namespace {

std::mutex g_lock;
bool g_capture = false;
std::u16string g_lastRequest;

bool isWebAddress(std::u16string_view text)
{
    auto startsWith = [&](std::u16string_view prefix) {
        return text.size() > prefix.size() &&
               wince_text::equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
    };
    return startsWith(u"http://") || startsWith(u"https://");
}

// Starts the browser without a shell and reaps it in the background.
bool openInBrowser(const std::string& address)
{
    const char* argv[] = {"xdg-open", address.c_str(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, const_cast<char**>(argv), environ) !=
        0) {
        return false;
    }
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    return true;
}

}  // namespace

// ---- ShellExecuteEx ---------------------------------------------------------
BOOL ShellExecuteEx(SHELLEXECUTEINFO* info)
{
    if (!info || info->cbSize != sizeof(SHELLEXECUTEINFO) || !info->lpFile) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string parameters = info->lpParameters ? info->lpParameters : u"";
    if (!wince_text::equalsIgnoreCase(info->lpFile, u"iexplore.exe")) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    {
        std::lock_guard guard(g_lock);
        g_lastRequest = std::u16string(info->lpFile) + u"|" + parameters;
        if (g_capture) {
            return TRUE;
        }
    }
    if (!isWebAddress(parameters)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!openInBrowser(wince_text::toUtf8(parameters))) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

// ---- SHFullScreen -----------------------------------------------------------
BOOL SHFullScreen(HWND window, DWORD)
{
    return IsWindow(window);
}

// ---- SHHandleWMActivate -----------------------------------------------------
BOOL SHHandleWMActivate(HWND window, WPARAM, LPARAM, SHACTIVATEINFO* info, DWORD)
{
    return IsWindow(window) && info != nullptr;
}

namespace {

class RegistryNotice final : public KernelObject {};

}  // namespace

// ---- RegistryNotifyWindow ---------------------------------------------------
HRESULT RegistryNotifyWindow(HKEY root, LPCWSTR subKey, LPCWSTR valueName, HWND window, UINT,
                             DWORD, const NOTIFICATIONCONDITION*, HREGNOTIFY* notify)
{
    if (!notify || !root || !subKey || !valueName || !IsWindow(window)) {
        return E_INVALIDARG;
    }
    *notify = KernelObject::openHandle(new RegistryNotice);
    return S_OK;
}

// ---- RegistryCloseNotification ----------------------------------------------
HRESULT RegistryCloseNotification(HREGNOTIFY notify)
{
    auto* notice = KernelObject::referenceAs<RegistryNotice>(notify);
    if (!notice) {
        return E_INVALIDARG;
    }
    notice->release();
    return KernelObject::closeHandle(notify) ? S_OK : E_INVALIDARG;
}

namespace wince {

void captureShellRequests(bool on)
{
    std::lock_guard guard(g_lock);
    g_capture = on;
    g_lastRequest.clear();
}

std::u16string lastShellRequest()
{
    std::lock_guard guard(g_lock);
    return g_lastRequest;
}

}  // namespace wince
