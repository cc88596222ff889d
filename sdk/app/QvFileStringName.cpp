#include "sdk/app/QvFileStringName.h"

#include <string>

#include "sdk/win/VexaFileServices.h"
#include "sdk/win/VexaPathSyntax.h"

QvString QvFileStringName::fileName() const {
  const VexaPathParts parts = vexaSplitPath(name_.wstr());
  return std::wstring(parts.fname) + std::wstring(parts.ext);
}

QvString QvFileStringName::extension() const {
  return std::wstring(vexaSplitPath(name_.wstr()).ext);
}

QvString QvFileStringName::directory() const {
  const VexaPathParts parts = vexaSplitPath(name_.wstr());
  return std::wstring(parts.drive) + std::wstring(parts.dir);
}

bool QvFileStringName::isIt(Kind kind) const {
  const std::wstring& text = name_.wstr();
  const std::wstring_view root = vexaPathRoot(text);
  switch (kind) {
    case kAbsolute:
      return !root.empty() && (root.size() == 1 || vexaIsPathSeparator(root.back()) ||
                               root.size() > 3);  // not "C:" alone
    case kRelativeToRoot:
      return root.size() == 1;
    case kRelativeToUpDir:
      return text.size() >= 3 && text[0] == L'.' && text[1] == L'.' && vexaIsPathSeparator(text[2]);
  }
  return false;
}

bool QvFileStringName::isReadOnly() const {
  VexaFileInformation info;
  return GetFileInformation(name_.wstr(), info) && (info.attributes & kVexaFileAttributeReadOnly);
}

bool QvFileStringName::convertToRelative(const QvString& directory) {
  if (name_.isEmpty() || directory.isEmpty()) return false;
  std::wstring relative;
  if (!PathRelativePathTo(relative, directory.wstr(), true, name_.wstr(), false)) return false;
  if (relative.size() > 1 && relative[0] == L'.' && relative[1] == L'\\') relative.erase(0, 2);
  name_ = relative;
  return true;
}
