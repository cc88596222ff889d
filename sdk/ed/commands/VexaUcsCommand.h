#pragma once

#include <optional>
#include <unordered_map>
#include <vector>

#include "sdk/base/VexaHost.h"
#include "sdk/ed/VexaUcs.h"

class IVexaBuildInCommandContext;
class VexaDocument;

// The UCS command: changes the current user coordinate system.
//   "Specify origin of UCS or [World/Origin/X/Y/Z/ZAxis/OBject/Previous] <World>: "
//   Enter, World   the world coordinate system
//   a point        a new origin; then a point on the positive X axis and one in the positive-Y
//                  half of the XY plane (Enter accepts what is given so far)
//   Origin         a new origin, the axes kept
//   X, Y, Z        a turn about that axis of the current UCS (degrees; 90 by default)
//   ZAxis          a new origin and a point on the positive Z axis
//   OBject         the UCS of an object (see VexaObjectUcs)
//   Previous       the UCS before the last change made by this command (ten are kept per
//                  document)
// Points are typed in the current UCS. Answers kQvNormal; kQvCancel; kQvError when there is no
// previous UCS or the axes given are degenerate (nothing changes then).
class VexaUcsCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};

// The UCSs that the UCS command replaced, per document, the last first.
class VexaUcsHistory : public VexaHostService {
 public:
  static constexpr int kDepth = 10;

  void push(const VexaUcs& ucs);
  std::optional<VexaUcs> pop();

 private:
  std::unordered_map<const VexaDocument*, std::vector<VexaUcs>> history_;
};
