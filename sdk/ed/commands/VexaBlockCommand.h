#pragma once

class IVexaBuildInCommandContext;

// The host's BLOCK command: a block definition of selected entities.
//   "Enter block name: "                       an empty answer ends the command
//   "Block "X" already exists. Redefine it? [Yes/No] <No>: "   only when it exists
//   "Specify insertion base point: "           the definition's origin (current UCS)
//   "Select objects: "                         entities on locked layers are left out
// The definition holds copies of the entities drawn in the current UCS (its axes become the
// block's), and the selected entities are erased. Redefining replaces the block's entities, so
// its references show the new ones. Layouts, external references and anonymous blocks are not
// redefined, nor a block by a selection that references it (directly or through other blocks).
// Answers kQvNormal; kQvNone when nothing was selected or the redefinition was declined;
// kQvCancel; kQvError for a name the table refuses or a refused redefinition. Nothing changes
// unless it answers kQvNormal.
class VexaBlockCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
