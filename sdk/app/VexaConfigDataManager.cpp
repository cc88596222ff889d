#include "sdk/app/VexaConfigDataManager.h"

std::vector<QvString> VexaConfigDataManager::supportFolders() const {
  std::vector<QvString> folders;
  int start = 0;
  while (start <= supportPath_.length()) {
    int end = supportPath_.find(L';', start);
    if (end == QvString::kNotFound) end = supportPath_.length();
    QvString folder = supportPath_.mid(start, end - start);
    folder.trim();
    if (!folder.isEmpty()) folders.push_back(folder);
    start = end + 1;
  }
  return folders;
}

VexaConfigDataManager* getConfigDataManager() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaConfigDataManager>() : nullptr;
}
