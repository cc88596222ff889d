#include "sdk/app/CQvUiPathname.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "sdk/win/VexaDriveMap.h"
#include "sdk/win/VexaPathSyntax.h"

namespace {

bool isForbidden(wchar_t c) {
  return c < 32 || c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'?' || c == L'*';
}

// Whether a resolved path may name a file: no forbidden character, a colon only after a drive
// letter, and something after its root.
bool isWellFormed(const std::wstring& path) {
  for (size_t i = 0; i < path.size(); ++i) {
    if (isForbidden(path[i])) return false;
    if (path[i] == L':' && i != 1) return false;
  }
  return vexaPathRoot(path).size() < path.size();
}

CQvUiPathname::PathStatus statusOf(const std::string& local) {
  struct stat st {};
  if (::lstat(local.c_str(), &st) == 0) {
    // A link counts as what it leads to; a dangling one is a file of its own.
    if (S_ISLNK(st.st_mode) && ::stat(local.c_str(), &st) != 0) return CQvUiPathname::kOtherFile;
    if (S_ISREG(st.st_mode)) return CQvUiPathname::kFileExists;
    if (S_ISDIR(st.st_mode)) return CQvUiPathname::kDirectory;
    return CQvUiPathname::kOtherFile;
  }
  const size_t slash = local.find_last_of('/');
  const std::string folder =
      slash == std::string::npos ? std::string(".") : local.substr(0, slash == 0 ? 1 : slash);
  if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return CQvUiPathname::kNewFile;
  return CQvUiPathname::kNoFolder;
}

}  // namespace

CQvUiPathname::PathStatus CQvUiPathname::parse(const QvString& path) {
  path_ = QvString();
  local_.clear();
  std::wstring text = QvString(path).trim().wstr();
  PathUnquoteSpaces(text);
  if (text.empty()) return status_ = kNoPath;
  std::wstring resolved;
  if (!PathCanonicalize(resolved, text) || !isWellFormed(resolved)) return status_ = kBadPath;
  path_ = resolved;
  const std::optional<std::string> local = VexaDriveMap::localName(resolved);
  if (!local) return status_ = kNoRoot;
  local_ = *local;
  return status_ = statusOf(local_);
}

QvString CQvUiPathname::directory() const {
  const VexaPathParts parts = vexaSplitPath(path_.wstr());
  return std::wstring(parts.drive) + std::wstring(parts.dir);
}

QvString CQvUiPathname::fileName() const {
  const VexaPathParts parts = vexaSplitPath(path_.wstr());
  return std::wstring(parts.fname) + std::wstring(parts.ext);
}

QvString CQvUiPathname::extension() const {
  const std::wstring_view ext = vexaSplitPath(path_.wstr()).ext;
  return std::wstring(ext.empty() ? ext : ext.substr(1));
}

bool CQvUiPathname::verifyExtension(const QvString& extension) const {
  if (!isParsed()) return false;
  QvString wanted = extension;
  if (wanted.length() > 0 && wanted.getAt(0) == L'.') wanted = wanted.mid(1);
  return !wanted.isEmpty() && this->extension().isEqualNoCase(wanted);
}

bool CQvUiPathname::remove() {
  if (local_.empty() || statusOf(local_) != kFileExists) return false;
  if (::unlink(local_.c_str()) != 0) return false;
  status_ = kNewFile;
  return true;
}
