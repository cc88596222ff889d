#pragma once

class IVexaBuildInCommandContext;

// Commands on the services manager's members (VexaServicesManager).

// TEXTSCR: switches the command line to the text screen.
class TarvoTextScreenCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};

// LWEIGHT: the text of a line weight.
//   "Line weight in hundredths of a millimetre, or -1 ByLayer, -2 ByBlock, -3 Default <all>: "
// Enter lists every standard weight. kQvError for a weight that is not standard.
class TarvoLineWeightCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};

// SAVEFORMAT: the kind of the drawing's file and the version the next save writes.
//   "File type [Dwg/Dxf/Dwt] <current>: "
//   "Drawing version to save <current>: "
// Says what the next save writes; kQvError when the version cannot be written (kept as it was).
class TarvoSaveFormatCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};

// BLOCKPIC: the picture of a block definition, as a dialog's preview shows it, into an SVG file.
//   "Block name: "
//   the file dialog "Save Block Picture <NAME.svg>: " (filter "svg")
//   "Show attribute tags? [Yes/No] <No>: "
// The picture is 400 by 300 pixels. kQvError for an unknown block or a file that cannot be
// written.
class TarvoBlockPictureCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};

// REFLIST: the block references the user selects (others are left out), with their blocks and
// insertion points.
class TarvoReferenceListCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};

// SELHIDDEN: a selection that also takes invisible entities and those on layers that are off,
// frozen or locked; says how many of each were selected.
class TarvoHiddenSelectionCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
