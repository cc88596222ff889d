#include "host/commands/TarvoDialogScript.h"

#include <cwchar>

#include "host/commands/TarvoCommandInput.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/win/VexaDialogPictures.h"
#include "sdk/win/VexaWinUser.h"
#include "sdk/win/VexaWindowRegistry.h"

namespace {

struct KeyName {
  const wchar_t* name;
  UINT key;
};
constexpr KeyName kKeys[] = {
    {L"ENTER", VK_RETURN},  {L"ESCAPE", VK_ESCAPE}, {L"UP", VK_UP},     {L"DOWN", VK_DOWN},
    {L"LEFT", VK_LEFT},     {L"RIGHT", VK_RIGHT},   {L"HOME", VK_HOME}, {L"END", VK_END},
    {L"DELETE", VK_DELETE}, {L"BACK", VK_BACK},     {L"F4", VK_F4},
};

bool pressKey(VexaWindowRegistry& windows, QvString name) {
  name.trim().makeUpper();
  for (const KeyName& k : kKeys) {
    if (name != k.name) continue;
    // Backspace reaches an edit field as a character, as the keyboard sends it.
    if (k.key == VK_BACK) return windows.typeText(QvString(L'\b', 1));
    return windows.keyDown(k.key);
  }
  TarvoCommandInput::say(L"\nUnknown key \"" + name + L"\" in the dialog line.");
  return false;
}

// "X,Y" in the dialog's client area, on the screen; false when it is no point.
bool dialogPoint(HWND dialog, const QvString& text, POINT& screen) {
  wchar_t* end = nullptr;
  const long x = std::wcstol(text.c_str(), &end, 10);
  if (!end || *end != L',') return false;
  wchar_t* last = nullptr;
  const long y = std::wcstol(end + 1, &last, 10);
  if (last == end + 1) return false;
  screen = POINT{x, y};
  return ClientToScreen(dialog, &screen) != 0;
}

void picture(HWND dialog, const std::string& name) {
  VexaDialogPictures* pictures = VexaDialogPictures::current();
  if (pictures && pictures->enabled() && pictures->write(dialog, name).empty())
    TarvoCommandInput::say(L"\nThe picture of the dialog cannot be written.");
}

}  // namespace

bool TarvoDialogScript::step(HWND dialog) {
  VexaInputScript* script = VexaInputScript::current();
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  if (!script || !windows || !windows->isWindow(dialog)) return false;
  const VexaScriptLine line = script->next();
  if (line.kind == VexaScriptLine::Kind::kEnd || line.kind == VexaScriptLine::Kind::kCancel)
    return false;
  QvString text = line.text;
  text.trimLeft();
  if (!text.startsWith(L"@")) {
    TarvoCommandInput::say(
        L"\nA dialog is open: expected a dialog line (@type, @key, @wait, @move, "
        L"@click, @ok or @cancel), not \"" +
        line.text + L"\".");
    return false;
  }
  const int blank = text.find(L' ');
  QvString verb = blank < 0 ? text.mid(1) : text.mid(1, blank - 1);
  const QvString argument = blank < 0 ? QvString() : text.mid(blank + 1);
  verb.makeUpper();
  if (verb == L"TYPE") {
    windows->typeText(argument);
  } else if (verb == L"KEY") {
    pressKey(*windows, argument);
  } else if (verb == L"WAIT") {
    const long ms = std::wcstol(argument.c_str(), nullptr, 10);
    windows->advance(static_cast<DWORD>(ms > 0 ? ms : 0));
  } else if (verb == L"MOVE" || verb == L"CLICK") {
    POINT at;
    if (!dialogPoint(dialog, argument, at))
      TarvoCommandInput::say(L"\nThe dialog line \"" + line.text + L"\" needs a point X,Y.");
    else if (verb == L"MOVE")
      windows->mouseMove(at);
    else
      windows->mouseButton(WM_LBUTTONDOWN, at);
  } else if (verb == L"OK" || verb == L"CANCEL") {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(verb == L"OK" ? IDOK : IDCANCEL, 0), 0);
  } else {
    TarvoCommandInput::say(L"\nUnknown dialog line \"" + line.text + L"\".");
  }
  windows->pump();
  return true;
}

void TarvoDialogScript::answer(HWND dialog, const std::string& name,
                               const std::function<bool()>& open,
                               const std::function<void()>& afterLine) {
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  if (!windows) return;
  windows->pump();
  picture(dialog, name);
  while (open()) {
    if (!step(dialog)) break;
    if (afterLine) afterLine();
    windows->pump();
    picture(dialog, name);
  }
}
