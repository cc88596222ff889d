#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "sdk/win/WinTypes.h"

// The Windows file, volume and process services on this system. Paths are Windows paths,
// reached through VexaDriveMap; none of these calls opens a file, so a FIFO never blocks them.

// Attribute bits of a file information record.
inline constexpr DWORD kVexaFileAttributeReadOnly = 0x1;
inline constexpr DWORD kVexaFileAttributeDirectory = 0x10;
inline constexpr DWORD kVexaFileAttributeArchive = 0x20;

// What the system knows of a file: attributes, times (seconds since 1970, UTC) and size.
struct VexaFileInformation {
  DWORD attributes = 0;
  std::time_t creationTime = 0;
  std::time_t lastAccessTime = 0;
  std::time_t lastWriteTime = 0;
  DWORD sizeHigh = 0;
  DWORD sizeLow = 0;

  std::uint64_t size() const { return (std::uint64_t{sizeHigh} << 32) | sizeLow; }
};

// Whether a file or folder is there.
bool PathFileExists(std::wstring_view path);
// The record of a regular file; false, with the record zeroed, for anything else (a folder, a
// FIFO, a file that is not there or whose drive is not mapped).
bool GetFileInformation(std::wstring_view path, VexaFileInformation& info);
// The volume name of a root ("C:\", "\\server\share\", "\"): the label of the mapping (empty
// for the local root). False when the root is not mapped or its folder is not there.
bool GetVolumeInformation(std::wstring_view root, std::wstring& volumeName);
// This system has no short names: both give the path as it stands when it exists, and fail
// when it does not.
bool GetShortPathName(std::wstring_view path, std::wstring& out);
bool GetLongPathName(std::wstring_view path, std::wstring& out);

// The full name of the process's executable, and its command line (arguments with blanks or
// quotation marks quoted), as this system reports them.
std::wstring GetModuleFileName();
std::wstring GetCommandLine();
