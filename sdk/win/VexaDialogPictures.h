#pragma once

#include <string>

#include "sdk/base/VexaHost.h"
#include "sdk/win/VexaWindowTypes.h"

// Where pictures of dialogs go while a script drives them: a folder, or nowhere (the default).
// Each picture is the dialog with everything on it as last painted (vexaWindowSvg), in a file
// "NAME-NN.svg" numbered from 01 over the host's run.
class VexaDialogPictures : public VexaHostService {
 public:
  void setFolder(const std::string& folder) { folder_ = folder; }
  const std::string& folder() const { return folder_; }
  bool enabled() const { return !folder_.empty(); }
  // The path written; empty when pictures are off, the window is none or the file cannot be
  // written.
  std::string write(HWND dialog, const std::string& name);
  int written() const { return count_; }

  // The pictures of the running host, or null when no host runs.
  static VexaDialogPictures* current();

 private:
  std::string folder_;
  int count_ = 0;
};
