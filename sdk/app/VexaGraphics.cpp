#include "sdk/app/VexaGraphics.h"

#include "sdk/app/VexaDocument.h"
#include "sdk/app/vexaCurDocument.h"

void VexaGraphics::invalidate(int bufferBits, bool first, bool second) {
  calls_.push_back({Call::Kind::kInvalidate, bufferBits, false, first, second});
}

void VexaGraphics::repairScreenRect(const Rect* rect, bool first, bool second) {
  calls_.push_back({Call::Kind::kRepair, 0, rect == nullptr, first, second});
}

VexaGraphics* GetActiveGraphics() {
  VexaDocument* document = vexaCurDocument();
  return document ? document->graphics() : nullptr;
}
