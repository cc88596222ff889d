#pragma once

class IVexaBuildInCommandContext;

// The BCOUNT command: the census of the selected block references (CountBlockInserts).
//   "Select objects: "
// Prints the table of blocks and counts. Answers kQvNormal; kQvCancel; kQvError when no
// reference was counted (anonymous blocks and external references are not).
class TarvoBlockCountCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
