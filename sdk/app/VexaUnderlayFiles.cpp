#include "sdk/app/VexaUnderlayFiles.h"

#include <sys/stat.h>

#include <fstream>
#include <optional>

#include "sdk/win/VexaDriveMap.h"

Vexa::ErrorStatus vexaReadUnderlayHead(const wchar_t* path, size_t length, std::string& local,
                                       std::string& head) {
  head.clear();
  if (!path || !*path) return Vexa::eFileNotFound;
  const std::optional<std::string> name = VexaDriveMap::localName(path);
  if (!name) return Vexa::eFileNotFound;
  struct stat st {};
  if (::stat(name->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return Vexa::eFileNotFound;
  std::ifstream in(*name, std::ios::binary);
  if (!in) return Vexa::eFileAccessError;
  head.resize(length);
  in.read(head.data(), static_cast<std::streamsize>(length));
  if (in.bad()) return Vexa::eFileAccessError;
  head.resize(static_cast<size_t>(in.gcount()));
  local = *name;
  return Vexa::eOk;
}
