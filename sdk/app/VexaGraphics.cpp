#include "sdk/app/VexaGraphics.h"

#include "sdk/app/VexaDocument.h"
#include "sdk/app/vexaCurDocument.h"
#include "sdk/base/VexaHost.h"
#include "sdk/gi/IVexaHighlighter.h"

void VexaGraphics::invalidate(int bufferBits, bool first, bool second) {
  calls_.push_back({Call::Kind::kInvalidate, bufferBits, false, first, second});
}

void VexaGraphics::repairScreenRect(const Rect* rect, bool first, bool second) {
  calls_.push_back({Call::Kind::kRepair, 0, rect == nullptr, first, second});
}

void VexaGraphics::highlightEntityInAllVps(const QvDbObjectId& id, bool highlight, int64_t subent) {
  VexaHost* host = VexaHost::current();
  if (!host || id.isNull()) return;
  IVexaHighlighter& highlighter = host->service<IVexaHighlighter>();
  if (highlight)
    highlighter.highlight(id, nullptr, subent);
  else
    highlighter.unhighlight(id, nullptr, subent);
}

VexaGraphics* GetActiveGraphics() {
  VexaDocument* document = vexaCurDocument();
  return document ? document->graphics() : nullptr;
}
