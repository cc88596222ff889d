#include "xqcmdutil/XqFilePrompts.h"

#include <algorithm>
#include <cwchar>

#include "sdk/app/VexaFileDialog.h"
#include "sdk/ed/qvedFindFile.h"

namespace {

// Asks the host's dialog; answers the dialog's own code and fills `result` on a choice.
int showDialog(const wchar_t* title, const wchar_t* defaultName, const wchar_t* extensions,
               int flags, resbuf* result, int* filterIndex, const wchar_t* dialogName) {
  VexaFileDialogRequest request{title, defaultName, extensions, flags, dialogName};
  if (!request.defaultName.isEmpty()) request.flags |= kFileDialogDefaultName;
  QvString chosen;
  const int answer = vexaFileNavDialog(request, chosen, filterIndex);
  if (answer == kFileDialogChosen && result) {
    result->type = kRbString;
    result->value.string = qvutDupString(chosen.c_str());
  }
  return answer;
}

}  // namespace

void xqcmdExtractFileName(const wchar_t* path, QvString& name) {
  name.empty();
  if (!path) return;
  QvString text(path);
  int start = std::max(text.findRev(L'\\'), text.findRev(L'/')) + 1;
  if (start == 0 && text.length() >= 2 && text.getAt(1) == L':') start = 2;  // "C:door.dwg"
  name = text.mid(start);
  const int dot = name.findRev(L'.');
  if (dot != QvString::kNotFound) name = name.left(dot);
}

QvString GetFileName(const wchar_t* path) {
  if (!path) return QvString();
  QvString text(path);
  text.replace(L'/', L'\\');
  text.trim();
  return text.mid(text.findRev(L'\\') + 1);
}

int vexaGetFileDialog(const wchar_t* title, const wchar_t* defaultName, const wchar_t* extensions,
                      int flags, resbuf* result, const wchar_t* dialogName) {
  switch (showDialog(title, defaultName, extensions, flags, result, nullptr, dialogName)) {
    case kFileDialogChosen:
      return kQvNormal;
    case kFileDialogCancelled:
      return kQvCancel;
    case kFileDialogNothing:
      return kQvNone;
    default:
      return kQvError;
  }
}

int xqGetFileDialog(const wchar_t* title, const wchar_t* defaultName, const wchar_t* extensions,
                    int flags, resbuf* result, int* filterIndex, const wchar_t* dialogName) {
  const int answer =
      showDialog(title, defaultName, extensions, flags, result, filterIndex, dialogName);
  return answer == kFileDialogChosen ? kQvNormal : kQvError;
}

int VexaFindFile(const wchar_t* name, wchar_t* found, size_t size) {
  if (!found) return kQvError;
  QvString path;
  const int rc = qvedFindFile(name, path);
  if (rc != kQvNormal) return rc;
  if (static_cast<size_t>(path.length()) >= size) {
    if (size > 0) found[0] = L'\0';
    return kQvError;
  }
  std::wmemcpy(found, path.c_str(), static_cast<size_t>(path.length()) + 1);
  return kQvNormal;
}
