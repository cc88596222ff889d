#pragma once

class IVexaBuildInCommandContext;

// The LAYERPICK command: picks one of the drawing's layers in a dialog (TarvoLayerPickDialog)
// answered by dialog lines of the script (TarvoDialogScript), and says which:
//   "Layer: NAME"
// The box is narrow: names too wide for it show whole in a tip after the mouse rests on them
// for 100 milliseconds (@move, then @wait). With pictures of dialogs on (tarvo run --dialog-svg
// DIR) each state of the dialog is drawn, "layerpick-NN.svg".
// Answers kQvNormal; kQvCancel when cancelled or the script has no more dialog lines.
class TarvoLayerPickCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
