#include "sdk/ed/VexaPickfirstProcessor.h"

void VexaPickfirstProcessor::resumePickfirstMNotify() {
  if (suspended_ == 0 || --suspended_ > 0) return;
  std::vector<QvDbObjectIdArray> queued;
  queued.swap(queued_);
  for (const QvDbObjectIdArray& ids : queued) apply(ids);
}

void VexaPickfirstProcessor::notifyModified(const QvDbObjectIdArray& ids) {
  if (suspended_ > 0)
    queued_.push_back(ids);
  else
    apply(ids);
}

void VexaPickfirstProcessor::apply(const QvDbObjectIdArray& ids) {
  ++applied_;
  QvDbObjectIdArray kept;
  for (const QvDbObjectId& id : pickfirst_) {
    const bool touched = ids.contains(id);
    if (!touched || (id.isValid() && !id.isErased())) kept.append(id);
  }
  pickfirst_ = kept;
}

VexaPickfirstProcessor* vexaGetPickfirstProc() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaPickfirstProcessor>() : nullptr;
}
