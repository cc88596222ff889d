#include "sdk/base/VexaFaultInjection.h"

#include <atomic>

#include "sdk/base/VexaHostError.h"

namespace {

// Whether any point was ever armed in this process: until then the points of the product's
// hot paths cost one load, not a search of the host's services.
std::atomic<bool> everArmed{false};

}  // namespace

void VexaFaultInjection::arm(const std::string& point, int times, Vexa::ErrorStatus status,
                             int after) {
  everArmed.store(true, std::memory_order_relaxed);
  Arming& arming = points_[point];
  arming.remaining = times > 0 ? times : 0;
  arming.skip = after > 0 ? after : 0;
  arming.status = status;
}

void VexaFaultInjection::disarm(const std::string& point) {
  const auto it = points_.find(point);
  if (it != points_.end()) it->second.remaining = 0;
}

bool VexaFaultInjection::trip(const std::string& point, Vexa::ErrorStatus& status) {
  const auto it = points_.find(point);
  if (it == points_.end() || it->second.remaining <= 0) return false;
  if (it->second.skip > 0) {
    --it->second.skip;
    return false;
  }
  --it->second.remaining;
  ++it->second.tripped;
  status = it->second.status;
  return true;
}

int VexaFaultInjection::tripped(const std::string& point) const {
  const auto it = points_.find(point);
  return it == points_.end() ? 0 : it->second.tripped;
}

void vexaFaultPoint(const char* point) {
  if (!everArmed.load(std::memory_order_relaxed)) return;
  VexaHost* host = VexaHost::current();
  if (!host) return;
  auto* faults = host->findService<VexaFaultInjection>();
  Vexa::ErrorStatus status = Vexa::eOk;
  if (faults && faults->trip(point, status)) throw Vexa::HostError(status);
}

Vexa::ErrorStatus vexaFaultStatus(const char* point) {
  if (!everArmed.load(std::memory_order_relaxed)) return Vexa::eOk;
  VexaHost* host = VexaHost::current();
  if (!host) return Vexa::eOk;
  auto* faults = host->findService<VexaFaultInjection>();
  Vexa::ErrorStatus status = Vexa::eOk;
  if (faults && faults->trip(point, status)) return status;
  return Vexa::eOk;
}
