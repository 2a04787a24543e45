#pragma once
// Folders, file attributes, deleting and moving files, and finding files by
// a wildcard pattern. Paths are Windows paths as in wince/file.h.

#include "wince/errors.h"
#include "wince/kernel.h"

#define MAX_PATH 260

#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu

#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_WRITE_THROUGH 0x00000008u

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwOID;
    WCHAR cFileName[MAX_PATH];
};

// ERROR_ALREADY_EXISTS when the folder (or a file of that name) exists,
// ERROR_PATH_NOT_FOUND when its parent does not.
BOOL CreateDirectoryW(LPCWSTR path, LPVOID security);
// Only an empty folder is removed (ERROR_DIR_NOT_EMPTY otherwise).
BOOL RemoveDirectoryW(LPCWSTR path);
// Files only; a folder is refused with ERROR_ACCESS_DENIED.
BOOL DeleteFileW(LPCWSTR path);
// Renames a file or folder in one step. With MOVEFILE_REPLACE_EXISTING an
// existing file of the new name is replaced (readers see the old or the new
// file, never a mix); with MOVEFILE_WRITE_THROUGH the change of the folder
// has reached the disk when the call returns.
BOOL MoveFileExW(LPCWSTR existing, LPCWSTR newName, DWORD flags);
// FILE_ATTRIBUTE_DIRECTORY for a folder, FILE_ATTRIBUTE_NORMAL for a file,
// READONLY added when the caller may not write it; INVALID_FILE_ATTRIBUTES
// with the error set when the path does not exist.
DWORD GetFileAttributesW(LPCWSTR path);

// Lists the entries of a folder whose names match the pattern of the path's
// last part ('*' any run of characters, '?' one character, letters without
// regard to case; "." and ".." are never listed). The first match goes to
// *data; INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing matches
// (ERROR_PATH_NOT_FOUND when the folder is missing). Entries come in the
// order the host lists them.
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data);
// The next match; FALSE with ERROR_NO_MORE_FILES at the end.
BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data);
BOOL FindClose(HANDLE find);
