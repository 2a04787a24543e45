#pragma once
// System facts: version, locale, the device's unique identifier.

#include "wince/errors.h"
#include "wince/kernel.h"

struct OSVERSIONINFOW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
};

#define VER_PLATFORM_WIN32_CE 3u

BOOL GetVersionExW(OSVERSIONINFOW* info);

#define LOCALE_USER_DEFAULT 0x0400u
#define LOCALE_ILANGUAGE 0x0001u

// Only LOCALE_ILANGUAGE is known: four hexadecimal digits of the language
// identifier, from the user's LANG (English, United States, without one).
// Answers the characters written with the terminator, 0 on failure.
INT GetLocaleInfoW(DWORD locale, DWORD type, LPWSTR data, INT size);

// The device identifier for an application's data: the same on every call
// for the same data and version, up to *size bytes (at most 20); *size gets
// the bytes written. S_OK or E_INVALIDARG.
HRESULT GetDeviceUniqueID(const BYTE* applicationData, DWORD applicationDataSize, DWORD version,
                          BYTE* id, DWORD* size);
