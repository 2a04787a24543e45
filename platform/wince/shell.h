#pragma once
// Shell services: starting a program for a document (ShellExecuteEx) and the
// AYGSHELL window functions the platform layer imports by ordinal.

#include "wince/errors.h"
#include "wince/kernel.h"
#include "wince/registry.h"
#include "wince/user.h"

struct SHELLEXECUTEINFO {
    DWORD cbSize;
    DWORD fMask;
    HWND hwnd;
    LPCWSTR lpVerb;
    LPCWSTR lpFile;
    LPCWSTR lpParameters;
    LPCWSTR lpDirectory;
    INT nShow;
    HINSTANCE hInstApp;
    LPVOID lpIDList;
    LPCWSTR lpClass;
    HKEY hkeyClass;
    DWORD dwHotKey;
    HANDLE hIcon;
    HANDLE hProcess;
};

// Only the web browser "iexplore.exe" is known: its parameter (an http or
// https address) is opened in the desktop's browser. Anything else fails
// with ERROR_FILE_NOT_FOUND.
BOOL ShellExecuteEx(SHELLEXECUTEINFO* info);

// ---- AYGSHELL ---------------------------------------------------------------

// Ordinal 65: full-screen flags of a window. The desktop has no task bar,
// input-panel button or start icon to hide, so every combination succeeds.
#define SHFS_SHOWTASKBAR 0x0001u
#define SHFS_HIDETASKBAR 0x0002u
#define SHFS_SHOWSIPBUTTON 0x0004u
#define SHFS_HIDESIPBUTTON 0x0008u
#define SHFS_SHOWSTARTICON 0x0010u
#define SHFS_HIDESTARTICON 0x0020u
BOOL SHFullScreen(HWND window, DWORD flags);

// The record the shell keeps per window for its activation handling.
struct SHACTIVATEINFO {
    DWORD cbSize;
    HWND hwndLastFocus;
    UINT flags;
};

// Ordinal 84: the shell's handling of WM_ACTIVATE (the input panel).
BOOL SHHandleWMActivate(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info,
                        DWORD flags);

typedef HANDLE HREGNOTIFY;
struct NOTIFICATIONCONDITION;

// Ordinal 339: a notice posted to the window when a registry value changes.
// The table never changes while the program runs, so no notice is posted.
HRESULT RegistryNotifyWindow(HKEY root, LPCWSTR subKey, LPCWSTR valueName, HWND window,
                             UINT message, DWORD userData,
                             const NOTIFICATIONCONDITION* condition, HREGNOTIFY* notify);
// Ordinal 341.
HRESULT RegistryCloseNotification(HREGNOTIFY notify);
