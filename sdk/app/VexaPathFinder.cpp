#include "sdk/app/VexaPathFinder.h"

#include <optional>
#include <string>

#include "sdk/app/QvFileStringName.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/qvUtf8.h"
#include "sdk/ed/qvedFindFile.h"
#include "sdk/win/VexaFileServices.h"

namespace {

// The name when it names a regular file.
bool isFile(const QvString& name) {
  VexaFileInformation info;
  return !name.isEmpty() && GetFileInformation(name.wstr(), info);
}

}  // namespace

bool vexaFindPath(const QvString& path, const QvString& extension, int kind, QvString& found) {
  if (kind != 4 || path.isEmpty()) return false;
  QvString candidate = path;
  if (QvFileStringName(path).extension().isEmpty() && !extension.isEmpty())
    candidate += L"." + extension;
  for (const QvString& name : {path, candidate}) {
    if (isFile(name)) {
      found = name;
      return true;
    }
  }
  return qvedFindFile(QvFileStringName(candidate).fileName().c_str(), found) == kQvNormal;
}

int vexaFindFileFor(const QvString& name, const QvDbDatabase* /*db*/, const QvString& hint,
                    QvString& found) {
  if (name.isEmpty()) return kQvError;
  const QvString fileName = QvFileStringName(name).fileName();
  if (!hint.isEmpty()) {
    QvString inHint = hint;
    if (!inHint.endsWith(L"\\") && !inHint.endsWith(L"/")) inHint += L"\\";
    inHint += fileName;
    if (isFile(inHint)) {
      found = inHint;
      return kQvNormal;
    }
  }
  if (isFile(name)) {
    found = name;
    return kQvNormal;
  }
  return qvedFindFile(fileName.c_str(), found);
}
