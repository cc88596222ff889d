#pragma once

class IVexaBuildInCommandContext;

// The ANONBLOCK command: an anonymous block of copies of the selected objects
// (makeAnonymousBlock), and a reference of it (makeBlockReference).
//   "Select objects: "
//   "Base point: "              becomes the block's origin (current UCS)
//   "Insertion point: "         where the reference goes
// Says the block's name. Answers kQvNormal; kQvCancel; kQvError when the block or the
// reference could not be made.
class TarvoAnonymousBlockCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
