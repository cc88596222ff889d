#pragma once

#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"
#include "sdk/ed/IVexaSupportPath.h"

// The host's configuration: the settings a user keeps from one session to the next. The
// stand-in keeps them in memory for the life of the host; the program fills them at start-up.
class VexaConfigDataManager : public VexaHostService, public IVexaSupportPath {
 public:
  // The support path: folders separated by ";", searched for files after the drawing's folder
  // and the current folder (qvedFindFile).
  const QvString& supportPath() const { return supportPath_; }
  void setSupportPath(const QvString& path) { supportPath_ = path; }
  // The folders of the support path in order, each trimmed of blanks; empty entries are left
  // out.
  std::vector<QvString> supportFolders() const override;

 private:
  QvString supportPath_;
};

// The configuration of the running host, or null when no host runs.
VexaConfigDataManager* getConfigDataManager();
