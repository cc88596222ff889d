#pragma once

#include <vector>

#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbObjectId.h"

// The pickfirst set of the host (the objects selected before a command starts), shown
// highlighted and with grips, and the notifications that keep it in line with the drawing. A
// notification says that objects changed; applying it drops from the set the objects that are no
// longer live. While notifications are suspended (a count: suspensions nest) they are queued, and
// the last resume applies them in order.
class VexaPickfirstProcessor : public VexaHostService {
 public:
  // Actions of doAction.
  enum Action {
    kUnhighlightAndClear = 7,  // unhighlight the set, remove its grips and empty it
    kUnhighlight = 8,          // unhighlight the set and remove its grips; the set stays
  };

  const QvDbObjectIdArray& getPickfirst() const { return pickfirst_; }
  void setPickfirst(const QvDbObjectIdArray& ids) { pickfirst_ = ids; }
  // Makes `ids` the set, highlighted and with grips (the end of a selection by the user).
  void select(const QvDbObjectIdArray& ids);
  // Carries out an action on the set; false (nothing done) for an unknown action.
  bool doAction(int action);
  // The objects that show grips.
  const QvDbObjectIdArray& grips() const { return grips_; }

  void suspendPickfirstMNotify() { ++suspended_; }
  // Ends one suspension; the last one applies the queued notifications. A resume without a
  // suspension is ignored.
  void resumePickfirstMNotify();
  int suspendCount() const { return suspended_; }
  bool isSuspended() const { return suspended_ > 0; }

  // Objects changed: applied now, or queued while suspended.
  void notifyModified(const QvDbObjectIdArray& ids);
  int queuedNotifications() const { return static_cast<int>(queued_.size()); }
  int appliedNotifications() const { return applied_; }

 private:
  void apply(const QvDbObjectIdArray& ids);

  QvDbObjectIdArray pickfirst_;
  QvDbObjectIdArray grips_;
  std::vector<QvDbObjectIdArray> queued_;
  int suspended_ = 0;
  int applied_ = 0;
};

// The pickfirst processor of the running host; null when no host runs.
VexaPickfirstProcessor* vexaGetPickfirstProc();
