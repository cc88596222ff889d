#pragma once

class IVexaBuildInCommandContext;

// The BLOCKPICK command: picks one of the drawing's blocks in a dialog (TarvoBlockPickDialog)
// answered by dialog lines of the script (TarvoDialogScript), and says which:
//   "Block: NAME"
// The box lists the named blocks of the drawing (not layouts, anonymous or external ones);
// the block in "INSNAME", when there is one, is the recent item. With pictures of dialogs on
// (tarvo run --dialog-svg DIR) each state of the dialog is drawn, "blockpick-NN.svg".
// Answers kQvNormal; kQvNone for a drawing without blocks; kQvCancel when cancelled or the
// script has no more dialog lines.
class TarvoBlockPickCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
