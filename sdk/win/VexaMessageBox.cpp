#include "sdk/win/VexaMessageBox.h"

#include <vector>

#include "sdk/win/IVexaDialogInput.h"

namespace {

struct Button {
  const wchar_t* name;
  int id;
};

std::vector<Button> buttonsOf(UINT type) {
  switch (type & 0x000F) {
    case MB_OKCANCEL:
      return {{L"OK", IDOK}, {L"Cancel", IDCANCEL}};
    case MB_YESNOCANCEL:
      return {{L"Yes", IDYES}, {L"No", IDNO}, {L"Cancel", IDCANCEL}};
    case MB_YESNO:
      return {{L"Yes", IDYES}, {L"No", IDNO}};
    default:
      return {{L"OK", IDOK}};
  }
}

// The button an answer names: its whole name or its first letter, any case.
const Button* named(const std::vector<Button>& buttons, QvString answer) {
  answer.trim().makeUpper();
  for (const Button& b : buttons) {
    QvString name(b.name);
    name.makeUpper();
    if (answer == name || (answer.length() == 1 && answer.getAt(0) == name.getAt(0))) return &b;
  }
  return nullptr;
}

}  // namespace

int MessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
  (void)owner;
  IVexaDialogInput* input = vexaDialogInput();
  if (!input) return 0;
  const QvString head = caption && *caption ? QvString(caption) + L": " : QvString();
  const QvString body = head + (text ? text : L"");
  const std::vector<Button> buttons = buttonsOf(type);
  if (buttons.size() == 1) {
    input->show(L"\n" + body);
    return IDOK;
  }
  size_t preset = (type & 0x0F00) / MB_DEFBUTTON2;
  if (preset >= buttons.size()) preset = 0;
  QvString choices;
  for (const Button& b : buttons) choices += (choices.isEmpty() ? L"" : L"/") + QvString(b.name);
  const QvString prompt =
      QvString::format(L"\n%ls [%ls] <%ls>: ", body.c_str(), choices.c_str(), buttons[preset].name);
  for (;;) {
    const VexaDialogReply reply = input->askLine(prompt);
    if (reply.kind == VexaDialogReply::Kind::kEnter) return buttons[preset].id;
    if (reply.kind == VexaDialogReply::Kind::kCancel) return buttons.back().id;
    if (const Button* b = named(buttons, reply.text)) return b->id;
    input->show(QvString::format(L"\nAnswer one of %ls.", choices.c_str()));
  }
}
