#pragma once
// Windows, messages, timers, screen metrics and the input method, as the
// platform layer calls them. SDL2 backs the windows on the UI thread; the
// message queue is our own and keeps the Windows message numbers and packing.

#include "wince/errors.h"
#include "wince/kernel.h"
#include "wince/types.h"

typedef struct HICON__* HICON;
typedef struct HCURSOR__* HCURSOR;
typedef struct HBRUSH__* HBRUSH;
typedef struct HMENU__* HMENU;
typedef struct HDC__* HDC;
typedef WORD ATOM;

typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void (*TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSW {
    UINT style;
    WNDPROC lpfnWndProc;
    INT cbClsExtra;
    INT cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

// Messages.
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SETTINGCHANGE 0x001A
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_TIMER 0x0113
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_USER 0x0400

// Activation states in the low word of WM_ACTIVATE's word parameter.
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2

#define MK_LBUTTON 0x0001

// Window and class styles.
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define WS_VISIBLE 0x10000000u
#define CW_USEDEFAULT ((INT)0x80000000)

// Show commands.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define SW_SHOWMINIMIZED 2
#define SW_MINIMIZE 6
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10

// Window words.
#define GWL_USERDATA (-21)

// PeekMessageW removal flags.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

// MoveWindow / SetWindowPos.
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1

// SystemParametersInfoW actions.
#define SPI_GETWORKAREA 0x0030
#define SPI_GETPLATFORMTYPE 0x0101
#define SPI_GETOEMINFO 0x0102
#define SPI_GETPLATFORMMANUFACTURER 0x0125

// The screen that the desktop stand-in shows: a portrait 240 x 320 phone.
#define WINCE_DEFAULT_SCREEN_WIDTH 240
#define WINCE_DEFAULT_SCREEN_HEIGHT 320

// Virtual keys the platform layer names.
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_PROCESSKEY 0xE5  // the input method's placeholder key

ATOM RegisterClassW(const WNDCLASSW* windowClass);
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, INT x, INT y,
                     INT width, INT height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID createParam);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL DestroyWindow(HWND window);
BOOL ShowWindow(HWND window, INT showCommand);
BOOL IsWindow(HWND window);
BOOL IsWindowVisible(HWND window);
BOOL IsWindowEnabled(HWND window);
LONG_PTR GetWindowLongW(HWND window, INT index);
LONG_PTR SetWindowLongW(HWND window, INT index, LONG_PTR value);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL MoveWindow(HWND window, INT x, INT y, INT width, INT height, BOOL repaint);
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND window);
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
HWND FindWindowW(LPCWSTR className, LPCWSTR title);
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();

INT GetSystemMetrics(INT index);
BOOL SystemParametersInfoW(UINT action, UINT param, LPVOID data, UINT winIni);

BOOL PeekMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT remove);
BOOL GetMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(INT exitCode);
// Waits until a message can be taken or the time is up. Only the form
// without handles is supported: count must be 0.
#define QS_ALLINPUT 0x00FFu
DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD milliseconds,
                                  DWORD wakeMask, DWORD flags);

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND window, UINT_PTR id);

// The real key behind VK_PROCESSKEY; without an input method it is the
// placeholder itself.
UINT ImmGetVirtualKey(HWND window);
