#pragma once

#include <map>
#include <string>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/VexaHost.h"

// Failures of the host made on purpose, so that tests can see how callers survive them. A host
// operation that may fail by exception names a fault point; while the point is armed, the
// operation raises Vexa::HostError with the armed status at that point, once per arming count.
//
//   VexaHost::current()->service<VexaFaultInjection>().arm("QvDbAttribute::setAttributeFromBlock");
class VexaFaultInjection : public VexaHostService {
 public:
  // The next `times` passes through the point fail with `status`, after `after` passes that
  // succeed.
  void arm(const std::string& point, int times = 1, Vexa::ErrorStatus status = Vexa::eInvalidInput,
           int after = 0);
  void disarm(const std::string& point);
  // True, with the status, when the point is armed (and uses up one arming).
  bool trip(const std::string& point, Vexa::ErrorStatus& status);
  // How often the point has failed so far.
  int tripped(const std::string& point) const;

 private:
  struct Arming {
    int remaining = 0;
    int skip = 0;
    Vexa::ErrorStatus status = Vexa::eInvalidInput;
    int tripped = 0;
  };
  std::map<std::string, Arming> points_;
};

// Raises Vexa::HostError when the fault point is armed in the running host.
void vexaFaultPoint(const char* point);
// For operations that answer a status rather than raise: the armed status when the point is
// armed in the running host (one arming used up), else eOk. Points of this kind:
//   "QvDbDatabase::deepCloneObjects", "QvDbDatabase::insert", "QvDbEntity::explode",
//   "QvDbBlockTableRecord::appendQvDbEntity", "QvDbDictionary::setAt", "qvedXrefBind".
Vexa::ErrorStatus vexaFaultStatus(const char* point);
