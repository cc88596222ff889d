#include "sdk/win/VexaShellFolders.h"

#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <system_error>

QvString VexaShellFolders::personalFolder() const {
  if (!personal_.isEmpty()) return personal_;
  if (const char* set = std::getenv("TARVO_DOCUMENTS"); set && *set) return QvString(set);
  const char* home = std::getenv("HOME");
  return QvString(home && *home ? home : ".") + L"/Documents";
}

VexaShellFolders* VexaShellFolders::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaShellFolders>() : nullptr;
}

BOOL SHGetSpecialFolderPathW(HWND owner, wchar_t* path, int folder, BOOL create) {
  (void)owner;
  VexaShellFolders* folders = VexaShellFolders::current();
  if (!path || folder != CSIDL_PERSONAL || !folders) return FALSE;
  const QvString found = folders->personalFolder();
  if (found.length() >= kMaxPath) return FALSE;
  if (create) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(found.utf8()), ec);
  }
  std::wmemcpy(path, found.c_str(), static_cast<size_t>(found.length()) + 1);
  return TRUE;
}
