#pragma once

#include <functional>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

class IVexaBuildInCommandContext;

// The commands the host runs by name: its own (UCS, SETVAR, LAYOUT, BLOCK, INSERT, EXPLODE) and
// those that modules add when they load, each under the name of its group so that a module can take
// its commands away again when it unloads. Names are matched in any case.
//
// A command asks its questions through the editor (qvedGet*, the selection question) and
// answers a classic result code: kQvNormal or kQvNone when it did its work, kQvCancel when it
// was cancelled, kQvError (or another negative code) when it failed.
class VexaCommandStack : public VexaHostService {
 public:
  using Function = std::function<int(IVexaBuildInCommandContext& context)>;

  struct Command {
    QvString group;
    QvString name;  // as given, upper case by convention
    Function function;
  };

  // The group of the host's own commands.
  static constexpr const wchar_t* kBuiltInGroup = L"VEXA_BUILTIN";

  // Made with the host's own commands.
  VexaCommandStack();

  // Adds a command. False (nothing added) for an empty group or name, a name with blanks, a
  // name already taken in any group, or an empty function. A module's command may take the
  // name of one of the host's own: it hides it, and lookupBuiltIn still reaches the host's.
  bool addCommand(const wchar_t* group, const wchar_t* name, Function function);
  // Takes a command away; false when the group has no such command.
  bool removeCommand(const wchar_t* group, const wchar_t* name);
  // Takes every command of a group away; answers how many.
  int removeGroup(const wchar_t* group);

  // The command of that name (a module's before the host's own of the same name), or null.
  const Command* lookup(const QvString& name) const;
  // The host's own command of that name, or null.
  const Command* lookupBuiltIn(const QvString& name) const;
  // The names of the commands, sorted, each once.
  std::vector<QvString> commandNames() const;

  // The stack of the running host, or null when no host runs.
  static VexaCommandStack* current();

 private:
  std::vector<Command> commands_;
};
