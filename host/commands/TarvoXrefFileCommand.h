#pragma once

class IVexaBuildInCommandContext;

// The XREFFILE command: where the file of an external reference with a stored path is found
// (VexaServicesManager::getActualXrefFileName: the stored path, the drawing's folder, the
// current folder, the support path, then the folder of "XREFSAVEPATH").
//   "Stored path of the reference: "
// Prints the file found, or that none was. Answers kQvNormal; kQvCancel; kQvError when none.
class TarvoXrefFileCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
