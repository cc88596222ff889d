#pragma once

class IVexaBuildInCommandContext;

// The PDFATTACH, DWFATTACH and DGNATTACH commands: attach an item of an underlay file (a page
// of a PDF file, a sheet of a DWF container, the model of a DGN file) as an underlay in the
// current space.
//   "PDF file to attach: " / "DWF file to attach: " / "DGN file to attach: "
//                                    the path, or an ftp:// path (fetched into the host's
//                                    cache; the drawing keeps the ftp:// path)
//   "Page number <1>: " / "Sheet <FIRST>: " / "Model <Default>: "
//                                    the item (a DWF sheet or DGN model by name or number)
//   "Specify insertion point: "                         in the current UCS
//   "Specify scale factor <1>: "
//   "Specify rotation angle <0>: "                      from the UCS x axis
// The definition is named "FILE - Page N" (PDF) or "FILE - ITEM" (DWF, DGN), numbered when another
// file has that name (the definition of the same file and item is used again), made in the
// drawing's dictionary of the format and loaded. A file that does not load is refused with
// the reason. Answers kQvNormal; kQvCancel; kQvError when the file, the item or the drawing
// refuses.
class TarvoUnderlayAttachCommand {
 public:
  static int runPdf(IVexaBuildInCommandContext& context);
  static int runDwf(IVexaBuildInCommandContext& context);
  static int runDgn(IVexaBuildInCommandContext& context);
};
