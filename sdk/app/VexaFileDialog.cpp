#include "sdk/app/VexaFileDialog.h"

#include <algorithm>

#include "sdk/ed/VexaQuestion.h"

namespace {

QvString promptOf(const VexaFileDialogRequest& request) {
  QvString prompt = L"\n" + request.title;
  if ((request.flags & kFileDialogDefaultName) && !request.defaultName.isEmpty())
    prompt += L" <" + request.defaultName + L">";
  return prompt + L": ";
}

// The 1-based position of the file's extension in the filter, or 0.
int filterIndexOf(const QvString& file, const QvString& extensions) {
  const int dot = file.findRev(L'.');
  const int separator = std::max(file.findRev(L'/'), file.findRev(L'\\'));
  if (dot == QvString::kNotFound || dot < separator) return 0;
  const QvString extension = file.mid(dot + 1);
  int index = 0;
  int start = 0;
  while (start <= extensions.length()) {
    int end = extensions.find(L';', start);
    if (end == QvString::kNotFound) end = extensions.length();
    QvString entry = extensions.mid(start, end - start);
    entry.trim();
    entry.trimLeft(L"*.");
    ++index;
    if (!entry.isEmpty() && entry.isEqualNoCase(extension)) return index;
    start = end + 1;
  }
  return 0;
}

}  // namespace

int vexaFileNavDialog(const VexaFileDialogRequest& request, QvString& chosen, int* filterIndex) {
  if (filterIndex) *filterIndex = 0;
  VexaHost* host = VexaHost::current();
  if (!host) return kFileDialogFailed;
  host->service<VexaFileDialogHistory>().add(request);

  VexaQuestionSetup setup;
  setup.kind = VexaAnswerKind::kString;
  setup.prompt = promptOf(request);
  const VexaAnswer answer = VexaQuestion(setup).ask();
  switch (answer.outcome) {
    case VexaAnswer::Outcome::kValue: {
      QvString path = answer.text;
      path.trim();
      if (path.isEmpty()) return kFileDialogNothing;
      chosen = path;
      if (filterIndex) *filterIndex = filterIndexOf(path, request.extensions);
      return kFileDialogChosen;
    }
    case VexaAnswer::Outcome::kEmpty:
      return kFileDialogNothing;
    default:
      return kFileDialogCancelled;
  }
}
