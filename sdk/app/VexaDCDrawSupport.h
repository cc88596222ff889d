#pragma once

#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/win/CGdiTypes.h"

class CDC;

// The host's support for drawing into device contexts: the picture of a block definition,
// seen from above and fitted into a rectangle of the context (an SVG picture on the headless
// window layer, see VexaDrawPicture).
class VexaDCDrawSupportInternal : public VexaHostService {
 public:
  // Flag of drawBlockToDC: attribute definitions show their tags, as in the definition.
  static constexpr int kShowAttributeDefinitions = 0x1;

  // Draws the entities of the block definition `block` into `rect` of `dc`, fitted with a margin
  // and square pixels, on white. Entities on layers that are
  // off or frozen and invisible ones are left out; so are attribute definitions that are not
  // constant unless kShowAttributeDefinitions. A block with nothing to draw gives an empty
  // picture. kQvNormal; kQvError, nothing drawn, for a null or released context, a rectangle
  // without area, or an id that is not a live block definition.
  int drawBlockToDC(CDC* dc, const RECT& rect, QvDbObjectId block, int flags) const;
};

// The running host's DC-drawing support, or null when no host runs.
VexaDCDrawSupportInternal* getVexaDCDrawSupportInternalInterface();
