#pragma once

class VexaCommandStack;

// Adds the host's own commands (UCS, SETVAR, LAYOUT, BLOCK, INSERT, EXPLODE) to a command stack, in
// the group VexaCommandStack::kBuiltInGroup.
void addVexaBuiltInCommands(VexaCommandStack& stack);
