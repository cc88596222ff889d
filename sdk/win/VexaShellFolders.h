#pragma once

#include <cstddef>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"
#include "sdk/win/VexaWindowTypes.h"

// Folder numbers of SHGetSpecialFolderPathW.
inline constexpr int CSIDL_PERSONAL = 5;  // the user's documents folder
inline constexpr int kMaxPath = 260;      // the size of a path buffer (MAX_PATH)

// The user's special folders. The documents folder is the one set here, else the
// "TARVO_DOCUMENTS" environment variable, else "Documents" in the home folder.
class VexaShellFolders : public VexaHostService {
 public:
  void setPersonalFolder(const QvString& folder) { personal_ = folder; }
  QvString personalFolder() const;

  // The host's service, or null when no host runs.
  static VexaShellFolders* current();

 private:
  QvString personal_;
};

// The path of special folder `folder` into `path` (kMaxPath characters); FALSE for another
// folder number, a path that does not fit, or no running host. With `create` a missing folder
// is made.
BOOL SHGetSpecialFolderPathW(HWND owner, wchar_t* path, int folder, BOOL create);
