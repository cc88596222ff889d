#pragma once

class IVexaBuildInCommandContext;

// The INSERT and MINSERT commands: the module's interactive insert (CreateInsertEnt). The
// name question takes a block name, "name=file", a drawing file, "*name" (explode), "?" (list)
// or "~" (file dialog); then the insertion point with its keywords (Basepoint, Scale, X, Y, Z,
// Rotate and their preview forms), the scale, the rotation, for MINSERT rows, columns and
// spacings, and the attribute values.
class TarvoInsertCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
  static int runArray(IVexaBuildInCommandContext& context);
};

// EDITATT: the attribute values of a selected block reference, in the attribute dialog
// ("ATTDIA" 1) or on the command line.
class TarvoEditAttCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};

// BLOCKEDIT: opens the block editor on a block of the drawing ("BLOCKEDIT name"), or closes
// it (Enter or "."). Only the name of the block being edited is kept: inserting that block,
// or one that holds it, is refused.
class TarvoBlockEditCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
