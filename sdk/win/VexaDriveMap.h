#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where the drives and shares of Windows paths are on this system. A drive ("C:") or a share
// ("\\server\share") is mapped to a local folder, with an optional volume label. Rooted paths
// without a drive are local paths as they stand; relative paths are relative to the working
// folder. The map starts from the environment variable TARVO_DRIVES, entries separated by
// ';', each ROOT=FOLDER or ROOT=FOLDER=LABEL ("C:=/srv/cad;\\\\nas\\plans=/mnt/plans=Plans").
class VexaDriveMap {
 public:
  static void map(std::wstring_view root, const std::string& folder, std::wstring_view label = {});
  static void unmap(std::wstring_view root);
  // Forgets every mapping, including those of the environment.
  static void clear();

  // The local file name of a Windows path; nothing when its drive or share is not mapped or
  // the path is empty.
  static std::optional<std::string> localName(std::wstring_view path);
  // The label of a mapped drive or share (the root may end with a separator); nothing when it
  // is not mapped.
  static std::optional<std::wstring> label(std::wstring_view root);
};
