#include "sdk/ed/commands/VexaBuiltInCommands.h"

#include "sdk/ed/VexaCommandStack.h"
#include "sdk/ed/commands/VexaBlockCommand.h"
#include "sdk/ed/commands/VexaExplodeCommand.h"
#include "sdk/ed/commands/VexaInsertCommand.h"
#include "sdk/ed/commands/VexaLayoutCommand.h"
#include "sdk/ed/commands/VexaScriptCommand.h"
#include "sdk/ed/commands/VexaSetVarCommand.h"
#include "sdk/ed/commands/VexaUcsCommand.h"

void addVexaBuiltInCommands(VexaCommandStack& stack) {
  stack.addCommand(VexaCommandStack::kBuiltInGroup, L"UCS", &VexaUcsCommand::run);
  stack.addCommand(VexaCommandStack::kBuiltInGroup, L"SETVAR", &VexaSetVarCommand::run);
  stack.addCommand(VexaCommandStack::kBuiltInGroup, L"LAYOUT", &VexaLayoutCommand::run);
  stack.addCommand(VexaCommandStack::kBuiltInGroup, L"BLOCK", &VexaBlockCommand::run);
  stack.addCommand(VexaCommandStack::kBuiltInGroup, L"INSERT", &VexaInsertCommand::run);
  stack.addCommand(VexaCommandStack::kBuiltInGroup, L"EXPLODE", &VexaExplodeCommand::run);
  stack.addCommand(VexaCommandStack::kBuiltInGroup, L"SCRIPT", &VexaScriptCommand::run);
}
