#pragma once
// Point-to-point message queues, power notifications and the system idle
// timer.

#include "wince/errors.h"
#include "wince/kernel.h"

struct MSGQUEUEOPTIONS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwMaxMessages;  // 0: no limit
    DWORD cbMaxMessage;
    BOOL bReadAccess;
};

#define MSGQUEUE_NOPRECOMMIT 0x00000001u
#define MSGQUEUE_ALLOW_BROKEN 0x00000002u


// A queue; a name is accepted and ignored (queues are not shared by name).
HANDLE CreateMsgQueue(LPCWSTR name, const MSGQUEUEOPTIONS* options);
// Reads one message; waits up to `milliseconds`. FALSE with ERROR_TIMEOUT
// when none came, ERROR_INVALID_HANDLE when the queue is (or becomes) closed,
// ERROR_INSUFFICIENT_BUFFER when the message is larger than the buffer.
BOOL ReadMsgQueue(HANDLE queue, LPVOID buffer, DWORD bufferSize, DWORD* bytesRead,
                  DWORD milliseconds, DWORD* flags);
BOOL WriteMsgQueue(HANDLE queue, LPVOID data, DWORD size, DWORD milliseconds, DWORD flags);
// Closes the queue; a reader waiting on it wakes at once.
BOOL CloseMsgQueue(HANDLE queue);

// Power notifications.
#define PBT_TRANSITION 0x00000001u
#define PBT_RESUME 0x00000002u
#define POWER_NOTIFY_ALL 0xFFFFFFFFu
#define POWER_STATE_ON 0x00010000u
#define POWER_STATE_OFF 0x00020000u
#define POWER_STATE_SUSPEND 0x00200000u

struct POWER_BROADCAST {
    DWORD Message;
    DWORD Flags;
    DWORD Length;  // bytes of the state name that follows
    WCHAR SystemPowerState[1];
};

HANDLE RequestPowerNotifications(HANDLE queue, DWORD kinds);
BOOL StopPowerNotifications(HANDLE notifications);

// Keeps the device from suspending for another idle period.
void SystemIdleTimerReset();
