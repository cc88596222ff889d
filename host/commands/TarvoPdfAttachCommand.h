#pragma once

class IVexaBuildInCommandContext;

// The PDFATTACH command: attaches a page of a PDF file as an underlay in the current space.
//   "PDF file to attach: "                     the path
//   "Page number <1>: "                        the item (a page number)
//   "Specify insertion point: "                in the current UCS
//   "Specify scale factor <1>: "
//   "Specify rotation angle <0>: "             from the UCS x axis
// The definition is named "FILE - Page N" (numbered when another file has that name; the
// definition of the same file and page is used again), made in the drawing's PDF dictionary
// and loaded. A file that does not load is refused with the reason. Answers kQvNormal;
// kQvCancel; kQvError when the file, the page or the drawing refuses.
class TarvoPdfAttachCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
