#include "sdk/ed/VexaPickfirstProcessor.h"

#include "sdk/gi/IVexaHighlighter.h"

namespace {

void showHighlighted(const QvDbObjectIdArray& ids, bool on) {
  VexaHost* host = VexaHost::current();
  if (!host) return;
  IVexaHighlighter& highlighter = host->service<IVexaHighlighter>();
  for (const QvDbObjectId& id : ids) {
    if (on)
      highlighter.highlight(id, nullptr, 0);
    else
      highlighter.unhighlight(id, nullptr, 0);
  }
}

}  // namespace

void VexaPickfirstProcessor::select(const QvDbObjectIdArray& ids) {
  showHighlighted(pickfirst_, false);
  pickfirst_ = ids;
  grips_ = ids;
  showHighlighted(pickfirst_, true);
}

bool VexaPickfirstProcessor::doAction(int action) {
  if (action != kUnhighlightAndClear && action != kUnhighlight) return false;
  showHighlighted(pickfirst_, false);
  grips_ = QvDbObjectIdArray();
  if (action == kUnhighlightAndClear) pickfirst_ = QvDbObjectIdArray();
  return true;
}

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
  QvDbObjectIdArray gripsKept;
  for (const QvDbObjectId& id : grips_)
    if (pickfirst_.contains(id)) gripsKept.append(id);
  grips_ = gripsKept;
}

VexaPickfirstProcessor* vexaGetPickfirstProc() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaPickfirstProcessor>() : nullptr;
}
