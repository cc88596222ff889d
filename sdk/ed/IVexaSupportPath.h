#pragma once

#include <vector>

#include "sdk/base/QvString.h"

// The support folders of the host's configuration, searched by qvedFindFile after the drawing's
// folder and the current folder. The configuration is the application's: its configuration
// manager is bound here when the host starts.
class IVexaSupportPath {
 public:
  // The folders in order, each trimmed of blanks; empty entries are left out.
  virtual std::vector<QvString> supportFolders() const = 0;

 protected:
  ~IVexaSupportPath() = default;
};
