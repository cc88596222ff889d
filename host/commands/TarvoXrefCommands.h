#pragma once

class IVexaBuildInCommandContext;

// The XATTACH and XBIND commands over qvedXrefAttach and qvedXrefBind.
// XATTACH attaches a drawing file as an external reference placed in the current space:
//   "Drawing file to attach: "      the path (found as the host finds files)
//   "Block name <FILE>: "           the file's name without its extension by default
//   "Specify insertion point: "     in the current UCS
//   "Specify scale factor <1>: "
//   "Specify rotation angle <0>: "
// XBIND binds an external reference into the drawing:
//   "External reference to bind: "
//   "Bind type [Bind/Insert] <Bind>: "   Insert gives the symbols their own names when free
// Both answer kQvNormal; kQvCancel; kQvError, with the reason, when the host refuses.
class TarvoXrefCommands {
 public:
  static int runAttach(IVexaBuildInCommandContext& context);
  static int runBind(IVexaBuildInCommandContext& context);
};
