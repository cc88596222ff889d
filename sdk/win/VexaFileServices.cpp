#include "sdk/win/VexaFileServices.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <optional>

#include "sdk/base/qvUtf8.h"
#include "sdk/win/VexaDriveMap.h"
#include "sdk/win/VexaPathSyntax.h"

namespace {

std::optional<struct statx> statOf(std::wstring_view path) {
  const std::optional<std::string> local = VexaDriveMap::localName(path);
  if (!local) return std::nullopt;
  struct statx st {};
  if (statx(AT_FDCWD, local->c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &st) != 0)
    return std::nullopt;
  return st;
}

}  // namespace

bool PathFileExists(std::wstring_view path) {
  return statOf(path).has_value();
}

bool GetFileInformation(std::wstring_view path, VexaFileInformation& info) {
  info = VexaFileInformation{};
  const std::optional<struct statx> st = statOf(path);
  if (!st || !S_ISREG(st->stx_mode)) return false;
  info.attributes = kVexaFileAttributeArchive;
  if (!(st->stx_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
    info.attributes |= kVexaFileAttributeReadOnly;
  info.lastAccessTime = st->stx_atime.tv_sec;
  info.lastWriteTime = st->stx_mtime.tv_sec;
  // Without a birth time the last status change is the nearest the system knows.
  info.creationTime = (st->stx_mask & STATX_BTIME) ? st->stx_btime.tv_sec : st->stx_ctime.tv_sec;
  info.sizeHigh = static_cast<DWORD>(st->stx_size >> 32);
  info.sizeLow = static_cast<DWORD>(st->stx_size & 0xffffffffu);
  return true;
}

bool GetVolumeInformation(std::wstring_view root, std::wstring& volumeName) {
  volumeName.clear();
  const std::wstring_view rootPart = vexaPathRoot(root);
  if (rootPart.empty()) return false;
  const std::optional<struct statx> st = statOf(root);
  if (!st || !S_ISDIR(st->stx_mode)) return false;
  if (rootPart.size() == 1) return true;  // the local root has no label
  volumeName = VexaDriveMap::label(rootPart).value_or(L"");
  return true;
}

bool GetShortPathName(std::wstring_view path, std::wstring& out) {
  if (!PathFileExists(path)) return false;
  out = path;
  return true;
}

bool GetLongPathName(std::wstring_view path, std::wstring& out) {
  return GetShortPathName(path, out);
}

std::wstring GetModuleFileName() {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buffer.size()) {
      buffer.resize(static_cast<size_t>(n));
      return qvWidenUtf8(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring GetCommandLine() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::wstring line;
  size_t start = 0;
  while (start < raw.size()) {
    size_t end = raw.find('\0', start);
    if (end == std::string::npos) end = raw.size();
    const std::wstring arg = qvWidenUtf8(std::string_view(raw).substr(start, end - start));
    if (!line.empty()) line += L' ';
    if (arg.empty() || arg.find_first_of(L" \t\"") != std::wstring::npos) {
      line += L'"';
      for (wchar_t c : arg) line += c == L'"' ? std::wstring(L"\\\"") : std::wstring(1, c);
      line += L'"';
    } else {
      line += arg;
    }
    start = end + 1;
  }
  return line;
}
