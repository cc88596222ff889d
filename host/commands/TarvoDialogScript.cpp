#include "host/commands/TarvoDialogScript.h"

#include <cwchar>

#include "host/commands/TarvoCommandInput.h"
#include "sdk/ed/VexaInputScript.h"
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
        L"\nA dialog is open: expected a dialog line (@type, @key, @wait, @ok or "
        L"@cancel), not \"" +
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
  } else if (verb == L"OK" || verb == L"CANCEL") {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(verb == L"OK" ? IDOK : IDCANCEL, 0), 0);
  } else {
    TarvoCommandInput::say(L"\nUnknown dialog line \"" + line.text + L"\".");
  }
  windows->pump();
  return true;
}
