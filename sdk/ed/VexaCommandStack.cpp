#include "sdk/ed/VexaCommandStack.h"

#include <algorithm>

#include "sdk/ed/commands/VexaBuiltInCommands.h"

VexaCommandStack::VexaCommandStack() {
  addVexaBuiltInCommands(*this);
}

bool VexaCommandStack::addCommand(const wchar_t* group, const wchar_t* name, Function function) {
  if (!group || !*group || !name || !*name || !function) return false;
  const bool builtIn = QvString(group) == kBuiltInGroup;
  if (const Command* taken = lookup(name); taken && (builtIn || taken->group != kBuiltInGroup))
    return false;
  const QvString text(name);
  for (int i = 0; i < text.length(); ++i)
    if (qvIsSpace(text.getAt(i))) return false;
  commands_.push_back({group, text, std::move(function)});
  return true;
}

bool VexaCommandStack::removeCommand(const wchar_t* group, const wchar_t* name) {
  const auto it = std::find_if(commands_.begin(), commands_.end(), [&](const Command& c) {
    return c.group == group && c.name.isEqualNoCase(name);
  });
  if (it == commands_.end()) return false;
  commands_.erase(it);
  return true;
}

int VexaCommandStack::removeGroup(const wchar_t* group) {
  return static_cast<int>(
      std::erase_if(commands_, [&](const Command& c) { return c.group == group; }));
}

const VexaCommandStack::Command* VexaCommandStack::lookup(const QvString& name) const {
  const Command* builtIn = nullptr;
  for (const Command& command : commands_) {
    if (!command.name.isEqualNoCase(name)) continue;
    if (command.group != kBuiltInGroup) return &command;
    builtIn = &command;
  }
  return builtIn;
}

const VexaCommandStack::Command* VexaCommandStack::lookupBuiltIn(const QvString& name) const {
  for (const Command& command : commands_)
    if (command.group == kBuiltInGroup && command.name.isEqualNoCase(name)) return &command;
  return nullptr;
}

std::vector<QvString> VexaCommandStack::commandNames() const {
  std::vector<QvString> names;
  for (const Command& command : commands_) names.push_back(command.name);
  std::sort(names.begin(), names.end(),
            [](const QvString& a, const QvString& b) { return a.compareNoCase(b) < 0; });
  names.erase(std::unique(names.begin(), names.end(),
                          [](const QvString& a, const QvString& b) { return a.isEqualNoCase(b); }),
              names.end());
  return names;
}

VexaCommandStack* VexaCommandStack::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaCommandStack>() : nullptr;
}
