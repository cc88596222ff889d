#pragma once

class IVexaBuildInCommandContext;

// The INSERTAT command: inserts a block from answers alone (CreateInsert), without drags.
//   "Block name: "                       a block of the drawing (or a dynamic block's name)
//   "Insertion point: "                  a drag: the block follows "~x,y" cursor lines
//   "X scale factor <1>: ", "Y scale factor <X>: ", "Z scale factor <X>: "   (not zero)
//   "Rotation angle <0>: "
//   "Rows <1>: ", "Columns <1>: ", then "Row spacing: " and "Column spacing: " as needed
//   "Explode? [Yes/No] <No>: "           (single references only)
//   "TAG <default>: "                    for each attribute that is neither constant nor preset
// Answers kQvNormal; kQvNone with a message for an unknown block or a refused explode;
// kQvCancel; kQvError when the reference could not be made.
class TarvoInsertAtCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
