#pragma once

#include <cstdint>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/gi/VexaGsViewport.h"

// The sub-entity of highlightEntityInAllVps that means the whole entity.
inline constexpr int64_t kNullSubent = 0;

// The active document's graphics system. The stand-in draws nothing on screen: it keeps what
// was asked of it (buffer invalidations and screen repairs) so that tests can read it, and
// shows highlighting through the host's highlight log.
class VexaGraphics {
 public:
  struct Call {
    enum class Kind { kInvalidate, kRepair };
    Kind kind = Kind::kInvalidate;
    int bufferBits = 0;        // kInvalidate
    bool wholeScreen = false;  // kRepair: no rectangle given
    bool first = false;
    bool second = false;
  };
  struct Rect {
    double left = 0.0, bottom = 0.0, right = 0.0, top = 0.0;
  };

  void invalidate(int bufferBits, bool first, bool second);
  // A null rectangle repairs the whole screen.
  void repairScreenRect(const Rect* rect, bool first, bool second);
  // Shows an entity highlighted (or not) in every viewport: the whole entity, or the
  // sub-entity of a selection marker.
  void highlightEntityInAllVps(const QvDbObjectId& id, bool highlight,
                               int64_t subent = kNullSubent);

  const std::vector<Call>& calls() const { return calls_; }
  void clearCalls() { calls_.clear(); }

  // The viewport the user works in, with its graphics view.
  VexaGsViewport* activeViewport() { return &activeViewport_; }

 private:
  VexaGsViewport activeViewport_;
  std::vector<Call> calls_;
};

// The active document's graphics; null when no host runs or it has no document.
VexaGraphics* GetActiveGraphics();
