#pragma once

class IVexaBuildInCommandContext;

// The OOPS command: brings back the objects that the last command listed for it (the sources
// that BLOCK turned into a block), and empties the list. Objects that no longer exist or are
// already live again are passed over. Answers kQvNormal; kQvNone with a message when there is
// nothing to bring back.
class TarvoOopsCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
