#pragma once

class IVexaBuildInCommandContext;

// The SELECT command: asks for objects and leaves them as the pickfirst set, highlighted and
// with grips, for the commands that follow ("Select objects: "). Answers kQvNormal (also when
// nothing was selected: the pickfirst set is then left as it was); kQvCancel.
class TarvoSelectCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
