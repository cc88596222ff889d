#pragma once

class IVexaBuildInCommandContext;

// The LAYOUT command: switches between the layouts of the working drawing and manages them.
//   "Enter layout option [New/Delete/Rename/Set/?] <Set>: "
//   Enter, Set   asks for the layout to make current ("Model" is model space)
//   a name       the layout of that name (any case) becomes current
//   New          a new paper layout (default name "Layout<n>")
//   Delete       deletes a paper layout (the current one by default)
//   Rename       renames a layout
//   ?            lists the layouts in tab order, the current one marked with "*"
// Answers kQvNormal; kQvNone when Enter kept the current layout; kQvCancel; kQvError when the
// layout manager refuses (an unknown name, "Model" or the last paper layout deleted, a name
// taken), with a message.
class VexaLayoutCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
