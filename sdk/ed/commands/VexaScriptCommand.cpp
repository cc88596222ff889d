#include "sdk/ed/commands/VexaScriptCommand.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "sdk/base/qvUtf8.h"
#include "sdk/ed/VexaCommandRunner.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaInputState.h"
#include "sdk/ed/commands/VexaCommandAsk.h"
#include "sdk/ed/qvedCommandState.h"
#include "sdk/win/VexaDriveMap.h"
#include "sdk/win/VexaFileServices.h"
#include "sdk/win/VexaPathSyntax.h"

namespace {

// The text of a script file; nothing when it cannot be read as a file.
// A regular file only: a folder or a FIFO is never opened.
std::optional<QvString> readScript(const QvString& path) {
  VexaFileInformation info;
  const std::optional<std::string> local = VexaDriveMap::localName(path.wstr());
  if (!local || !GetFileInformation(path.wstr(), info)) return std::nullopt;
  std::ifstream in(*local, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  return QvString(qvWidenUtf8(bytes));
}

}  // namespace

int VexaScriptCommand::run(IVexaBuildInCommandContext& /*context*/) {
  VexaQuestionSetup question;
  question.prompt = L"\nEnter script file name: ";
  question.spacesAllowed = true;
  const VexaAnswer named = VexaCommandAsk::ask(question);
  if (!VexaCommandAsk::isValue(named)) return kQvCancel;
  QvString path = named.text;
  path.trim();
  std::optional<QvString> text = readScript(path);
  if (!text && vexaSplitPath(path.wstr()).ext.empty()) text = readScript(path + L".scr");
  if (!text) {
    VexaCommandAsk::say(QvString::format(L"\nCannot read the script file \"%ls\".", path.c_str()));
    return kQvError;
  }
  VexaHost* host = VexaHost::current();
  VexaInputScript* script = VexaInputScript::current();
  if (!host || !script) return kQvError;
  VexaInputState& state = host->service<VexaInputState>();
  if (script->nesting() >= VexaCommandRunner::kMaxNesting) {
    VexaCommandAsk::say(L"\nScripts nest too deep.");
    return kQvError;
  }
  const VexaInputScript::NestedScope nested(*script);
  const VexaInputState::SourceScope fromScript(state, kQvInputFromScript);
  script->appendLines(*text);
  const VexaCommandRunner::Summary summary = VexaCommandRunner::runScript();
  if (summary.failed > 0) return kQvError;
  return summary.cancelled > 0 ? kQvCancel : kQvNormal;
}
