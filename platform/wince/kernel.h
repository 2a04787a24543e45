#pragma once
// COREDLL kernel functions: handles, threads, critical sections, thread-local
// storage, waiting, time, memory status and the last-error word.

#include "wince/types.h"

// ---- Handles --------------------------------------------------------------

BOOL CloseHandle(HANDLE object);

// ---- Last error -----------------------------------------------------------

DWORD GetLastError();
void SetLastError(DWORD error);

// ---- Threads --------------------------------------------------------------

typedef DWORD (*LPTHREAD_START_ROUTINE)(LPVOID parameter);

#define CREATE_SUSPENDED 0x00000004u
#define STILL_ACTIVE 259u

// A suspended thread has no operating-system thread behind it until its
// first ResumeThread; closing its last handle before then simply frees it.
HANDLE CreateThread(LPVOID security, DWORD stackSize, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD flags, DWORD* threadId);
// Previous suspend count (1 for a thread that was suspended, 0 for a running
// one), 0xFFFFFFFF when the system refuses to start the thread.
DWORD ResumeThread(HANDLE thread);
BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);
DWORD GetCurrentThreadId();

// ---- Waiting --------------------------------------------------------------

#define WAIT_OBJECT_0 0u
#define WAIT_TIMEOUT 258u
#define WAIT_FAILED 0xFFFFFFFFu

// Threads are signalled when their routine has returned, events while set.
// On the virtual clock a timed wait for an event that is not set sleeps as
// Sleep does and then looks again.
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);

// ---- Events -----------------------------------------------------------------

// An auto-reset event lets one wait through and clears itself; a manual-reset
// one stays set until ResetEvent. Named events are not supported (null).
HANDLE CreateEventW(LPVOID security, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

// ---- Critical sections ----------------------------------------------------

// Re-entrant. The storage holds the lock itself, so initialising never fails.
struct CRITICAL_SECTION {
    alignas(16) unsigned char storage[48];
    DWORD OwnerThread;     // 0 when free
    LONG RecursionCount;
};
typedef CRITICAL_SECTION* LPCRITICAL_SECTION;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);

// ---- Thread-local storage -------------------------------------------------

#define TLS_OUT_OF_INDEXES 0xFFFFFFFFu
#define TLS_MINIMUM_AVAILABLE 64u
#define TLS_FUNCALLOC 0u
#define TLS_FUNCFREE 1u

DWORD TlsAlloc();
BOOL TlsFree(DWORD index);
LPVOID TlsGetValue(DWORD index);
BOOL TlsSetValue(DWORD index, LPVOID value);
// function TLS_FUNCALLOC: allocates a slot (argument unused) and returns it or
// TLS_OUT_OF_INDEXES; TLS_FUNCFREE: frees slot `argument`, returns TRUE/FALSE.
DWORD TlsCall(DWORD function, DWORD argument);

// ---- Time -----------------------------------------------------------------

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;      // 1..12
    WORD wDayOfWeek;  // 0 = Sunday
    WORD wDay;        // 1..31
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

#define TIME_ZONE_ID_UNKNOWN 0u
#define TIME_ZONE_ID_STANDARD 1u
#define TIME_ZONE_ID_DAYLIGHT 2u
#define TIME_ZONE_ID_INVALID 0xFFFFFFFFu

// Biases in minutes: UTC = local time + bias.
struct TIME_ZONE_INFORMATION {
    LONG Bias;
    WCHAR StandardName[32];
    SYSTEMTIME StandardDate;
    LONG StandardBias;
    WCHAR DaylightName[32];
    SYSTEMTIME DaylightDate;
    LONG DaylightBias;
};

void Sleep(DWORD milliseconds);
DWORD GetTickCount();
void GetLocalTime(SYSTEMTIME* time);
DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* info);

// ---- Memory ---------------------------------------------------------------

// The figures of a 32-bit device: every field fits in 32 bits, and no figure
// exceeds 2 GB so that signed 32-bit arithmetic on them cannot overflow.
struct MEMORYSTATUS {
    DWORD dwLength;
    DWORD dwMemoryLoad;  // percent of physical memory in use
    DWORD dwTotalPhys;
    DWORD dwAvailPhys;
    DWORD dwTotalPageFile;
    DWORD dwAvailPageFile;
    DWORD dwTotalVirtual;
    DWORD dwAvailVirtual;
};

void GlobalMemoryStatus(MEMORYSTATUS* status);
HANDLE GetProcessHeap();
// Gives unused heap memory back to the system; returns a positive size
// (bytes the heap can still hand out) or 0 on failure.
UINT HeapCompact(HANDLE heap, DWORD flags);
