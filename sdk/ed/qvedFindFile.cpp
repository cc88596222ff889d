#include "sdk/ed/qvedFindFile.h"

#include <cctype>
#include <cwchar>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "sdk/base/VexaHost.h"
#include "sdk/ed/IVexaEditorDocuments.h"
#include "sdk/ed/IVexaSupportPath.h"

namespace {

namespace fs = std::filesystem;

fs::path toPath(QvString text) {
  text.replace(L'\\', L'/');
  return fs::path(text.utf8());
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The regular file of the folder whose name is `name` ignoring case (the first in the
// folder's order), as the file systems of the host match names.
std::optional<fs::path> sameNameIgnoringCase(const fs::path& candidate) {
  std::error_code ec;
  const fs::path folder = candidate.has_parent_path() ? candidate.parent_path() : fs::path(".");
  const std::string name = candidate.filename().string();
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (sameIgnoringCase(it->path().filename().string(), name) && it->is_regular_file(ec))
      return it->path();
  return std::nullopt;
}

// The full path of `candidate` when it names a regular file (its name matched ignoring case
// when no file has it exactly).
std::optional<fs::path> regularFile(fs::path candidate) {
  std::error_code ec;
  if (!fs::is_regular_file(candidate, ec)) {
    const std::optional<fs::path> other = sameNameIgnoringCase(candidate);
    if (!other) return std::nullopt;
    candidate = *other;
  }
  fs::path full = fs::absolute(candidate, ec);
  if (ec) return std::nullopt;
  return full.lexically_normal();
}

// The folders a bare name is looked for in, in order.
std::vector<fs::path> searchFolders() {
  std::vector<fs::path> folders;
  if (const IVexaEditorDocuments* documents = vexaEditorDocuments()) {
    const fs::path drawingFolder = toPath(documents->curDocumentFileName()).parent_path();
    if (!drawingFolder.empty()) folders.push_back(drawingFolder);
  }
  std::error_code ec;
  const fs::path current = fs::current_path(ec);
  if (!ec) folders.push_back(current);
  const VexaHost* host = VexaHost::current();
  if (const IVexaSupportPath* config = host ? host->findService<IVexaSupportPath>() : nullptr)
    for (const QvString& folder : config->supportFolders()) folders.push_back(toPath(folder));
  return folders;
}

}  // namespace

int qvedFindFile(const wchar_t* name, QvString& result) {
  if (!name || !*name || !VexaHost::current()) return kQvError;
  const fs::path wanted = toPath(name);
  std::optional<fs::path> found;
  if (wanted.has_parent_path()) {
    found = regularFile(wanted);
  } else {
    for (const fs::path& folder : searchFolders())
      if ((found = regularFile(folder / wanted))) break;
  }
  if (!found) return kQvError;
  result = QvString(found->string().c_str());
  return kQvNormal;
}

int qvedFindFile(const wchar_t* name, wchar_t* result, size_t size) {
  if (!result || size == 0) return kQvError;
  QvString path;
  const int rc = qvedFindFile(name, path);
  if (rc != kQvNormal) return rc;
  if (static_cast<size_t>(path.length()) >= size) {
    result[0] = L'\0';
    return kQvError;
  }
  std::wmemcpy(result, path.c_str(), static_cast<size_t>(path.length()) + 1);
  return kQvNormal;
}
