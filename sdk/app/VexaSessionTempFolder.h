#pragma once

#include <string>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

// The host session's own temporary folder: made on first use in the system's temporary folder
// (TMPDIR, else /tmp) with a name no one else has and mode 0700, and removed with what it holds
// when the host ends. Files in it are reserved by exclusive creation, so that two callers never
// get the same name.
class VexaSessionTempFolder : public VexaHostService {
 public:
  VexaSessionTempFolder() = default;
  VexaSessionTempFolder(const VexaSessionTempFolder&) = delete;
  VexaSessionTempFolder& operator=(const VexaSessionTempFolder&) = delete;
  ~VexaSessionTempFolder() override;

  // The folder, with a trailing '/'; empty when it cannot be made.
  QvString folder();
  // Creates the empty file prefix + n + extension for the first n from 1 to 32767 that is free,
  // and answers its path; empty when none is.
  QvString reserve(const QvString& prefix, const QvString& extension);

 private:
  std::string path_;
};
