#pragma once
// Files and folders. Windows paths (backslashes, no drive) name host paths:
// "\\tmp\\game\\rsc\\RP1.rp" is /tmp/game/rsc/RP1.rp, and a path that does
// not exist as written is looked up again without regard to case, as on the
// device. The program's own file is in the application folder: the folder
// of the executable, or the folder named by VEXALON_APP_DIR when set.

#include <cstdio>

#include "wince/errors.h"
#include "wince/kernel.h"

typedef struct HINSTANCE__* HMODULE;

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u

#define CREATE_NEW 1u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define OPEN_ALWAYS 4u
#define TRUNCATE_EXISTING 5u

#define FILE_ATTRIBUTE_NORMAL 0x00000080u

#define FILE_BEGIN 0u
#define FILE_CURRENT 1u
#define FILE_END 2u

#define INVALID_FILE_SIZE 0xFFFFFFFFu
#define INVALID_SET_FILE_POINTER 0xFFFFFFFFu

// INVALID_HANDLE_VALUE on failure (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
// ERROR_ALREADY_EXISTS, ERROR_ACCESS_DENIED).
HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD shareMode, LPVOID security,
                   DWORD creation, DWORD flags, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, DWORD* bytesRead, LPVOID overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* bytesWritten,
               LPVOID overlapped);
// Writes the file's data through to the disk.
BOOL FlushFileBuffers(HANDLE file);
DWORD GetFileSize(HANDLE file, DWORD* sizeHigh);
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);

// The executable's full Windows path (in the application folder); the
// characters written without the terminator, `size` when it was cut short.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

// C runtime wide-character file functions. The text is UTF-8 on disk; a
// mode's 't' is accepted and changes nothing (line ends are kept as they are).
FILE* _wfopen(const char16_t* name, const char16_t* mode);
// Reads up to a line feed (kept) or size - 1 characters; null at the end of
// the file or on error. Bytes that are not UTF-8 become U+FFFD and set errno
// to EILSEQ (the call still succeeds).
char16_t* fgetws(char16_t* buffer, int size, FILE* file);
