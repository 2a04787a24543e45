#pragma once
// Basic Windows CE types, as the platform layer uses them. Pointer-sized
// words stay pointer-sized on this 64-bit host; text is UTF-16 in char16_t.

#include <cstdint>

typedef int32_t BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef int32_t INT;
typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void* LPVOID;
typedef void* HANDLE;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef struct HINSTANCE__* HINSTANCE;
typedef struct HWND__* HWND;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

#define INFINITE 0xFFFFFFFFu
#define WINAPI
